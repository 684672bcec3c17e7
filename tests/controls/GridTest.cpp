#include "controls/Grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <gtest/gtest.h>

namespace mm {
namespace {

class Grid : public testing::Test {
protected:
    TtsGrid grid;
    void SetUp() override {
        grid.SetColumns({{"Name", 80}, {"No", 40}, {"Check", 40, true}});
        grid.resize(300, 200);
        grid.show();
    }
};

TEST_F(Grid, CellsAreOneBasedAndKeptWhenTheRowCountChanges) {
    grid.SetRows(3);
    grid.SetCell(1, 3, "c");
    grid.SetCell(2, 3, 7);
    EXPECT_EQ(grid.CellText(1, 3), "c");
    EXPECT_EQ(grid.Cell(2, 3).toInt(), 7);
    grid.SetRows(5);
    EXPECT_EQ(grid.CellText(1, 3), "c");
    EXPECT_EQ(grid.CellText(1, 5), "");
    grid.SetRows(2);
    grid.SetRows(3);
    EXPECT_EQ(grid.CellText(1, 3), ""); // a dropped row takes its cells along
    EXPECT_FALSE(grid.Cell(9, 1).isValid());
    EXPECT_FALSE(grid.Cell(1, 0).isValid());
    EXPECT_EQ(grid.ColCount(), 3);
}

TEST_F(Grid, CheckBoxCellsHoldOneOrZero) {
    grid.SetRows(1);
    grid.SetEditMode(true);
    const QModelIndex check = grid.model()->index(0, 2);
    grid.model()->setData(check, Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(grid.CellText(3, 1), "1");
    grid.model()->setData(check, Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_EQ(grid.CellText(3, 1), "0");
    grid.SetCell(3, 1, "1");
    EXPECT_EQ(grid.model()->data(check, Qt::CheckStateRole).toInt(), Qt::Checked);
    grid.SetEditMode(false);
    EXPECT_FALSE(grid.model()->flags(check) & Qt::ItemIsUserCheckable);
}

TEST_F(Grid, SettingTheCurrentRowRaisesRowChanged) {
    grid.SetAllRows({{"a"}, {"b"}, {"c"}});
    EXPECT_EQ(grid.CurrentRow(), 1);
    QSignalSpy rows(&grid, &TtsGrid::RowChanged);
    grid.SetCurrentRow(3);
    ASSERT_EQ(rows.count(), 1);
    EXPECT_EQ(rows[0][0].toInt(), 1);
    EXPECT_EQ(rows[0][1].toInt(), 3);
    grid.SetAllRows({{"a"}, {"b"}}); // the list keeps the nearest row that still exists
    EXPECT_EQ(grid.CurrentRow(), 2);
    grid.SetAllRows({});
    EXPECT_EQ(grid.CurrentRow(), 0);
}

// Types into the current cell's editor and ends the edit with the key, as a user would.
void TypeIntoCell(TtsGrid& grid, const QString& text, Qt::Key end) {
    grid.edit(grid.currentIndex());
    auto* editor = grid.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, end);
    // The view ends the edit on its next turn, and the end is reported after that.
    for (int turn = 0; turn < 2; ++turn) {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(Grid, TypingRaisesCellEditAndEndingCanCancel) {
    grid.SetAllRows({{"old", "1"}});
    grid.SetEditMode(true);
    grid.setCurrentIndex(grid.model()->index(0, 0));
    QStringList typed;
    QObject::connect(&grid, &TtsGrid::CellEdit,
                     [&](int col, int row) { typed << grid.CellText(col, row); });
    bool cancelNext = true;
    int ended = 0;
    QObject::connect(&grid, &TtsGrid::EndCellEdit, [&](int, int, bool& cancel) {
        cancel = cancelNext;
        ++ended;
    });

    TypeIntoCell(grid, "ab", Qt::Key_Return);
    EXPECT_EQ(typed, (QStringList{"a", "ab"}));
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(grid.CellText(1, 1), "old");

    cancelNext = false;
    TypeIntoCell(grid, "new", Qt::Key_Return);
    EXPECT_EQ(grid.CellText(1, 1), "new");

    TypeIntoCell(grid, "zz", Qt::Key_Escape); // given up: the typed text goes
    EXPECT_EQ(grid.CellText(1, 1), "new");
    EXPECT_EQ(ended, 2);
    EXPECT_EQ(typed.last(), "new"); // and whoever followed the typing is told
}

// A check box clicked is the user's change of its cell, told like typing.
TEST_F(Grid, ACheckBoxClickedRaisesCellEdit) {
    grid.SetAllRows({{"a", "1", "0"}});
    grid.SetEditMode(true);
    QStringList edited;
    QObject::connect(&grid, &TtsGrid::CellEdit, [&](int col, int row) {
        edited << QStringLiteral("%1,%2=%3").arg(col).arg(row).arg(grid.CellText(col, row));
    });
    QStyleOptionViewItem option;
    option.initFrom(&grid);
    option.rect = grid.visualRect(grid.model()->index(0, 2));
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QPoint box = grid.style()
                           ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &grid)
                           .center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, box);
    EXPECT_EQ(edited, QStringList{"3,1=1"});
    grid.SetCell(3, 1, "0"); // the program's own change tells nothing
    EXPECT_EQ(edited.size(), 1);
}

TEST_F(Grid, TheEndOfAnEditIsReportedAfterTheEditorHasClosed) {
    grid.SetAllRows({{"old", "1"}});
    grid.SetEditMode(true);
    grid.setCurrentIndex(grid.model()->index(0, 0));
    bool editorOpen = true;
    QString original;
    QObject::connect(&grid, &TtsGrid::EndCellEdit, [&](int, int, bool&) {
        editorOpen = grid.indexWidget(grid.currentIndex()) != nullptr ||
                     grid.viewport()->findChild<QLineEdit*>() != nullptr;
        original = grid.EditOriginal().toString();
    });
    TypeIntoCell(grid, "new", Qt::Key_Return);
    EXPECT_FALSE(editorOpen); // a handler may show a message without pulling the editor away
    EXPECT_EQ(original, "old");
    EXPECT_FALSE(grid.EditOriginal().isValid());
}

TEST_F(Grid, ColumnsAreNeverNarrowerThanTheirHeadings) {
    TtsGrid narrow;
    narrow.SetColumns({{"A rather long heading", 10}, {"No", 40}});
    EXPECT_GE(narrow.columnWidth(0), narrow.horizontalHeader()->sectionSizeHint(0));
    EXPECT_EQ(narrow.columnWidth(1), 40);
    QFont larger = narrow.font();
    larger.setPointSize(larger.pointSize() * 2);
    narrow.setFont(larger); // a font set later widens them again
    EXPECT_GE(narrow.columnWidth(0), narrow.horizontalHeader()->sectionSizeHint(0));
}

TEST_F(Grid, ListModeSelectsRowsAndEditsNothing) {
    grid.SetAllRows({{"a", "1"}});
    EXPECT_FALSE(grid.EditMode());
    EXPECT_EQ(grid.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 0)) & Qt::ItemIsEditable);
    grid.SetEditMode(true);
    EXPECT_TRUE(grid.model()->flags(grid.model()->index(0, 0)) & Qt::ItemIsEditable);
}

} // namespace
} // namespace mm
