#include "ChipSettingsPanel.h"

#include "ChoiceTexts.h"
#include "ModelDocument.h"
#include "controls/DeferredHandlers.h"
#include "controls/RadioGroup.h"
#include "controls/SpinEdit.h"
#include "controls/WheelNeedsFocus.h"
#include "model/ChipKind.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace mm {

ChipSettingsPanel::ChipSettingsPanel(const TModelDocument& document, TDeferredHandlers& handlers,
                                     TWorkingEditor edit, std::function<void()> chipChanged,
                                     QWidget* parent)
    : QWidget(parent), document_(document), edit_(std::move(edit)),
      chipChanged_(std::move(chipChanged)) {
    setObjectName(QStringLiteral("ChipSettingsPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(CommTypeItems());
    WheelNeedsFocus(ComboBox1);
    column->addWidget(ComboBox1);

    auto* oneInTwo = new QHBoxLayout;
    Label4 = new QLabel(QStringLiteral("One in Two's buttons count"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    SpinEdit3 = new TSpinEdit(0, 99, this);
    SpinEdit3->setObjectName(QStringLiteral("SpinEdit3"));
    SpinEdit3->SetValue(2);
    oneInTwo->addWidget(Label4);
    oneInTwo->addWidget(SpinEdit3);
    oneInTwo->addStretch();
    column->addLayout(oneInTwo);

    // Both chip groups share one place, sized for the larger; exactly one of them is visible.
    chipGroups_ = new QStackedWidget(this);
    chipGroups_->setObjectName(QStringLiteral("ChipGroups"));
    chipType = new TRadioGroup(QStringLiteral("Quorin Chip Model"), IrChipItems(), 2, chipGroups_);
    chipType->setObjectName(QStringLiteral("chipType"));
    RadioGroup1 =
        new TRadioGroup(QStringLiteral("Quorin Chip Model"), UsbChipItems(), 1, chipGroups_);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    chipGroups_->addWidget(chipType);
    chipGroups_->addWidget(RadioGroup1);
    column->addWidget(chipGroups_);
    ShowEditMode(false);

    connect(ComboBox1, &QComboBox::activated, this,
            [this, &handlers] { handlers.Run([this] { CommTypeChosen(); }); });
    connect(chipType, &TRadioGroup::Click, this,
            [this, &handlers] { handlers.Run([this] { ChipChosen(false); }); });
    connect(RadioGroup1, &TRadioGroup::Click, this,
            [this, &handlers] { handlers.Run([this] { ChipChosen(true); }); });
    connect(SpinEdit3, &QSpinBox::valueChanged, this,
            [this, &handlers] { handlers.Run([this] { OneInTwoCountChanged(); }); });
}

void ChipSettingsPanel::ShowEditMode(bool editMode) {
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBox1, SpinEdit3, chipType})
        w->setEnabled(editMode);
}

void ChipSettingsPanel::Commit() {
    SpinEdit3->Commit();
}

TRadioGroup* ChipSettingsPanel::ChipGroupOf(int commType) const {
    return IrChipGroupVisible(commType) ? chipType : RadioGroup1;
}

void ChipSettingsPanel::ShowWorkingModel() {
    const TStoreInput& input = document_.Working().Input;
    ComboBox1->setCurrentIndex(input.CommType);
    chipGroups_->setCurrentWidget(ChipGroupOf(input.CommType));
    chipType->SetItemIndex(input.IrChip);
    RadioGroup1->SetItemIndex(input.UsbChip);
    SpinEdit3->SetValue(input.OneInTwoCount);
}

void ChipSettingsPanel::CommTypeChosen() {
    const int item = ComboBox1->currentIndex();
    edit_(QStringLiteral("Change communication type"), 0,
          [item](TWorkingModel& model) { SetCommType(model, item); });
    chipGroups_->setCurrentWidget(ChipGroupOf(document_.Working().Input.CommType));
}

void ChipSettingsPanel::ChipChosen(bool usbGroup) {
    const int item = (usbGroup ? RadioGroup1 : chipType)->ItemIndex();
    if (edit_(QStringLiteral("Change chip kind"), 0,
              [=](TWorkingModel& model) { SetChip(model, usbGroup, item); }))
        chipChanged_();
}

void ChipSettingsPanel::OneInTwoCountChanged() {
    if (!document_.EditMode())
        return;
    edit_(QStringLiteral("Change one-in-two count"), kMergeOneInTwoCount,
          [this](TWorkingModel& model) { SetOneInTwoCount(model, SpinEdit3->Value()); });
}

} // namespace mm
