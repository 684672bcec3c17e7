// The key grids, "Key Counts", pages, "Has Shift", the SHIFT tab commands and the statistics,
// driven with clicks and keys.
#include "WindowFixture.h"
#include "controls/RollUpFrame.h"
#include "controls/SpinEdit.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>

namespace mm {
namespace {

class KeyGrids : public test::WindowTest {
protected:
    TtsGrid* Normal() { return Grid("tsGridKeyList1"); }
    TtsGrid* Shift() { return Grid("tsGridKeyList2"); }
    TSpinEdit* KeyCounts() { return Find<TSpinEdit>("SpinEdit1"); }
    QCheckBox* HasShift() { return Find<QCheckBox>("CheckBox1"); }
    QTabWidget* Tabs() { return Find<QTabWidget>("PageControl2"); }

    static TMyModelRecord WithKeys(int n, bool shift) {
        TMyModelRecord record = ValidModel(1, "TV");
        record.HasShift = shift ? 1 : 0;
        record.KeyCount = static_cast<uint8_t>(shift ? 2 * n : n);
        for (int k = 0; k < record.KeyCount; ++k) {
            record.BtnInfo[k].Name.Assign("K" + std::to_string(k));
            record.BtnInfo[k].KNo = static_cast<uint8_t>(k + 1);
            record.BtnInfo[k].KeyIdx = static_cast<uint16_t>(k + 1);
        }
        return record;
    }

    void OpenWith(const TMyModelRecord& record, bool edit = true) {
        WindowTest::OpenWith({record});
        if (edit)
            EnterEditMode();
    }

    void ClickTab(int tab) {
        Click(Tabs()->tabBar(), Qt::LeftButton, Tabs()->tabBar()->tabRect(tab).center());
    }

    // Selects the spin box's text and types a number, without Enter.
    void TypeIntoSpin(TSpinEdit* spin, const QString& text) {
        Click(spin);
        Key(spin, Qt::Key_A, Qt::ControlModifier);
        Type(text);
    }

    QStringList Row(TtsGrid* grid, int row) {
        QStringList cells;
        for (int c = 1; c <= 7; ++c)
            cells << grid->CellText(c, row);
        return cells;
    }

