// The key grids, "Key Counts", pages, "Has Shift", the SHIFT tab commands and the "KeyIdx info"
// statistics. Every gesture edits the document's working copy; the grids show it.
#include "KeyStatsPanel.h"
#include "MainWindow.h"
#include "controls/Grid.h"
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
constexpr int kNameColumn = 2;

QString ActionLabel(QString caption) {
    return caption.remove(QLatin1Char('&'));
}
} // namespace

void MainWindow::ConnectKeyHandlers() {
    Wire(SpinEdit1, &QSpinBox::valueChanged, &MainWindow::KeyCountsChanged);
    Wire(SpinEdit2, &QSpinBox::valueChanged, &MainWindow::PageCountsChanged);
    Wire(CheckBox1, &QCheckBox::toggled, &MainWindow::HasShiftClicked);
    Wire(CheckBox2, &QCheckBox::toggled, &MainWindow::IgnoreKeyIdxRepeatedClicked);
    Wire(PageControl2, &QTabWidget::currentChanged, &MainWindow::KeyTabChanged);
    WireCommand(Action1, &QAction::triggered, &MainWindow::InsertKey);
    WireCommand(Action2, &QAction::triggered, &MainWindow::DeleteKey);
    WireCommand(btnKey, &QPushButton::clicked, &MainWindow::CopyNormalKeyNamesClick);
    WireCommand(btnKeyIdx, &QPushButton::clicked, &MainWindow::KeyIdxIncClick);
    WireCommand(Button1, &QPushButton::clicked, &MainWindow::SnoIncClick);
    connect(tsGridKeyList1, &TtsGrid::CellChanged, this,
            [this](int oc, int nc, int orow, int nrow) {
                Handle([=, this] { KeyCellEntered(oc, nc, orow, nrow); });
            });
    for (TtsGrid* grid : {tsGridKeyList1, tsGridKeyList2})
        connect(grid, &TtsGrid::CellEdit, this, [this, grid](int col, int row) {
            Handle([=, this] { KeyCellTyped(grid == tsGridKeyList2, col, row); });
        });
    connect(tsGrid3, &TtsGrid::CellEdit, this,
            [this](int, int row) { Handle([=, this] { PageNameTyped(row); }); });
}

void MainWindow::ShowKeyRows(TtsGrid* grid, const TKeyRows& rows) {
    std::vector<std::vector<QVariant>> cells;
    cells.reserve(rows.size());
    for (const TKeyRowTexts& row : rows)
        cells.push_back({QStringFromGbk(row.No), QStringFromGbk(row.Name), QStringFromGbk(row.SNo),
                         QStringFromGbk(row.KeyIdx), QStringFromGbk(row.CanotDefine),
                         QStringFromGbk(row.FollowSno), QStringFromGbk(row.Learned)});
    grid->SetAllRows(std::move(cells));
}

void MainWindow::ShowKeyTables() {
    TUpdatingScope updating(Updating);
    const TStoreInput& input = document_.Working().Input;
    SpinEdit1->setMaximum(KeyCountsMaximum(input.HasShift));
    SpinEdit1->SetValue(input.KeyCounts);
    ShowKeyRows(tsGridKeyList1, input.Normal);
    ShowKeyRows(tsGridKeyList2, input.Shift);
}

void MainWindow::ShowPageNames() {
    TUpdatingScope updating(Updating);
    const TStoreInput& input = document_.Working().Input;
    SpinEdit2->SetValue(input.PageCounts);
    std::vector<std::vector<QVariant>> rows;
    for (const std::string& name : input.PageNames)
        rows.push_back({QStringFromGbk(name)});
    tsGrid3->SetAllRows(std::move(rows));
}

void MainWindow::KeyCountsChanged() {
    if (!document_.EditMode() || Updating)
        return;
    EditWorking(QStringLiteral("Change key count"), kMergeKeyCounts,
                [this](TWorkingModel& model) { SetKeyCounts(model, SpinEdit1->Value()); });
    ShowKeyTables();
}

void MainWindow::PageCountsChanged() {
    if (!document_.EditMode() || Updating)
        return;
    EditWorking(QStringLiteral("Change page count"), kMergePageCounts,
                [this](TWorkingModel& model) { SetPageCounts(model, SpinEdit2->Value()); });
    ShowPageNames();
}

void MainWindow::IgnoreKeyIdxRepeatedClicked() {
    document_.SetIgnoreKeyIdxRepeated(CheckBox2->isChecked());
}

