#pragma once
// The main window: the model list, the shown model's keys, pages, chip settings, codes and
// picture, and the edit mode in which they are stored back and the database is saved. The
// models, the working copy of the shown model and the commands on them live in TModelDocument;
// the window shows it and forwards the user's gestures to it.
#include "ModelDocument.h"
#include "UpdatingScope.h"
#include "WorkingEditor.h"
#include "controls/DeferredHandlers.h"
#include "model/KeyTable.h"

#include <QMainWindow>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QToolBar;
class QToolButton;

namespace mm {

class TDialogs;
class ChipSettingsPanel;
class CodesPanel;
class KeyTablesPanel;
class ModelListPanel;
class PagesPanel;
class PicturePanel;
class TtsGrid;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Loads the database "data/model.RMF" below exeDir and fills the model list.
    MainWindow(TDialogs& dialogs, std::string exeDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    const TModelDocument& Document() const { return document_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Layout (MainWindowLayout.cpp).
    void BuildLayout();
    void BuildToolBar();
    QWidget* BuildLeftPanel();
    QWidget* BuildRightPanel();
    QWidget* BuildKeyTables();
    // The panels' way of editing the working copy.
    TWorkingEditor WorkingEditor();

    // Wiring: every handler runs through the error report; a command first takes what the
    // user is still typing and follows a pending change of the model list's row.
    void ConnectHandlers();
    void ConnectListHandlers();
    void ConnectFileHandlers();
    void TakePendingInput();
    template <typename Sender, typename Signal>
    void WireCommand(Sender* sender, Signal signal, void (MainWindow::*handler)()) {
        handlers_.WireCommand(sender, signal, [this, handler] { (this->*handler)(); });
    }

    // Operations.
    void LoadCatalogue();
    bool MayClose();
    void ApplyEditMode();
    void RefreshList();
    // Opens Models[index] as the working copy and shows it.
    void ShowModel(int index);
    void ShowCurrentModel();
    // Every control of the shown model as the working copy says.
    void ShowWorkingModel();
    // After an undo or redo: the list, and the working copy on its row.
    void ShowAfterUndo();
    // The working copy into its record; a broken rule is reported.
    bool StoreModel();
    // StoreModel with a conversion error reported like a broken rule: false either way.
    bool StoreModelReported();
    int CurrentRow() const;
    // The model the controls show, -1 for none.
    int ShownIndex() const { return document_.WorkingIndex(); }
    // An edit of the working copy by a gesture; false while the window fills its controls.
    bool EditWorking(const QString& label, int mergeKey,
                     const std::function<void(TWorkingModel&)>& change);
    void SetBrandButtonVisible(bool visible);
    void SaveDatabase();
    // Ctrl+Z and Ctrl+Shift+Z or Ctrl+Y: the last change of the catalogue or of the working copy
    // is undone or redone and named.
    void UndoClick();
    void RedoClick();
    void UndoOrRedo(bool undo);
    // What a command wrote, and where, in the status bar for a few seconds.
    void Report(const QString& text);
    // Copy/Add, Import and Export first store the model being edited, as leaving it does: false
    // when a broken rule was reported.
    bool StoreShownModel();

    // Toolbar and actions.
    void EditModeClick();
    void SaveClick();
    void ExitClick();
    void DrawButtonsShapeClick();
    void UpdateActions();

    // Model list (MainWindowList.cpp).
    void LeaveModelForRow(int oldRow, int newRow);
    // The row-change protocol, run once the event that moved the row has returned: the model
    // shown is left for the list's current row, or kept when its store fails.
    void FollowCurrentRow();
    void DeleteModelClick();
    void CopyAddClick();

    // Exchange file, JSON export and brand list (MainWindowFiles.cpp).
    void ExportClick();
    void ImportClick();
    void ExportJsonClick();
    void BrandListClick();

    TDialogs& dialogs_;
    std::string exeDir_;
    TModelDocument document_;
    TDeferredHandlers handlers_;
    // False except while the window itself fills controls: then the handlers of the events it
    // raises do nothing.
    bool Updating = false;
    QStringList startupMessages_;
    bool startupReported_ = false;
    bool closePending_ = false;
    // The button shape window is about to open or open: further clicks open no other.
    bool shapeWindowPending_ = false;

    // Toolbar.
    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QToolButton* ToolButton5 = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QToolButton* ToolButton8 = nullptr;
    QToolButton* ToolButton10 = nullptr;
    QToolButton* ToolButton7 = nullptr;
    QToolButton* tbnUniverMode = nullptr;
    QAction* Action1 = nullptr; // "Inser a button"
    QAction* Action2 = nullptr; // "Delete a button"
    QAction* Action3 = nullptr; // "Save"
    QAction* Action4 = nullptr; // "Delete"
    QAction* Action5 = nullptr; // "Copy/Add"
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;

    // Left panel.
    ModelListPanel* list_ = nullptr;
    TtsGrid* tsGrid1 = nullptr; // the list's grid
    PagesPanel* pages_ = nullptr;
    ChipSettingsPanel* chips_ = nullptr;

    // Right panel.
    PicturePanel* picture_ = nullptr;

    // Centre.
    KeyTablesPanel* keys_ = nullptr;
    CodesPanel* codes_ = nullptr;
};

} // namespace mm
