#include "KeyTablesPanel.h"

#include "KeyStatsPanel.h"
#include "ModelDocument.h"
#include "Named.h"
#include "TabPages.h"
#include "UpdatingScope.h"
#include "controls/DeferredHandlers.h"
#include "controls/Grid.h"
#include "controls/SpinEdit.h"
#include "platform/ui/QtText.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mm {

namespace {
constexpr int kShiftTab = 1;
constexpr int kNameColumn = 2;

QString ActionLabel(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

} // namespace

KeyTablesPanel::KeyTablesPanel(TModelDocument& document, bool& updating,
                               TDeferredHandlers& handlers, TWorkingEditor edit, QAction* insertKey,
                               QAction* deleteKey, QWidget* parent)
    : QWidget(parent), document_(document), Updating(updating), edit_(std::move(edit)),
      Action1(insertKey), Action2(deleteKey) {
    setObjectName(QStringLiteral("Panel3"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 2, 0, 0);
    column->setSpacing(2);
    column->addWidget(BuildStrip());

    // The statistics frame lies over the right-hand part of the tab area.
    auto* tabArea = Named(new QWidget(this), "TabArea");
    auto* tabLayout = new QVBoxLayout(tabArea);
    tabLayout->setContentsMargins(0, 0, 0, 0);
    PageControl2 = Named(new QTabWidget(tabArea), "PageControl2");
    tabLayout->addWidget(PageControl2);
    tsGridKeyList1 = BuildKeyGrid("tsGridKeyList1", false);
    tsGridKeyList2 = BuildKeyGrid("tsGridKeyList2", true);
    PageControl2->addTab(tsGridKeyList1, QStringLiteral("Normal"));
    PageControl2->addTab(tsGridKeyList2, QStringLiteral("SHIFT"));
    spSkinGroupBox1 = new KeyStatsPanel(tabArea);
    column->addWidget(tabArea, 1);
    Connect(handlers);
}

// "Key Counts", the note and the ignore box on one line; the three SHIFT buttons on a line of
// their own below, which keeps its room while they are hidden.
QWidget* KeyTablesPanel::BuildStrip() {
    auto* strip = Named(new QWidget(this), "KeyStrip");
    auto* lines = new QVBoxLayout(strip);
    lines->setContentsMargins(2, 0, 2, 0);
    lines->setSpacing(2);
    auto* first = new QHBoxLayout;
    Label1 = Named(new QLabel(QStringLiteral("Key Counts"), strip), "Label1");
    SpinEdit1 = Named(new TSpinEdit(2, 123, strip), "SpinEdit1");
    Label5 = Named(new QLabel(QStringLiteral("Note:The keyidx start with 1"), strip), "Label5");
    Label5->setStyleSheet(QStringLiteral("color: red"));
    SetHint(Label5, QStringLiteral("Start with zero in ir txt file"));
    CheckBox2 = Named(new QCheckBox(QStringLiteral("Ignore KeyIdx Repeated When Saving"), strip),
                      "CheckBox2");
    SetHint(CheckBox2, QStringLiteral("If the remote control have study buttons"));
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, SpinEdit1, Label5, CheckBox2})
        first->addWidget(w);
    first->addStretch();
    lines->addLayout(first);

    auto* second = new QHBoxLayout;
    btnKey = Named(new QPushButton(QStringLiteral("Copy Normal's KeyName"), strip), "btnKey");
    btnKeyIdx =
        Named(new QPushButton(QStringLiteral("KeyIdx Inc 43 from Normal"), strip), "btnKeyIdx");
    Button1 = Named(new QPushButton(QStringLiteral("Sno Inc 56 from Normal"), strip), "Button1");
    for (QPushButton* b : {btnKey, btnKeyIdx, Button1}) {
        second->addWidget(b);
        KeepRoomWhenHidden(b);
        b->setVisible(false);
    }
    second->addStretch();
    lines->addLayout(second);
    Label1->setEnabled(false);
    SpinEdit1->setEnabled(false);
    return strip;
}