void MainWindow::HasShiftClicked() {
    if (Updating)
        return;
    const bool ticked = CheckBox1->isChecked();
    const int keys = document_.Working().Input.KeyCounts;
    if (ticked && keys > KeyCountsMaximum(true)) {
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

void MainWindow::AskToCutKeysForShift(int keys) {
    const TStoreInput& input = document_.Working().Input;
    if (!document_.Record(ShownIndex()) || input.KeyCounts != keys || input.HasShift)
        return; // the model or its keys changed while the question waited
    if (!dialogs_.Confirm(QStringLiteral("Keys %1 to %2 will be removed. Continue?")
                              .arg(KeyCountsMaximum(true) + 1)
                              .arg(keys),
                          DefaultAnswer::No))
        return;
    ApplyShiftTick(true);
}

void MainWindow::ApplyShiftTick(bool ticked) {
    EditWorking(ticked ? QStringLiteral("Tick Has Shift") : QStringLiteral("Clear Has Shift"), 0,
                [ticked](TWorkingModel& model) { SetHasShift(model, ticked); });
    ShowWorkingModel();
}

bool MainWindow::ShiftTabActive() const {
    return PageControl2->currentIndex() == kShiftTab;
}

void MainWindow::SetTabVisible(int tab, bool visible) {
    const QSignalBlocker quiet(PageControl2);
    PageControl2->setTabVisible(tab, visible);
}

void MainWindow::KeyTabChanged() {
    if (Updating)
        return;
    for (QPushButton* button : {btnKey, btnKeyIdx, Button1})
        button->setVisible(ShiftTabActive());
}

void MainWindow::ChangeKeyRows(const QString& label,
                               const std::function<void(TKeyRows&, TKeyRows&)>& change) {
    const int current = tsGridKeyList1->CurrentRow();
    EditWorking(label, kNoMerge, [&](TWorkingModel& model) {
        change(model.Input.Normal, model.Input.Shift);
        FollowKeyRows(model);
    });
    ShowKeyTables();
    TUpdatingScope updating(Updating);
    tsGridKeyList1->SetCurrentRow(std::min(current, tsGridKeyList1->Rows()));
}

void MainWindow::InsertKey() {
    const int at = tsGridKeyList1->CurrentRow();
    const int maximum = SpinEdit1->maximum();
    ChangeKeyRows(ActionLabel(Action1->text()), [at, maximum](TKeyRows& normal, TKeyRows& shift) {
        InsertKeyRow(normal, shift, at, maximum);
    });
}

void MainWindow::DeleteKey() {
    const int at = tsGridKeyList1->CurrentRow();
    ChangeKeyRows(ActionLabel(Action2->text()),
                  [at](TKeyRows& normal, TKeyRows& shift) { DeleteKeyRow(normal, shift, at); });
}

void MainWindow::CopyNormalKeyNamesClick() {
    ChangeKeyRows(ActionLabel(btnKey->text()), CopyNormalKeyNames);
}

void MainWindow::KeyIdxIncClick() {
    ChangeKeyRows(ActionLabel(btnKeyIdx->text()), KeyIdxIncFromNormal);
}

void MainWindow::SnoIncClick() {
    ChangeKeyRows(ActionLabel(Button1->text()), SnoIncFromNormal);
}

void MainWindow::ShowKeyIdxStats(int row, bool onShift) {
    const TStoreInput& input = document_.Working().Input;
    spSkinGroupBox1->ShowKeyIdxStats(input.Normal, input.HasShift ? &input.Shift : nullptr, row,
                                     onShift);
}

void MainWindow::KeyCellEntered(int, int newCol, int, int newRow) {
    if (Updating)
        return;
    if (newCol == 3 || newCol == 4)
        spSkinGroupBox1->RollDown();
    else
        spSkinGroupBox1->RollUp();
    if (newCol == 4)
        ShowKeyIdxStats(newRow, ShiftTabActive());
    else
        spSkinGroupBox1->ShowSNoStats(document_.Working().Input.Normal, newRow);
}

void MainWindow::KeyCellTyped(bool shift, int col, int row) {
    TtsGrid* grid = shift ? tsGridKeyList2 : tsGridKeyList1;
    std::string text = GbkFromQString(grid->CellText(col, row));
    const QString label =
        (col == kNameColumn ? QStringLiteral("Rename %1key %2") : QStringLiteral("Change %1key %2"))
            .arg(shift ? QStringLiteral("SHIFT ") : QString())
            .arg(row);
    EditWorking(label, KeyCellMergeKey(shift, col, row),
                [&](TWorkingModel& model) { SetKeyCell(model, shift, col, row, std::move(text)); });
    if (col == 4)
        ShowKeyIdxStats(row, ShiftTabActive());
}

void MainWindow::PageNameTyped(int row) {
    std::string text = GbkFromQString(tsGrid3->CellText(1, row));
    EditWorking(QStringLiteral("Rename page %1").arg(row), kMergePageName + row,
                [&](TWorkingModel& model) { SetPageName(model, row, std::move(text)); });
}

} // namespace mm
