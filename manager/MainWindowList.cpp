// Following the model list's row (the model shown is stored first), copy and delete.
#include "MainWindow.h"
#include "controls/Grid.h"
#include "platform/Streams.h"
#include "platform/ui/Dialogs.h"

#include <QAction>

namespace mm {

void MainWindow::ConnectListHandlers() {
    // The row moves inside the list's own mouse or key event, or inside the search box's: the
    // store and its message wait until that event has returned.
    connect(
        tsGrid1, &TtsGrid::RowChanged, this,
        [this] { handlers_.Run([this] { FollowCurrentRow(); }); }, Qt::QueuedConnection);
    WireCommand(Action4, &QAction::triggered, &MainWindow::DeleteModelClick);
    WireCommand(Action5, &QAction::triggered, &MainWindow::CopyAddClick);
}

void MainWindow::FollowCurrentRow() {
    if (Updating || CurrentRow() - 1 == ShownIndex())
        return;
    LeaveModelForRow(ShownIndex() + 1, CurrentRow());
}

void MainWindow::LeaveModelForRow(int oldRow, int) {
    if (Updating)
        return;
    if (document_.EditMode()) {
        if (tsGrid1->Rows() < 1)
            return;
        if (!StoreModelReported()) {
            TUpdatingScope updating(Updating);
            tsGrid1->SetCurrentRow(oldRow);
            return;
        }
    }
    TUpdatingScope updating(Updating);
    ShowCurrentModel();
}

void MainWindow::CopyAddClick() {
    if (!StoreShownModel())
        return;
    document_.CopyAdd(ShownIndex());
    RefreshList();
}

void MainWindow::DeleteModelClick() {
    if (tsGrid1->Rows() <= 1) {
        dialogs_.ShowMessage(QStringLiteral("Can not delete! there are only one remote!"));
        return;
    }
    if (!document_.Record(ShownIndex()))
        return;
    if (!dialogs_.Confirm(QStringLiteral("Are you sure to delete current?"), DefaultAnswer::No))
        return;
    const std::string outlines = document_.HotMapPath(ShownIndex());
    document_.Delete(ShownIndex());
    RefreshList();
    if (FileExists(outlines))
        Report(QStringLiteral("Model deleted; its outlines stay in %1")
                   .arg(QString::fromStdString(outlines)));
}

} // namespace mm