TtsGrid* KeyTablesPanel::BuildKeyGrid(const char* name, bool shift) {
    auto* grid = Named(new TtsGrid(PageControl2), name);
    grid->SetColumns(
        {{QStringLiteral("No"), 18},
         {QStringLiteral("Key Name"), 83, false, true},
         {shift ? QStringLiteral("S No.") : QStringLiteral("SrcID"), 41},
         {QStringLiteral("KeyIdx"), 43},
         {shift ? QStringLiteral("Canot define") : QStringLiteral("Canot Define"), shift ? 79 : 78,
          true},
         {shift ? QStringLiteral("Follow SNo") : QStringLiteral("Follow Sno"), shift ? 69 : 75},
         {shift ? QStringLiteral("Learned Button") : QStringLiteral("Learned button"),
          shift ? 99 : 94, true}});
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    grid->addAction(Action1);
    grid->addAction(Action2);
    return grid;
}

void KeyTablesPanel::Connect(TDeferredHandlers& handlers) {
    handlers.WireNow(SpinEdit1, &QSpinBox::valueChanged, [this] { KeyCountsChanged(); });
    handlers.WireNow(CheckBox2, &QCheckBox::toggled, [this] { IgnoreKeyIdxRepeatedClicked(); });
    handlers.WireNow(PageControl2, &QTabWidget::currentChanged, [this] { KeyTabChanged(); });
    handlers.WireCommand(Action1, &QAction::triggered, [this] { InsertKey(); });
    handlers.WireCommand(Action2, &QAction::triggered, [this] { DeleteKey(); });
    const std::pair<QPushButton*, void (*)(const TKeyRows&, TKeyRows&)> shiftCommands[] = {
        {btnKey, CopyNormalKeyNames},
        {btnKeyIdx, KeyIdxIncFromNormal},
        {Button1, SnoIncFromNormal}};
    for (const auto& [button, change] : shiftCommands)
        handlers.WireCommand(button, &QPushButton::clicked,
                             [=, this] { ChangeKeyRows(ActionLabel(button->text()), change); });
    connect(tsGridKeyList1, &TtsGrid::CellChanged, this,
            [this, &handlers](int, int col, int, int row) {
                handlers.Run([=, this] { KeyCellEntered(col, row); });
            });
    for (TtsGrid* grid : {tsGridKeyList1, tsGridKeyList2})
        connect(grid, &TtsGrid::CellEdit, this, [this, &handlers, grid](int col, int row) {
            handlers.Run([=, this] { KeyCellTyped(grid == tsGridKeyList2, col, row); });
        });
}

void KeyTablesPanel::ShowEditMode(bool editMode) {
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, SpinEdit1})
        w->setEnabled(editMode);
}

void KeyTablesPanel::SetGridsEditMode(bool editMode) {
    for (TtsGrid* grid : {tsGridKeyList1, tsGridKeyList2})
        grid->SetEditMode(editMode);
}

void KeyTablesPanel::Commit() {
    SpinEdit1->Commit();
}

void KeyTablesPanel::ShowNoModel() {
    for (TtsGrid* grid : {tsGridKeyList1, tsGridKeyList2})
        grid->SetRows(0);
}

void KeyTablesPanel::ShowFirstTab() {
    // Showing a model is no tab change by the user: the SHIFT buttons keep their state.
    const QSignalBlocker quiet(PageControl2);
    PageControl2->setCurrentIndex(0);
}

void KeyTablesPanel::RollUpStats() {
    spSkinGroupBox1->RollUp();
}

void KeyTablesPanel::ShowWorkingModel() {
    TUpdatingScope updating(Updating);
    const TWorkingModel& model = document_.Working();
    ShowKeyTables();
    SetTabVisibleQuietly(PageControl2, kShiftTab, model.ShiftTabShown);
}

