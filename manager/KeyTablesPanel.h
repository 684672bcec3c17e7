#pragma once
// The shown model's keys: "Key Counts", the Normal and SHIFT grids with their commands and the
// "KeyIdx info" statistics. Gestures edit the document's working copy through the window; the
// panel shows the working copy.
#include "WorkingEditor.h"
#include "model/KeyTable.h"

#include <QString>
#include <QWidget>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace mm {

class TDeferredHandlers;
class KeyStatsPanel;
class TModelDocument;
class TSpinEdit;
class TtsGrid;

class KeyTablesPanel : public QWidget {
public:
    // updating is the window's flag: set while it fills controls, whose events then do nothing.
    // insertKey and deleteKey are the window's
    // actions, offered on the grids' menus.
    KeyTablesPanel(TModelDocument& document, bool& updating, TDeferredHandlers& handlers,
                   TWorkingEditor edit, QAction* insertKey, QAction* deleteKey, QWidget* parent);
    // The tab widget whose first two pages are the key grids.
    QTabWidget* Tabs() const { return PageControl2; }

    void ShowWorkingModel();
    // No model: empty grids.
    void ShowNoModel();
    // A model newly shown opens on the Normal tab with the statistics rolled up.
    void ShowFirstTab();
    void RollUpStats();
    // The count is enabled in edit mode only.
    void ShowEditMode(bool editMode);
    void SetGridsEditMode(bool editMode);
    // Takes a count still being typed.
    void Commit();

private:
    QWidget* BuildStrip();
    TtsGrid* BuildKeyGrid(const char* name, bool shift);
    void Connect(TDeferredHandlers& handlers);

    void ShowKeyTables();
    void ShowKeyRows(TtsGrid* grid, const TKeyRows& rows);
    void KeyCountsChanged();
    void IgnoreKeyIdxRepeatedClicked();
    void KeyTabChanged();
    void InsertKey();
    void DeleteKey();
    void ShowKeyIdxStats(int row, bool onShift);
    void KeyCellEntered(int newCol, int newRow);
    void KeyCellTyped(bool shift, int col, int row);
    // One command changing the key rows of both tables, named label, then shown.
    void ChangeKeyRows(const QString& label,
                       const std::function<void(TKeyRows& normal, TKeyRows& shift)>& change);
    bool ShiftTabActive() const;

    TModelDocument& document_;
    bool& Updating;
    TWorkingEditor edit_;
    QAction* Action1 = nullptr; // "Inser a button"
    QAction* Action2 = nullptr; // "Delete a button"

    // The strip above the tables.
    QLabel* Label1 = nullptr;
    TSpinEdit* SpinEdit1 = nullptr;
    QLabel* Label5 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QPushButton* btnKey = nullptr;
    QPushButton* btnKeyIdx = nullptr;
    QPushButton* Button1 = nullptr;

    QTabWidget* PageControl2 = nullptr;
    TtsGrid* tsGridKeyList1 = nullptr;
    TtsGrid* tsGridKeyList2 = nullptr;
    KeyStatsPanel* spSkinGroupBox1 = nullptr; // "KeyIdx info"
};

} // namespace mm
