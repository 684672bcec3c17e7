#include "PagesPanel.h"

#include "ModelDocument.h"
#include "Named.h"
#include "UpdatingScope.h"
#include "controls/DeferredHandlers.h"
#include "controls/Grid.h"
#include "controls/SpinEdit.h"
#include "model/KeyTable.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guard.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace mm {

PagesPanel::PagesPanel(TModelDocument& document, TDialogs& dialogs, bool& updating,
                       TDeferredHandlers& handlers, TWorkingEditor edit,
                       std::function<void()> showModel, QWidget* parent)
    : QWidget(parent), document_(document), dialogs_(dialogs), Updating(updating),
      edit_(std::move(edit)), showModel_(std::move(showModel)) {
    setObjectName(QStringLiteral("PagesPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    auto* pages = new QHBoxLayout;
    Label3 = Named(new QLabel(QStringLiteral("Page Counts"), this), "Label3");
    SpinEdit2 = Named(new TSpinEdit(1, 8, this), "SpinEdit2");
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Has Shift"), this), "CheckBox1");
    pages->addWidget(Label3);
    pages->addWidget(SpinEdit2);
    pages->addWidget(CheckBox1);
    pages->addStretch();
    column->addLayout(pages);

    tsGrid3 = Named(new TtsGrid(this), "tsGrid3");
    tsGrid3->SetColumns({{QStringLiteral("Page Name"), 166, false, true}});
    tsGrid3->setFixedHeight(8 * 18 + 24);
    column->addWidget(tsGrid3);
    for (QWidget* w : std::initializer_list<QWidget*>{Label3, SpinEdit2, CheckBox1})
        w->setEnabled(false);

    connect(SpinEdit2, &QSpinBox::valueChanged, this,
            [this, &handlers] { handlers.Run([this] { PageCountsChanged(); }); });
    connect(CheckBox1, &QCheckBox::toggled, this,
            [this, &handlers] { handlers.Run([this] { HasShiftClicked(); }); });
    connect(tsGrid3, &TtsGrid::CellEdit, this,
            [this, &handlers](int, int row) { handlers.Run([=, this] { PageNameTyped(row); }); });
}

void PagesPanel::ShowEditMode(bool editMode) {
    for (QWidget* w : std::initializer_list<QWidget*>{SpinEdit2, CheckBox1})
        w->setEnabled(editMode);
}

void PagesPanel::SetGridEditMode(bool editMode) {
    tsGrid3->SetEditMode(editMode);
}

void PagesPanel::Commit() {
    SpinEdit2->Commit();
}

void PagesPanel::ShowNoModel() {
    tsGrid3->SetRows(0);
}

void PagesPanel::ShowWorkingModel() {
    TUpdatingScope updating(Updating);
    {
        const QSignalBlocker quiet(CheckBox1);
        CheckBox1->setChecked(document_.Working().Input.HasShift);
    }
    ShowPageNames();
}

void PagesPanel::ShowPageNames() {
    TUpdatingScope updating(Updating);
    const TStoreInput& input = document_.Working().Input;
    SpinEdit2->SetValue(input.PageCounts);
    std::vector<std::vector<QVariant>> rows;
    for (const std::string& name : input.PageNames)
        rows.push_back({QStringFromGbk(name)});
    tsGrid3->SetAllRows(std::move(rows));
}

void PagesPanel::PageCountsChanged() {
    if (!document_.EditMode() || Updating)
        return;
    edit_(QStringLiteral("Change page count"), kMergePageCounts,
          [this](TWorkingModel& model) { SetPageCounts(model, SpinEdit2->Value()); });
    ShowPageNames();
}

void PagesPanel::HasShiftClicked() {
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

void PagesPanel::AskToCutKeysForShift(int keys) {
    const TStoreInput& input = document_.Working().Input;
    if (!document_.Record(document_.WorkingIndex()) || input.KeyCounts != keys || input.HasShift)
        return; // the model or its keys changed while the question waited
    if (!dialogs_.Confirm(QStringLiteral("Keys %1 to %2 will be removed. Continue?")
                              .arg(KeyCountsMaximum(true) + 1)
                              .arg(keys),
                          DefaultAnswer::No))
        return;
    ApplyShiftTick(true);
}

void PagesPanel::ApplyShiftTick(bool ticked) {
    edit_(ticked ? QStringLiteral("Tick Has Shift") : QStringLiteral("Clear Has Shift"), 0,
          [ticked](TWorkingModel& model) { SetHasShift(model, ticked); });
    showModel_();
}

void PagesPanel::PageNameTyped(int row) {
    std::string text = GbkFromQString(tsGrid3->CellText(1, row));
    edit_(QStringLiteral("Rename page %1").arg(row), kMergePageName + row,
          [&](TWorkingModel& model) { SetPageName(model, row, std::move(text)); });
}

} // namespace mm