    QStringList StatLines() {
        auto* list = Find<QListWidget>("ListBox1");
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }
};

TEST_F(KeyGrids, ShiftKeysFollowTheNormalKeysInTheTable) {
    OpenWith(WithKeys(5, true), false);
    EXPECT_EQ(KeyCounts()->Value(), 5);
    EXPECT_EQ(Normal()->Rows(), 5);
    EXPECT_EQ(Shift()->Rows(), 5);
    EXPECT_EQ(Row(Normal(), 1), (QStringList{"1", "K0", "1", "1", "0", "0", "0"}));
    EXPECT_EQ(Row(Shift(), 1), (QStringList{"1", "K5", "6", "6", "0", "0", "0"}));
    EXPECT_TRUE(Tabs()->isTabVisible(1));
    EXPECT_TRUE(HasShift()->isChecked());
}

TEST_F(KeyGrids, AStoredHasShiftOtherThanOneTicksTheBoxOnly) {
    TMyModelRecord record = WithKeys(4, false);
    record.HasShift = 2;
    OpenWith(record, false);
    EXPECT_TRUE(HasShift()->isChecked());
    EXPECT_FALSE(Tabs()->isTabVisible(1));
    EXPECT_EQ(Normal()->Rows(), 4);
    EXPECT_EQ(Row(Shift(), 1), (QStringList{"", "", "", "", "", "", ""}));
}

TEST_F(KeyGrids, TickingHasShiftShowsTheShiftTabWithFollowSno255) {
    OpenWith(WithKeys(3, false));
    EXPECT_FALSE(Tabs()->isTabVisible(1));
    Click(HasShift());
    EXPECT_TRUE(Tabs()->isTabVisible(1));
    ASSERT_EQ(Shift()->Rows(), 3);
    EXPECT_EQ(Row(Shift(), 2), (QStringList{"", "", "", "", "", "255", ""}));
    Click(HasShift());
    EXPECT_FALSE(Tabs()->isTabVisible(1));
}

TEST_F(KeyGrids, KeyCountsStaysWithinTheTableWithShiftKeys) {
    OpenWith(WithKeys(100, false));
    EXPECT_EQ(KeyCounts()->Value(), 100);
    // Ticking asks before keys are cut, No by default; No keeps every key and the box unticked.
    Click(HasShift());
    EXPECT_EQ(dialogs.shown, QStringList{"Keys 63 to 100 will be removed. Continue?"});
    EXPECT_EQ(dialogs.defaults, std::vector<DefaultAnswer>{DefaultAnswer::No});
    EXPECT_FALSE(HasShift()->isChecked());
    EXPECT_EQ(KeyCounts()->Value(), 100);
    EXPECT_EQ(Normal()->Rows(), 100);
    EXPECT_FALSE(Tabs()->isTabVisible(1));
    dialogs.Clear();
    dialogs.QueueConfirm(true);
    Click(HasShift());
    EXPECT_TRUE(HasShift()->isChecked());
    EXPECT_EQ(KeyCounts()->Value(), 62);
    EXPECT_EQ(Normal()->Rows(), 62);
    dialogs.Clear();
    Save(); // the empty SHIFT keys fail, but the count is taken first
    EXPECT_EQ(dialogs.shown, QStringList{"Shift S No is err at line :1"});
    EXPECT_EQ(Models()[0].KeyCount, 124);
    Click(HasShift());
    EXPECT_EQ(KeyCounts()->maximum(), 123);
}

TEST_F(KeyGrids, ATypedKeyCountTakesEffectWhenTypingEnds) {
    OpenWith(WithKeys(62, false));
    TypeIntoSpin(KeyCounts(), "60");
    EXPECT_EQ(Normal()->Rows(), 62); // "6" on the way to "60" dropped nothing
    EXPECT_EQ(Normal()->CellText(2, 62), "K61");
    Key(KeyCounts(), Qt::Key_Return);
    EXPECT_EQ(Normal()->Rows(), 60);
    EXPECT_EQ(Shift()->Rows(), 60);
    EXPECT_EQ(Normal()->CellText(2, 60), "K59");

    // A number still being typed is taken by the next command: the save stores 61 keys.
    TypeIntoSpin(KeyCounts(), "61");
    Save();
    EXPECT_EQ(Normal()->Rows(), 61);
    EXPECT_EQ(dialogs.shown, QStringList{"S No is err at line :61"});

    // The arrows step at once.
    dialogs.Clear();
    Click(Normal());
    Key(KeyCounts(), Qt::Key_Down);
    EXPECT_EQ(Normal()->Rows(), 60);
}

TEST_F(KeyGrids, ATypedPageCountTakesEffectWhenTypingEnds) {
    TMyModelRecord record = WithKeys(2, false);
    record.PageCount = 8;
    for (int p = 0; p < 8; ++p)
        record.PageName[p].Assign("P" + std::to_string(p + 1));
    OpenWith(record);
    TSpinEdit* pages = Find<TSpinEdit>("SpinEdit2");
    TypeIntoSpin(pages, "3");
    EXPECT_EQ(Grid("tsGrid3")->Rows(), 8);
    Click(Normal()); // focus leaving ends the typing
    EXPECT_EQ(Grid("tsGrid3")->Rows(), 3);
    EXPECT_EQ(Grid("tsGrid3")->CellText(1, 3), "P3");
}

TEST_F(KeyGrids, InsertCopiesTheCurrentRowDown) {
    OpenWith(WithKeys(5, false));
    ChooseFromCellMenu(Normal(), 2, 3, "Inser a button");
    ASSERT_EQ(Normal()->Rows(), 6);
    EXPECT_EQ(KeyCounts()->Value(), 6);
    EXPECT_EQ(Row(Normal(), 3), Row(Normal(), 4));
    EXPECT_EQ(Row(Normal(), 4)[1], "K2");
    EXPECT_EQ(Row(Normal(), 5)[1], "K3");
    EXPECT_EQ(Row(Normal(), 6)[1], "K4");
}

TEST_F(KeyGrids, DeleteMovesTheLaterRowsUp) {
    OpenWith(WithKeys(2, false));
    ChooseFromCellMenu(Normal(), 2, 1, "Delete a button");
    ASSERT_EQ(Normal()->Rows(), 2);
    EXPECT_EQ(Row(Normal(), 1)[1], "K1");
    EXPECT_EQ(Row(Normal(), 2)[1], "K1");
}

TEST_F(KeyGrids, ShiftTabButtonsDeriveShiftKeysFromNormalOnes) {
    OpenWith(WithKeys(3, true));
    EditCell(Normal(), 2, 2, "");
    EditCell(Normal(), 4, 1, " 7 ");
    EditCell(Normal(), 4, 2, "x");
    EditCell(Normal(), 3, 1, "S5");
    EditCell(Normal(), 3, 2, "9");
    ClickTab(1);
    EXPECT_TRUE(Find("btnKey")->isVisible());
    Click("btnKey");
    Click("btnKeyIdx");
    Click("Button1");
    EXPECT_EQ(Shift()->CellText(2, 1), "SHIFT K0");
    EXPECT_EQ(Shift()->CellText(2, 2), "SHIFT ");
    EXPECT_EQ(Shift()->CellText(4, 1), "50");
    EXPECT_EQ(Shift()->CellText(4, 2), "5"); // unchanged
    EXPECT_EQ(Shift()->CellText(3, 1), "4"); // "S5" is not a number: unchanged
    EXPECT_EQ(Shift()->CellText(3, 2), "65");
    ClickTab(0);
    EXPECT_FALSE(Find("btnKey")->isVisible());
}

TEST_F(KeyGrids, OnlyTheUsersTabChangeMovesTheShiftButtons) {
    TMyModelRecord record = WithKeys(3, true);
    record.ChipKind = 5; // the code tabs are shown too
    OpenWith(record);
    ClickTab(1);
    ASSERT_TRUE(Find("btnKey")->isVisible());
    Click(HasShift()); // hides the SHIFT tab under the user's eyes: no tab change of theirs
    EXPECT_NE(Tabs()->currentIndex(), 1);
    EXPECT_TRUE(Find("btnKey")->isVisible());
    ClickTab(3);
    EXPECT_FALSE(Find("btnKey")->isVisible());
}

TEST_F(KeyGrids, KeyIdxStatisticsAreSortedAndSelectTheRow) {
    OpenWith(WithKeys(3, false));
    EditCell(Normal(), 4, 1, "5");
    EditCell(Normal(), 4, 2, "3");
    EditCell(Normal(), 4, 3, "5");
    auto* frame = Find<TRollUpFrame>("spSkinGroupBox1");
    ClickCell(Normal(), 2, 1);
    EXPECT_TRUE(frame->RolledUp());
    ClickCell(Normal(), 4, 3);
    EXPECT_FALSE(frame->RolledUp());
    EXPECT_EQ(StatLines(), (QStringList{"3    line2", "5    line1", "5    line3"}));
    EXPECT_EQ(Find<QListWidget>("ListBox1")->currentRow(), 2);
    ClickCell(Normal(), 3, 1); // S No statistics
    EXPECT_EQ(StatLines(), (QStringList{"1    line1", "2    line2", "3    line3"}));
    ClickCell(Normal(), 2, 1);
    EXPECT_TRUE(frame->RolledUp());
    // Typing a key index refreshes them as it goes.
    ClickCell(Normal(), 4, 2);
    Key(Normal(), Qt::Key_F2);
    Type("9"); // replaces the selected text
    EXPECT_EQ(StatLines(), (QStringList{"5    line1", "5    line3", "9    line2"}));
    Key(CellEditor(Normal()), Qt::Key_Return);
}

TEST_F(KeyGrids, BlankModelShowsTwoRowsAndStoresOnePage) {
    WindowTest::OpenWith({TMyModelRecord()});
    EXPECT_EQ(KeyCounts()->Value(), 2);
    ASSERT_EQ(Normal()->Rows(), 2);
    EXPECT_EQ(Row(Normal(), 1), (QStringList{"1", "", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(Find<TSpinEdit>("SpinEdit2")->Value(), 1);
    EXPECT_EQ(Grid("tsGrid3")->Rows(), 0);
    EnterEditMode();
    EditCell(Normal(), 3, 2, "2");
    EditCell(Normal(), 4, 2, "2");
    Save();
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("|").toStdString();
    EXPECT_EQ(Models()[0].PageCount, 1);
    EXPECT_EQ(Models()[0].KeyCount, 2);
}

TEST_F(KeyGrids, StoreTakesPagesAndKeysBackIntoTheRecord) {
    TMyModelRecord record = WithKeys(2, false);
    record.PageCount = 2;
    record.PageName[0].Assign("Main");
    record.PageName[1].Assign("TV");
    OpenWith(record);
    EXPECT_EQ(Grid("tsGrid3")->CellText(1, 2), "TV");
    EditCell(Grid("tsGrid3"), 1, 2, "Video123456789012345");
    ClickCheckBox(Normal(), 5, 1);
    ClickCheckBox(Normal(), 7, 2);
    EditCell(Normal(), 6, 2, "300");
    EditCell(Normal(), 2, 1, QString::fromUtf8("电源电源电源电源")); // 16 bytes in a 15-byte field
    Save();
    ASSERT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("|").toStdString();
    const TMyModelRecord& stored = Models()[0];
    EXPECT_EQ(stored.PageName[1].Str(), "Video1234567890");
    EXPECT_EQ(stored.BtnInfo[0].CanotDefine, 1);
    EXPECT_EQ(stored.BtnInfo[1].Learned, 1);
    EXPECT_EQ(stored.BtnInfo[1].FollowSno, 300 & 0xFF);
    EXPECT_EQ(stored.BtnInfo[0].Name.Str().size(), 14u); // seven whole characters
    EXPECT_EQ(SavedModels()[0].PageName[1].Str(), "Video1234567890");
}

} // namespace
} // namespace mm
