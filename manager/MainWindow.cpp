// The window's skeleton: start-up, edit mode, showing the current model, saving and closing.
#include "MainWindow.h"

#include "ChipSettingsPanel.h"
#include "CodesPanel.h"
#include "KeyTablesPanel.h"
#include "ModelListPanel.h"
#include "PagesPanel.h"
#include "PicturePanel.h"

#include "controls/Grid.h"
#include "hotedit/windows/ButtonShapeWindow.h"
#include "platform/DayCount.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Guard.h"
#include "platform/ui/QtText.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace mm {

namespace {
constexpr int kReportMilliseconds = 5000;
} // namespace

MainWindow::MainWindow(TDialogs& dialogs, std::string exeDir, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), exeDir_(exeDir), document_(std::move(exeDir)),
      handlers_(*this, dialogs, [this] { UpdateActions(); }) {
    setObjectName(QStringLiteral("frmModelEdit"));
    setFont(WindowFont());
    handlers_.SetBeforeCommand([this] { TakePendingInput(); });
    BuildLayout();
    ConnectHandlers();
    handlers_.Run([this] { LoadCatalogue(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::TakePendingInput() {
    keys_->Commit();
    pages_->Commit();
    chips_->Commit();
    FollowCurrentRow();
}

void MainWindow::ConnectHandlers() {
    WireCommand(ToolButton3, &QToolButton::clicked, &MainWindow::EditModeClick);
    WireCommand(Action3, &QAction::triggered, &MainWindow::SaveClick);
    WireCommand(ToolButton7, &QToolButton::clicked, &MainWindow::ExitClick);
    WireCommand(ToolButton8, &QToolButton::clicked, &MainWindow::DrawButtonsShapeClick);
    WireCommand(undoAction_, &QAction::triggered, &MainWindow::UndoClick);
    WireCommand(redoAction_, &QAction::triggered, &MainWindow::RedoClick);
    ConnectListHandlers();
    ConnectFileHandlers();
}

void MainWindow::LoadCatalogue() {
    document_.SetEditMode(false);
    ApplyEditMode();
    for (const std::string& message : document_.Load())
        startupMessages_ << QString::fromStdString(message);
    RefreshList();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (startupReported_)
        return;
    startupReported_ = true;
    // After the window is up, so the report stands in front of it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            for (const QString& message : std::as_const(startupMessages_))
                dialogs_.ShowMessage(message);
        },
        Qt::QueuedConnection);
}

int MainWindow::CurrentRow() const {
    return tsGrid1->CurrentRow();
}

void MainWindow::ApplyEditMode() {
    const bool editMode = document_.EditMode();
    picture_->ShowEditMode(editMode);
    keys_->ShowEditMode(editMode);
    pages_->ShowEditMode(editMode);
    chips_->ShowEditMode(editMode);
    // With no model in the list, leaving edit mode leaves the caption and the grids as they are.
    if (editMode || tsGrid1->Rows() > 0) {
        ToolButton3->setText(editMode ? QStringLiteral("Exit Edit") : QStringLiteral("Edit"));
        tsGrid1->SetEditMode(editMode);
        keys_->SetGridsEditMode(editMode);
        pages_->SetGridEditMode(editMode);
    }
    UpdateActions();
}

void MainWindow::UpdateActions() {
    for (QAction* action : {Action1, Action2, Action3, Action4, Action5})
        action->setEnabled(document_.EditMode());
}

void MainWindow::RefreshList() {
    TUpdatingScope updating(Updating);
    keys_->RollUpStats();
    list_->Fill();
    if (document_.Count() > 0)
        ShowCurrentModel();
    else
        document_.OpenWorking(-1);
}

void MainWindow::ShowCurrentModel() {
    ShowModel(CurrentRow() - 1);
}

void MainWindow::ShowAfterUndo() {
    TUpdatingScope updating(Updating);
    keys_->RollUpStats();
    list_->Fill();
    const int index = ShownIndex();
    if (!document_.Record(index)) {
        RefreshList();
        return;
    }
    tsGrid1->SetCurrentRow(index + 1);
    ShowWorkingModel();
    picture_->ShowPicture(index);
}

void MainWindow::ShowModel(int index) {
    TUpdatingScope updating(Updating);
    document_.OpenWorking(index);
    keys_->ShowFirstTab();
    ShowWorkingModel();
    picture_->ShowPicture(ShownIndex());
}

void MainWindow::ShowWorkingModel() {
    TUpdatingScope updating(Updating);
    if (!document_.Record(ShownIndex())) {
        SetBrandButtonVisible(false);
        keys_->ShowNoModel();
        pages_->ShowNoModel();
        return;
    }
    keys_->ShowWorkingModel();
    pages_->ShowWorkingModel();
    chips_->ShowWorkingModel();
    codes_->ShowWorkingModel();
    SetBrandButtonVisible(document_.Working().BrandButtonShown);
}

void MainWindow::SetBrandButtonVisible(bool visible) {
    ToolBar1->findChild<QAction*>(QStringLiteral("tbnUniverModeAction"))->setVisible(visible);
}

TWorkingEditor MainWindow::WorkingEditor() {
    return [this](const QString& label, int mergeKey,
                  const std::function<void(TWorkingModel&)>& change) {
        return EditWorking(label, mergeKey, change);
    };
}

bool MainWindow::EditWorking(const QString& label, int mergeKey,
                             const std::function<void(TWorkingModel&)>& change) {
    if (Updating)
        return false;
    document_.EditWorking(label, mergeKey, change);
    return true;
}

void MainWindow::SaveDatabase() {
    const size_t written = document_.Save(NowAsDayCount());
    Report(QStringLiteral("%1 models written to %2")
               .arg(written)
               .arg(QString::fromStdString(document_.DatabasePath())));
}

void MainWindow::UndoClick() {
    UndoOrRedo(true);
}

void MainWindow::RedoClick() {
    UndoOrRedo(false);
}

void MainWindow::UndoOrRedo(bool undo) {
    QUndoStack& stack = document_.UndoStack();
    if (undo ? !stack.canUndo() : !stack.canRedo())
        return;
    const QString label = undo ? stack.undoText() : stack.redoText();
    if (undo)
        stack.undo();
    else
        stack.redo();
    ShowAfterUndo();
    Report((undo ? QStringLiteral("Undone: ") : QStringLiteral("Redone: ")) + label);
}

void MainWindow::Report(const QString& text) {
    statusBar()->showMessage(text, kReportMilliseconds);
}

bool MainWindow::StoreShownModel() {
    return !document_.EditMode() || !document_.Record(ShownIndex()) || StoreModelReported();
}

bool MainWindow::StoreModel() {
    if (const auto broken = document_.StoreWorking()) {
        dialogs_.ShowMessage(QString::fromStdString(*broken));
        return false;
    }
    return true;
}

bool MainWindow::StoreModelReported() {
    bool stored = false;
    Guarded(dialogs_, [&] { stored = StoreModel(); });
    return stored;
}

void MainWindow::EditModeClick() {
    if (!document_.EditMode()) {
        document_.SetEditMode(true);
    } else {
        if (!StoreModelReported())
            return;
        SaveDatabase();
        document_.SetEditMode(false);
    }
    ApplyEditMode();
}

void MainWindow::SaveClick() {
    if (StoreModelReported())
        SaveDatabase();
}

void MainWindow::ExitClick() {
    if (document_.EditMode()) {
        dialogs_.ShowMessage(QStringLiteral("Please exit edit mode!"));
        return;
    }
    close();
}

void MainWindow::DrawButtonsShapeClick() {
    const TMyModelRecord* record = document_.Record(ShownIndex());
    if (!record)
        return;
    if (shapeWindowPending_)
        return;
    shapeWindowPending_ = true;
    // A copy of the record as it is now. The window opens once a second click of a double
    // click could have come: that lands on this button, which ignores it, not on the new
    // window's "Edit". What the window wrote is told in the status bar.
    QTimer::singleShot(QApplication::doubleClickInterval(), this, [this, model = *record] {
        Guarded(dialogs_, [&] {
            ShowButtonShapeWindow(this, dialogs_, model, exeDir_,
                                  [this](const QString& message) { Report(message); });
        });
        shapeWindowPending_ = false;
    });
}

bool MainWindow::MayClose() {
    // No is the default: Escape to leave a cell, then Enter, must not throw work away.
    if (document_.EditMode())
        return dialogs_.Confirm(QStringLiteral("Are you sure exit with edit mode?"),
                                DefaultAnswer::No);
    // Outside edit mode the changes never written are imports, or undos and redos after a save.
    if (document_.Unsaved())
        return dialogs_.Confirm(
            document_.UnsavedImports()
                ? QStringLiteral("Imported models have not been saved. Close anyway?")
                : QStringLiteral("Changes have not been saved. Close anyway?"),
            DefaultAnswer::No);
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    Guarded(dialogs_, [&] { canClose = MayClose(); });
    if (canClose)
        event->accept();
    else
        event->ignore();
}

// Escape reaches the window only when the focused control had no use for it: an open cell
// editor or a spin box being typed in cancels its own edit first.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    // The question waits until the key's event has returned; keys pressed meanwhile ask
    // nothing more.
    if (!closePending_) {
        closePending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                closePending_ = false;
                close();
            },
            Qt::QueuedConnection);
    }
}

} // namespace mm