void KeyTablesPanel::ShowKeyRows(TtsGrid* grid, const TKeyRows& rows) {
    std::vector<std::vector<QVariant>> cells;
    cells.reserve(rows.size());
    for (const TKeyRowTexts& row : rows)
        cells.push_back({QStringFromGbk(row.No), QStringFromGbk(row.Name), QStringFromGbk(row.SNo),
                         QStringFromGbk(row.KeyIdx), QStringFromGbk(row.CanotDefine),
                         QStringFromGbk(row.FollowSno), QStringFromGbk(row.Learned)});
    grid->SetAllRows(std::move(cells));
}

void KeyTablesPanel::ShowKeyTables() {
    TUpdatingScope updating(Updating);
    const TStoreInput& input = document_.Working().Input;
    SpinEdit1->setMaximum(KeyCountsMaximum(input.HasShift));
    SpinEdit1->SetValue(input.KeyCounts);
    ShowKeyRows(tsGridKeyList1, input.Normal);
    ShowKeyRows(tsGridKeyList2, input.Shift);
}

void KeyTablesPanel::KeyCountsChanged() {
    if (!document_.EditMode() || Updating)
        return;
    edit_(QStringLiteral("Change key count"), kMergeKeyCounts,
          [this](TWorkingModel& model) { SetKeyCounts(model, SpinEdit1->Value()); });
    ShowKeyTables();
}

void KeyTablesPanel::IgnoreKeyIdxRepeatedClicked() {
    document_.SetIgnoreKeyIdxRepeated(CheckBox2->isChecked());
}

bool KeyTablesPanel::ShiftTabActive() const {
    return PageControl2->currentIndex() == kShiftTab;
}

void KeyTablesPanel::KeyTabChanged() {
    if (Updating)
        return;
    for (QPushButton* button : {btnKey, btnKeyIdx, Button1})
        button->setVisible(ShiftTabActive());
}

void KeyTablesPanel::ChangeKeyRows(const QString& label,
                                   const std::function<void(TKeyRows&, TKeyRows&)>& change) {
    const int current = tsGridKeyList1->CurrentRow();
    edit_(label, kNoMerge, [&](TWorkingModel& model) {
        change(model.Input.Normal, model.Input.Shift);
        FollowKeyRows(model);
    });
    ShowKeyTables();
    TUpdatingScope updating(Updating);
    tsGridKeyList1->SetCurrentRow(std::min(current, tsGridKeyList1->Rows()));
}

void KeyTablesPanel::InsertKey() {
    const int at = tsGridKeyList1->CurrentRow();
    const int maximum = SpinEdit1->maximum();
    ChangeKeyRows(ActionLabel(Action1->text()), [at, maximum](TKeyRows& normal, TKeyRows& shift) {
        InsertKeyRow(normal, shift, at, maximum);
    });
}

void KeyTablesPanel::DeleteKey() {
    const int at = tsGridKeyList1->CurrentRow();
    ChangeKeyRows(ActionLabel(Action2->text()),
                  [at](TKeyRows& normal, TKeyRows& shift) { DeleteKeyRow(normal, shift, at); });
}

void KeyTablesPanel::ShowKeyIdxStats(int row, bool onShift) {
    const TStoreInput& input = document_.Working().Input;
    spSkinGroupBox1->ShowKeyIdxStats(input.Normal, input.HasShift ? &input.Shift : nullptr, row,
                                     onShift);
}

void KeyTablesPanel::KeyCellEntered(int newCol, int newRow) {
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

void KeyTablesPanel::KeyCellTyped(bool shift, int col, int row) {
    TtsGrid* grid = shift ? tsGridKeyList2 : tsGridKeyList1;
    std::string text = GbkFromQString(grid->CellText(col, row));
    const QString label =
        (col == kNameColumn ? QStringLiteral("Rename %1key %2") : QStringLiteral("Change %1key %2"))
            .arg(shift ? QStringLiteral("SHIFT ") : QString())
            .arg(row);
    edit_(label, KeyCellMergeKey(shift, col, row),
          [&](TWorkingModel& model) { SetKeyCell(model, shift, col, row, std::move(text)); });
    if (col == 4)
        ShowKeyIdxStats(row, ShiftTabActive());
}

} // namespace mm
