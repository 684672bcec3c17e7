// The demo catalogue in the window: every model shows without a message, in both modes.
#include "tools/DemoCatalogue.h"
#include "WindowFixture.h"

namespace mm {
namespace {

class DemoCatalogue : public test::WindowTest {};

TEST_F(DemoCatalogue, EveryModelShowsAndStoresWithoutAMessage) {
    WriteDemoCatalogue(BuildDemoCatalogue(), dir.Dir());
    Open();
    TtsGrid* list = Grid("tsGrid1");
    ASSERT_GE(list->Rows(), 8);
    EnterEditMode();
    for (int row = 1; row <= list->Rows(); ++row)
        ClickCell(list, 1, row); // each model left is stored first
    Click("ToolButton3");
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("|").toStdString();
    EXPECT_FALSE(InEditMode());
    EXPECT_EQ(SavedModels().size(), static_cast<size_t>(list->Rows()));
}

} // namespace
} // namespace mm
