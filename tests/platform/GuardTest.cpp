#include "platform/ui/Guard.h"
#include "platform/Errors.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

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

TEST(Guard, APostedHandlerRunsAfterTheCurrentEventAndNotForAContextThatIsGone) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    TScriptedDialogs dialogs;
    QObject context;
    std::vector<int> runs;
    PostGuarded(&context, dialogs, [&] {
        runs.push_back(1);
        throw ReadError();
    });
    auto gone = std::make_unique<QObject>();
    PostGuarded(gone.get(), dialogs, [&] { runs.push_back(2); });
    gone.reset();
    PostGuarded(&context, dialogs, [&] { runs.push_back(3); });
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, (std::vector<int>{1, 3}));
    EXPECT_EQ(dialogs.shown, QStringList{"Stream read error"});
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
