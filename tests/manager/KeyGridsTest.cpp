#include "WindowFixture.h"
#include "controls/RollUpFrame.h"
#include "controls/SpinEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace mm {
namespace {

class KeyGrids : public test::WindowTest {
protected:
    TtsGrid& Normal() { return *window->tsGridKeyList1; }
    TtsGrid& Shift() { return *window->tsGridKeyList2; }

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
        SaveDatabase({record});
        Open();
        if (edit)
            window->ToolButton3->click();
    }

    QStringList Row(TtsGrid& grid, int row) {
        QStringList cells;
        for (int c = 1; c <= 7; ++c)
            cells << grid.CellText(c, row);
        return cells;
    }

    QStringList StatLines() {
        QStringList lines;
        for (int i = 0; i < window->ListBox1->count(); ++i)
            lines << window->ListBox1->item(i)->text();
        return lines;
    }
};

TEST_F(KeyGrids, ShiftKeysFollowTheNormalKeysInTheTable) {
    OpenWith(WithKeys(5, true), false);
    EXPECT_EQ(window->SpinEdit1->Value(), 5);
    EXPECT_EQ(Normal().Rows(), 5);
    EXPECT_EQ(Shift().Rows(), 5);
    EXPECT_EQ(Row(Normal(), 1), (QStringList{"1", "K0", "1", "1", "0", "0", "0"}));
    EXPECT_EQ(Row(Shift(), 1), (QStringList{"1", "K5", "6", "6", "0", "0", "0"}));
    EXPECT_TRUE(window->PageControl2->isTabVisible(1));
    EXPECT_TRUE(window->CheckBox1->isChecked());
}

TEST_F(KeyGrids, TickingHasShiftShowsTheShiftTabWithFollowSno255) {
    OpenWith(WithKeys(3, false));
    EXPECT_FALSE(window->PageControl2->isTabVisible(1));
    window->CheckBox1->click();
    EXPECT_TRUE(window->PageControl2->isTabVisible(1));
    ASSERT_EQ(Shift().Rows(), 3);
    EXPECT_EQ(Row(Shift(), 2), (QStringList{"", "", "", "", "", "255", ""}));
    window->CheckBox1->click();
    EXPECT_FALSE(window->PageControl2->isTabVisible(1));
}

TEST_F(KeyGrids, KeyCountsStaysWithinTheTableWithShiftKeys) {
    OpenWith(WithKeys(100, false));
    EXPECT_EQ(window->SpinEdit1->Value(), 100);
    window->CheckBox1->click();
    EXPECT_EQ(window->SpinEdit1->Value(), 62);
    EXPECT_EQ(Normal().Rows(), 62);
    window->Action3->trigger();
    EXPECT_EQ(window->Models[0].KeyCount, 124);
    window->CheckBox1->click();
    EXPECT_EQ(window->SpinEdit1->maximum(), 123);
}

TEST_F(KeyGrids, KeyCountsAndPageCountsSetTheRowCounts) {
    OpenWith(WithKeys(3, false));
    window->SpinEdit1->setValue(5);
    EXPECT_EQ(Normal().Rows(), 5);
    EXPECT_EQ(Shift().Rows(), 5);
    EXPECT_EQ(Row(Normal(), 3)[1], "K2");
    window->SpinEdit2->setValue(3);
    EXPECT_EQ(window->tsGrid3->Rows(), 3);
}

TEST_F(KeyGrids, InsertCopiesTheCurrentRowDown) {
    OpenWith(WithKeys(5, false));
    Normal().SetCurrentRow(3);
    window->Action1->trigger();
    ASSERT_EQ(Normal().Rows(), 6);
    EXPECT_EQ(window->SpinEdit1->Value(), 6);
    EXPECT_EQ(Row(Normal(), 3), Row(Normal(), 4));
    EXPECT_EQ(Row(Normal(), 4)[1], "K2");
    EXPECT_EQ(Row(Normal(), 5)[1], "K3");
    EXPECT_EQ(Row(Normal(), 6)[1], "K4");
}

TEST_F(KeyGrids, DeleteMovesTheLaterRowsUp) {
    OpenWith(WithKeys(2, false));
    Normal().SetCurrentRow(1);
    window->Action2->trigger();
    ASSERT_EQ(Normal().Rows(), 2);
    EXPECT_EQ(Row(Normal(), 1)[1], "K1");
    EXPECT_EQ(Row(Normal(), 2)[1], "K1");
}

