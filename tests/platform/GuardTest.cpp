#include "platform/ui/Guard.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

TEST(Guard, ShowsTheErrorTextAndCarriesOn) {
    TScriptedDialogs dialogs;
    EXPECT_TRUE(Guarded(dialogs, [] {}));
    EXPECT_FALSE(Guarded(dialogs, [] { throw ConvertError("$zz"); }));
    EXPECT_FALSE(Guarded(dialogs, [] { throw ReadError(); }));
    EXPECT_FALSE(Guarded(dialogs, [] { throw ConvertError("\xD6\xD0"); })); // typed GBK text
    EXPECT_EQ(dialogs.shown, (QStringList{"'$zz' is not a valid integer value", "Stream read error",
                                          QString::fromUtf8("'中' is not a valid integer value")}));
}

TEST(ScriptedDialogs, AnswersFromQueuesAndNoWhenEmpty) {
    TScriptedDialogs dialogs;
    dialogs.QueueConfirm(true);
    EXPECT_TRUE(dialogs.Confirm("Sure?"));
    EXPECT_FALSE(dialogs.Confirm("Again?", DefaultAnswer::No));
    EXPECT_EQ(dialogs.defaults, (std::vector{DefaultAnswer::Yes, DefaultAnswer::No}));
    dialogs.QueueFile(QString("/tmp/pic"));
    const auto path = dialogs.ChooseFile({FileDialogKind::SavePicture, {}, "jpg", {}});
    EXPECT_EQ(path, QString("/tmp/pic.jpg"));
    EXPECT_EQ(dialogs.ChooseFile({}), std::nullopt);
    EXPECT_EQ(dialogs.shown, (QStringList{"Sure?", "Again?"}));
}

} // namespace
} // namespace mm
