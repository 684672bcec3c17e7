// The key grids, "Key Counts", pages, "Has Shift", the SHIFT tab commands and the "KeyIdx info"
// statistics. The rules work on row texts in model/; this file moves texts in and out of grids.
#include "ModelEdit.h"
#include "controls/Grid.h"
#include "controls/RollUpFrame.h"
#include "controls/SpinEdit.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guard.h"
#include "platform/ui/QtText.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace mm {

namespace {
constexpr int kShiftTab = 1;
constexpr int kFollowSnoColumn = 6;
} // namespace

void TfrmModelEdit::ConnectKeyHandlers() {
    Wire(SpinEdit1, &QSpinBox::valueChanged, &TfrmModelEdit::SpinEdit1Change);
    Wire(SpinEdit2, &QSpinBox::valueChanged, &TfrmModelEdit::SpinEdit2Change);
    Wire(CheckBox1, &QCheckBox::toggled, &TfrmModelEdit::CheckBox1Click);
    Wire(PageControl2, &QTabWidget::currentChanged, &TfrmModelEdit::PageControl2Change);
    WireCommand(Action1, &QAction::triggered, &TfrmModelEdit::Action1Execute);
    WireCommand(Action2, &QAction::triggered, &TfrmModelEdit::Action2Execute);
    WireCommand(btnKey, &QPushButton::clicked, &TfrmModelEdit::btnKeyClick);
    WireCommand(btnKeyIdx, &QPushButton::clicked, &TfrmModelEdit::btnKeyIdxClick);
    WireCommand(Button1, &QPushButton::clicked, &TfrmModelEdit::Button1Click);
    connect(tsGridKeyList1, &TtsGrid::CellChanged, this,
            [this](int oc, int nc, int orow, int nrow) {
                Handle([=, this] { tsGridKeyList1CellChanged(oc, nc, orow, nrow); });
            });
    for (TtsGrid* grid : {tsGridKeyList1, tsGridKeyList2})
        connect(grid, &TtsGrid::CellEdit, this, [this](int col, int row) {
            Handle([=, this] { tsGridKeyList1CellEdit(col, row); });
        });
}

TKeyRows TfrmModelEdit::KeyRowsOf(const TtsGrid* grid) const {
    TKeyRows rows(static_cast<size_t>(grid->Rows()));
    for (int r = 1; r <= grid->Rows(); ++r) {
        auto text = [&](int col) { return GbkFromQString(grid->CellText(col, r)); };
        rows[static_cast<size_t>(r - 1)] = {text(2), text(3), text(4), text(5),
                                            text(6), text(7), text(1)};
    }
    return rows;
}

void TfrmModelEdit::ShowKeyRows(TtsGrid* grid, const TKeyRows& rows) {
    std::vector<std::vector<QVariant>> cells;
    cells.reserve(rows.size());
    for (const TKeyRowTexts& row : rows)
        cells.push_back({QStringFromGbk(row.No), QStringFromGbk(row.Name), QStringFromGbk(row.SNo),
                         QStringFromGbk(row.KeyIdx), QStringFromGbk(row.CanotDefine),
                         QStringFromGbk(row.FollowSno), QStringFromGbk(row.Learned)});
    grid->SetAllRows(std::move(cells));
}

void TfrmModelEdit::FillKeyGrids(int index) {
    const TMyModelRecord* record = document_.Record(index);
    if (!record)
        return;
    const int n = tsGridKeyList1->Rows();
    ShowKeyRows(tsGridKeyList1, NormalRows(*record, n));
    ShowKeyRows(tsGridKeyList2, ShiftRows(*record, n));
}

void TfrmModelEdit::SpinEdit1Change() {
    if (!document_.EditMode() || Updating)
        return;
    tsGridKeyList1->SetRows(SpinEdit1->Value());
    tsGridKeyList2->SetRows(SpinEdit1->Value());
}

void TfrmModelEdit::SpinEdit2Change() {
    if (!document_.EditMode() || Updating)
        return;
    tsGrid3->SetRows(SpinEdit2->Value());
}

void TfrmModelEdit::CheckBox1Click() {
    const bool ticked = CheckBox1->isChecked();
    const int keys = SpinEdit1->Value();
    if (!Updating && ticked && keys > KeyCountsMaximum(true)) {
        // With SHIFT the table holds fewer keys: nothing is cut before the user agrees, and the
        // question waits until the click has returned. Until then the box stays unticked.
        {
            const QSignalBlocker quiet(CheckBox1);
            CheckBox1->setChecked(false);
        }
        PostGuarded(this, dialogs_, [this, keys] { AskToCutKeysForShift(keys); });
        return;
    }
    ApplyShiftTick(ticked);
}

void TfrmModelEdit::AskToCutKeysForShift(int keys) {
    if (shownIndex_ < 0 || SpinEdit1->Value() != keys || CheckBox1->isChecked())
        return; // the model or its keys changed while the question waited
    if (!dialogs_.Confirm(QStringLiteral("Keys %1 to %2 will be removed. Continue?")
                              .arg(KeyCountsMaximum(true) + 1)
                              .arg(keys),
                          DefaultAnswer::No))
        return;
    {
        const QSignalBlocker quiet(CheckBox1);
        CheckBox1->setChecked(true);
    }
    ApplyShiftTick(true);
}

