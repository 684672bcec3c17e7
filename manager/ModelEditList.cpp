// The model list: choosing the current model, editing names and IDs in place, search, copy and
// delete.
#include "ModelEdit.h"
#include "controls/Grid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtText.h"

#include <QAction>
#include <QLineEdit>

namespace mm {

void TfrmModelEdit::ConnectListHandlers() {
    connect(tsGrid1, &TtsGrid::RowChanged, this, [this](int oldRow, int newRow) {
        Handle([=, this] { tsGrid1RowChanged(oldRow, newRow); });
    });
    connect(tsGrid1, &TtsGrid::CellEdit, this,
            [this](int col, int row) { Handle([=, this] { tsGrid1CellEdit(col, row); }); });
    connect(tsGrid1, &TtsGrid::EndCellEdit, this, [this](int col, int row, bool& cancel) {
        Handle([&, col, row, this] { tsGrid1EndCellEdit(col, row, cancel); });
    });
    Wire(Edit1, &QLineEdit::textChanged, &TfrmModelEdit::Edit1Change);
    Wire(Action4, &QAction::triggered, &TfrmModelEdit::Action4Execute);
    Wire(Action5, &QAction::triggered, &TfrmModelEdit::Action5Execute);
}

void TfrmModelEdit::tsGrid1RowChanged(int oldRow, int) {
    if (Updating)
        return;
    if (EditMode) {
        if (tsGrid1->Rows() < 1)
            return;
        if (!StoreModelReported(oldRow - 1)) {
            TUpdatingScope updating(Updating);
            tsGrid1->SetCurrentRow(oldRow);
            return;
        }
        TUpdatingScope updating(Updating);
        if (!Models.empty())
            ShowCurrentModel();
        return;
    }
    TUpdatingScope updating(Updating);
    if (CurrentRow() - 1 < static_cast<int>(Models.size()))
        ShowCurrentModel();
}

TMyModelRecord* TfrmModelEdit::RecordOfRow(int row) {
    if (row < 1 || row > static_cast<int>(Models.size()))
        return nullptr;
    return &Models[static_cast<size_t>(row - 1)];
}

void TfrmModelEdit::TakeNameCell(int row, const char* emptyMessage, bool& cancel) {
    TMyModelRecord* record = RecordOfRow(row);
    const QString text = tsGrid1->CellText(1, row);
    if (!record)
        return;
    if (text.isEmpty()) {
        dialogs_.ShowMessage(QString::fromLatin1(emptyMessage));
        cancel = true;
        return;
    }
    record->ModelType.Assign(GbkFromQString(text));
}

void TfrmModelEdit::TakeIdCell(int row) {
    if (TMyModelRecord* record = RecordOfRow(row))
        record->ModelID = ModelIdFromText(GbkFromQString(tsGrid1->CellText(2, row)));
}

void TfrmModelEdit::tsGrid1CellEdit(int dataCol, int dataRow) {
    bool ignored = false;
    switch (dataCol) {
    case 1:
        TakeNameCell(dataRow, "please input name", ignored);
        break;
    case 2:
        TakeIdCell(dataRow);
        break;
    case 3:
        if (TMyModelRecord* record = RecordOfRow(dataRow))
            record->Remark.Assign(GbkFromQString(tsGrid1->CellText(3, dataRow)));
        break;
    }
}

void TfrmModelEdit::tsGrid1EndCellEdit(int dataCol, int dataRow, bool& cancel) {
    if (dataCol == 1)
        TakeNameCell(dataRow, "Please input a name", cancel);
    else if (dataCol == 2)
        TakeIdCell(dataRow);
}

void TfrmModelEdit::Edit1Change() {
    const int found = FindModelByName(Models, GbkFromQString(Edit1->text()));
    if (found < 0)
        return;
    tsGrid1->SetCurrentRow(found + 1);
    // The row above the match is the first one visible.
    tsGrid1->SetTopRow(std::max(1, found));
}

void TfrmModelEdit::Action5Execute() {
    if (tsGrid1->Rows() == 0) {
        Models.assign(1, TMyModelRecord());
        RefreshList();
        return;
    }
    const TMyModelRecord* source = RecordOfRow(CurrentRow());
    if (!source)
        return;
    Models.push_back(TMyModelRecord(*source));
    Models.back().ModelID = LowestFreeModelID(Models);
    RefreshList();
}

void TfrmModelEdit::Action4Execute() {
    if (tsGrid1->Rows() <= 1) {
        dialogs_.ShowMessage(QStringLiteral("Can not delete! there are only one remote!"));
        return;
    }
    if (!RecordOfRow(CurrentRow()))
        return;
    if (!dialogs_.Confirm(QStringLiteral("Are you sure to delete current?")))
        return;
    Models.erase(Models.begin() + (CurrentRow() - 1));
    RefreshList();
}

} // namespace mm
