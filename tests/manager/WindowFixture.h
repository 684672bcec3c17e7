#pragma once
// A main window over a private data folder, talking to the user through scripted dialogs and
// driven as a user drives it: mouse clicks and key presses on its widgets, found by their
// designer names.
#include "QtPrinters.h"
#include "RealInput.h"
#include "TestSupport.h"
#include "controls/Grid.h"
#include "manager/MainWindow.h"
#include "model/ModelFile.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace mm::test {

class WindowTest : public testing::Test {
protected:
    TempDir dir;
    TScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    std::string DataDir() const { return dir.Dir() + "data"; }
    std::string DatabasePath() const { return ModelDatabasePath(dir.Dir()); }

    void SetUp() override { std::filesystem::create_directory(DataDir()); }

    void SaveDatabase(const TMyModelRecords& models) { SaveModelFile(DatabasePath(), models, 0); }

    // A model that passes every rule: two keys with distinct numbers, one page.
    static TMyModelRecord ValidModel(uint16_t id, const std::string& name) {
        TMyModelRecord record;
        record.ModelID = id;
        record.ModelType.Assign(name);
        record.KeyCount = 2;
        record.PageCount = 1;
        for (int k = 0; k < 2; ++k) {
            record.BtnInfo[k].Name.Assign("Key" + std::to_string(k + 1));
            record.BtnInfo[k].KNo = static_cast<uint8_t>(k + 1);
            record.BtnInfo[k].KeyIdx = static_cast<uint16_t>(k + 1);
        }
        return record;
    }

    void Open() {
        window = std::make_unique<MainWindow>(dialogs, dir.Dir());
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Settle();
    }

    void OpenWith(const TMyModelRecords& models) {
        SaveDatabase(models);
        Open();
    }

    TMyModelRecords SavedModels() {
        TMyModelRecords models;
        LoadModelFile(DatabasePath(), models);
        return models;
    }

    const TMyModelRecords& Models() const { return window->Document().Models(); }
    bool InEditMode() const { return window->Document().EditMode(); }

    static void Settle() { test::Settle(); }

    template <typename T = QWidget> T* Find(const char* name) const {
        return test::Find<T>(window.get(), name);
    }
    TtsGrid* Grid(const char* name) const { return Find<TtsGrid>(name); }

    void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = {}) {
        test::Click(widget, button, at);
    }
    void Click(const char* name) { Click(Find(name)); }
    void Key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = {}) {
        test::Key(widget, key, modifiers);
    }
    void Type(QWidget* widget, const QString& text) { test::Type(widget, text); }
    // Keys typed go to whichever widget has the focus at each key, as they do for a user.
    void Type(const QString& text) {
        for (const QChar ch : text)
            Type(QApplication::focusWidget(), QString(ch));
    }

    void EnterEditMode() { Click("ToolButton3"); }
    // Ctrl+S, as a user saves.
    void Save() {
        window->activateWindow(); // a closed menu or dialog may have had the focus
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Key(window.get(), Qt::Key_S, Qt::ControlModifier);
    }

    QPoint CellCentre(TtsGrid* grid, int col, int row) {
        const QModelIndex cell = grid->model()->index(row - 1, col - 1);
        grid->scrollTo(cell);
        return grid->visualRect(cell).center();
    }
    void ClickCell(TtsGrid* grid, int col, int row) {
        Click(grid->viewport(), Qt::LeftButton, CellCentre(grid, col, row));
    }
    // A click on the check box drawn in a cell.
    void ClickCheckBox(TtsGrid* grid, int col, int row) {
        QStyleOptionViewItem option;
        option.initFrom(grid);
        option.rect = grid->visualRect(grid->model()->index(row - 1, col - 1));
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect box =
            grid->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, grid);
        Click(grid->viewport(), Qt::LeftButton, box.center());
    }
    // The cell editor open in a grid, or nullptr.
    QLineEdit* CellEditor(TtsGrid* grid) { return grid->viewport()->findChild<QLineEdit*>(); }
    // Selects the cell, opens its editor with F2, replaces the text and presses Enter.
    void EditCell(TtsGrid* grid, int col, int row, const QString& text) {
        ClickCell(grid, col, row);
        Key(grid, Qt::Key_F2);
        QLineEdit* editor = CellEditor(grid);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        Key(editor, Qt::Key_Backspace);
        Type(editor, text);
        Key(editor, Qt::Key_Return);
    }

    // Opens a widget's context menu with a right click, as the platform reports it (button
    // press and release, then the menu request), and clicks the item of that caption.
    void ChooseFromContextMenu(QWidget* widget, QPoint at, const QString& item) {
        QTimer::singleShot(0, [item] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions())
                if (action->text() == item)
                    QTest::mouseClick(menu, Qt::LeftButton, {},
                                      menu->actionGeometry(action).center());
            if (menu->isVisible()) // a disabled item keeps the menu open
                menu->close();
        });
        QTest::mouseClick(widget, Qt::RightButton, {}, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QSpontaneKeyEvent::setSpontaneous(&request);
        QApplication::sendEvent(widget, &request);
        Settle();
    }
    void ChooseFromCellMenu(TtsGrid* grid, int col, int row, const QString& item) {
        ChooseFromContextMenu(grid->viewport(), CellCentre(grid, col, row), item);
    }
};

} // namespace mm::test
