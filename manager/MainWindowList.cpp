// The model list: choosing the current model, editing names and IDs in place, search, copy and
// delete.
#include "MainWindow.h"
#include "controls/Grid.h"
#include "platform/Errors.h"
#include "platform/Streams.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtText.h"

#include <QAction>
#include <QLineEdit>

namespace mm {

namespace {
constexpr int kNameColumn = 1;
constexpr int kIdColumn = 2;
constexpr int kRemarkColumn = 3;
} // namespace

void MainWindow::ConnectListHandlers() {
    // The row moves inside the list's own mouse or key event, or inside the search box's: the
    // store and its message wait until that event has returned.
    connect(
        tsGrid1, &TtsGrid::RowChanged, this, [this] { Handle([this] { FollowCurrentRow(); }); },
        Qt::QueuedConnection);
    connect(tsGrid1, &TtsGrid::CellEdit, this,
            [this](int col, int row) { Handle([=, this] { tsGrid1CellEdit(col, row); }); });
    connect(tsGrid1, &TtsGrid::EndCellEdit, this, [this](int col, int row, bool& cancel) {
        Handle([&, col, row, this] { tsGrid1EndCellEdit(col, row, cancel); });
    });
    Wire(Edit1, &QLineEdit::textChanged, &MainWindow::Edit1Change);
    WireCommand(Action4, &QAction::triggered, &MainWindow::Action4Execute);
    WireCommand(Action5, &QAction::triggered, &MainWindow::Action5Execute);
}

void MainWindow::FollowCurrentRow() {
    if (Updating || CurrentRow() - 1 == ShownIndex())
        return;
    tsGrid1RowChanged(ShownIndex() + 1, CurrentRow());
}

void MainWindow::tsGrid1RowChanged(int oldRow, int) {
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

// Typing takes effect at once where the text is acceptable; what is not is reported once, when
// the user leaves the cell.
void MainWindow::tsGrid1CellEdit(int dataCol, int dataRow) {
    const std::string text = GbkFromQString(tsGrid1->CellText(dataCol, dataRow));
    switch (dataCol) {
    case kNameColumn:
        document_.SetName(dataRow - 1, text);
        break;
    case kIdColumn:
        document_.SetId(dataRow - 1, text);
        break;
    case kRemarkColumn:
        document_.SetRemark(dataRow - 1, text);
        break;
    }
}

void MainWindow::tsGrid1EndCellEdit(int dataCol, int dataRow, bool& cancel) {
    const std::string text = GbkFromQString(tsGrid1->CellText(dataCol, dataRow));
    const std::string original = GbkFromQString(tsGrid1->EditOriginal().toString());
    const TMyModelRecord* record = document_.Record(dataRow - 1);
    if (!record)
        return;
    switch (dataCol) {
    case kNameColumn:
        if (!document_.SetName(dataRow - 1, text)) {
            dialogs_.ShowMessage(QStringLiteral("Please input a name"));
            cancel = true;
            document_.SetName(dataRow - 1, original);
            return;
        }
        // The cell shows what the record holds: a long name cut to its field.
        tsGrid1->SetCell(kNameColumn, dataRow, QStringFromGbk(record->ModelType.Str()));
        break;
    case kIdColumn:
        if (!document_.SetId(dataRow - 1, text)) {
            cancel = true;
            document_.SetId(dataRow - 1, original);
            throw ConvertError("$" + text); // the identifier is read as hexadecimal
        }
        break;
    case kRemarkColumn:
        tsGrid1->SetCell(kRemarkColumn, dataRow, QStringFromGbk(record->Remark.Str()));
        break;
    }
}

void MainWindow::Edit1Change() {
    const int found = FindModelByName(document_.Models(), GbkFromQString(Edit1->text()));
    if (found < 0)
        return;
    tsGrid1->SetCurrentRow(found + 1);
    // The row above the match is the first one visible.
    tsGrid1->SetTopRow(std::max(1, found));
}

void MainWindow::Action5Execute() {
    if (!StoreShownModel())
        return;
    document_.CopyAdd(ShownIndex());
    RefreshList();
}

void MainWindow::Action4Execute() {
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