TEST_F(KeyGrids, ShiftTabButtonsDeriveShiftKeysFromNormalOnes) {
    OpenWith(WithKeys(3, true));
    window->PageControl2->setCurrentIndex(1);
    EXPECT_TRUE(window->btnKey->isVisible());
    Normal().SetCell(2, 2, "");
    Normal().SetCell(4, 1, " 7 ");
    Normal().SetCell(4, 2, "x");
    Normal().SetCell(3, 1, "S5");
    Normal().SetCell(3, 2, "9");
    window->btnKey->click();
    window->btnKeyIdx->click();
    window->Button1->click();
    EXPECT_EQ(Shift().CellText(2, 1), "SHIFT K0");
    EXPECT_EQ(Shift().CellText(2, 2), "SHIFT ");
    EXPECT_EQ(Shift().CellText(4, 1), "50");
    EXPECT_EQ(Shift().CellText(4, 2), "5"); // unchanged
    EXPECT_EQ(Shift().CellText(3, 1), "4"); // "S5" is not a number: unchanged
    EXPECT_EQ(Shift().CellText(3, 2), "65");
    window->PageControl2->setCurrentIndex(0);
    EXPECT_FALSE(window->btnKey->isVisible());
}

TEST_F(KeyGrids, KeyIdxStatisticsAreSortedAndSelectTheRow) {
    OpenWith(WithKeys(3, false));
    Normal().SetCell(4, 1, "5");
    Normal().SetCell(4, 2, "3");
    Normal().SetCell(4, 3, "5");
    Normal().SetCurrentRow(1);
    Normal().setCurrentIndex(Normal().model()->index(2, 3)); // row 3, column 4
    EXPECT_FALSE(window->spSkinGroupBox1->RolledUp());
    EXPECT_EQ(StatLines(), (QStringList{"3    line2", "5    line1", "5    line3"}));
    EXPECT_EQ(window->ListBox1->currentRow(), 2);
    Normal().setCurrentIndex(Normal().model()->index(0, 1)); // column 2: S No statistics, rolled up
    EXPECT_TRUE(window->spSkinGroupBox1->RolledUp());
    EXPECT_EQ(StatLines(), (QStringList{"1    line1", "2    line2", "3    line3"}));
}

TEST_F(KeyGrids, BlankModelShowsTwoRowsAndStoresOnePage) {
    SaveDatabase({TMyModelRecord()});
    Open();
    EXPECT_EQ(window->SpinEdit1->Value(), 2);
    ASSERT_EQ(Normal().Rows(), 2);
    EXPECT_EQ(Row(Normal(), 1), (QStringList{"1", "", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(window->SpinEdit2->Value(), 1);
    EXPECT_EQ(window->tsGrid3->Rows(), 0);
    window->ToolButton3->click();
    Normal().SetCell(3, 2, "2");
    Normal().SetCell(4, 2, "2");
    window->Action3->trigger();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(window->Models[0].PageCount, 1);
    EXPECT_EQ(window->Models[0].KeyCount, 2);
}

TEST_F(KeyGrids, StoreTakesPagesAndKeysBackIntoTheRecord) {
    TMyModelRecord record = WithKeys(2, false);
    record.PageCount = 2;
    record.PageName[0].Assign("Main");
    record.PageName[1].Assign("TV");
    OpenWith(record);
    EXPECT_EQ(window->tsGrid3->CellText(1, 2), "TV");
    window->tsGrid3->SetCell(1, 2, "Video123456789012345");
    Normal().SetCell(5, 1, "1");
    Normal().SetCell(7, 2, "1");
    Normal().SetCell(6, 2, "300");
    window->Action3->trigger();
    ASSERT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("|").toStdString();
    const TMyModelRecord& stored = window->Models[0];
    EXPECT_EQ(stored.PageName[1].Str(), "Video1234567890");
    EXPECT_EQ(stored.BtnInfo[0].CanotDefine, 1);
    EXPECT_EQ(stored.BtnInfo[1].Learned, 1);
    EXPECT_EQ(stored.BtnInfo[1].FollowSno, 300 & 0xFF);
    EXPECT_EQ(SavedModels()[0].PageName[1].Str(), "Video1234567890");
}

} // namespace
} // namespace mm