void TfrmModelEdit::ApplyShiftTick(bool ticked) {
    SetTabVisible(kShiftTab, ticked);
    {
        // The table holds 124 entries: with SHIFT keys, 62 per page.
        const QSignalBlocker quiet(SpinEdit1);
        SpinEdit1->setMaximum(KeyCountsMaximum(ticked));
    }
    if (Updating)
        return;
    if (SpinEdit1->Value() != tsGridKeyList1->Rows()) {
        tsGridKeyList1->SetRows(SpinEdit1->Value());
        tsGridKeyList2->SetRows(SpinEdit1->Value());
    }
    for (int r = 1; r <= tsGridKeyList2->Rows(); ++r)
        tsGridKeyList2->SetCell(kFollowSnoColumn, r, 255);
}

bool TfrmModelEdit::ShiftTabActive() const {
    return PageControl2->currentIndex() == kShiftTab;
}

void TfrmModelEdit::SetTabVisible(int tab, bool visible) {
    const QSignalBlocker quiet(PageControl2);
    PageControl2->setTabVisible(tab, visible);
}

void TfrmModelEdit::PageControl2Change() {
    if (Updating)
        return;
    for (QPushButton* button : {btnKey, btnKeyIdx, Button1})
        button->setVisible(ShiftTabActive());
}

void TfrmModelEdit::ChangeKeyRows(const std::function<void(TKeyRows&, TKeyRows&)>& change) {
    TKeyRows normal = KeyRowsOf(tsGridKeyList1);
    TKeyRows shift = KeyRowsOf(tsGridKeyList2);
    change(normal, shift);
    TUpdatingScope updating(Updating);
    const int current = tsGridKeyList1->CurrentRow();
    SpinEdit1->SetValue(static_cast<int>(normal.size()));
    ShowKeyRows(tsGridKeyList1, normal);
    ShowKeyRows(tsGridKeyList2, shift);
    tsGridKeyList1->SetCurrentRow(std::min(current, tsGridKeyList1->Rows()));
}

void TfrmModelEdit::Action1Execute() {
    ChangeKeyRows([this](TKeyRows& normal, TKeyRows& shift) {
        InsertKeyRow(normal, shift, tsGridKeyList1->CurrentRow(), SpinEdit1->maximum());
    });
}

void TfrmModelEdit::Action2Execute() {
    ChangeKeyRows([this](TKeyRows& normal, TKeyRows& shift) {
        DeleteKeyRow(normal, shift, tsGridKeyList1->CurrentRow());
    });
}

void TfrmModelEdit::btnKeyClick() {
    ChangeKeyRows([](TKeyRows& normal, TKeyRows& shift) { CopyNormalKeyNames(normal, shift); });
}

void TfrmModelEdit::btnKeyIdxClick() {
    ChangeKeyRows([](TKeyRows& normal, TKeyRows& shift) { KeyIdxIncFromNormal(normal, shift); });
}

void TfrmModelEdit::Button1Click() {
    ChangeKeyRows([](TKeyRows& normal, TKeyRows& shift) { SnoIncFromNormal(normal, shift); });
}

void TfrmModelEdit::ShowStatLines(const TStatEntries& entries, int row, bool onShift) {
    const int remembered = ListBox1->count() == 0 ? -1 : ListBox1->currentRow();
    ListBox1->clear();
    for (const std::string& line : StatLines(entries))
        ListBox1->addItem(QString::fromStdString(line));
    ListBox1->setCurrentRow(StatSelection(entries, row, onShift, remembered));
}

void TfrmModelEdit::ShowKeyIdxStats(int row, bool onShift) {
    const std::vector<std::string> shift =
        CheckBox1->isChecked() ? ColumnTexts(KeyRowsOf(tsGridKeyList2), &TKeyRowTexts::KeyIdx)
                               : std::vector<std::string>{};
    KeyIdxStats = BuildStats(ColumnTexts(KeyRowsOf(tsGridKeyList1), &TKeyRowTexts::KeyIdx), shift);
    ShowStatLines(KeyIdxStats, row, onShift);
}

void TfrmModelEdit::ShowSNoStats(int row) {
    SNoStats = BuildStats(ColumnTexts(KeyRowsOf(tsGridKeyList1), &TKeyRowTexts::SNo));
    ShowStatLines(SNoStats, row, false);
}

void TfrmModelEdit::tsGridKeyList1CellChanged(int, int newCol, int, int newRow) {
    if (Updating)
        return;
    if (newCol == 3 || newCol == 4)
        spSkinGroupBox1->RollDown();
    else
        spSkinGroupBox1->RollUp();
    if (newCol == 4)
        ShowKeyIdxStats(newRow, ShiftTabActive());
    else
        ShowSNoStats(newRow);
}

void TfrmModelEdit::tsGridKeyList1CellEdit(int dataCol, int dataRow) {
    if (dataCol == 4)
        ShowKeyIdxStats(dataRow, ShiftTabActive());
}

} // namespace mm
