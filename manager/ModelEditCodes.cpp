// Communication type, chip groups and the code pages of the shown model.
#include "ModelEdit.h"
#include "controls/RadioGroup.h"
#include "model/ChipKind.h"
#include "model/CodePages.h"
#include "platform/ui/QtText.h"

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace mm {

namespace {
constexpr int kFirstCodeTab = 2;
constexpr int kSecondCodeTab = 3;

// Joined so that reading the box back gives the same lines, an empty last line included.
QString MemoText(const TStrArray& lines) {
    return QStringFromGbk(JoinLines(lines, "\n"));
}
} // namespace

void TfrmModelEdit::ConnectCodeHandlers() {
    Wire(ComboBox1, &QComboBox::activated, &TfrmModelEdit::ComboBox1Change);
    for (TRadioGroup* group : {chipType, RadioGroup1})
        Wire(group, &TRadioGroup::Click, &TfrmModelEdit::chipTypeClick);
}

TStrArray TfrmModelEdit::MemoLines(const QPlainTextEdit* memo) {
    return SplitLines(GbkFromQString(memo->toPlainText()));
}

TRadioGroup* TfrmModelEdit::ChipGroupOf(int commType) const {
    return IrChipGroupVisible(commType) ? chipType : RadioGroup1;
}

void TfrmModelEdit::ShowChipGroupFor(int commType) {
    chipGroups_->setCurrentWidget(ChipGroupOf(commType));
}

void TfrmModelEdit::ComboBox1Change() {
    ShowChipGroupFor(ComboBox1->currentIndex());
}

void TfrmModelEdit::chipTypeClick() {
    const bool visible = CodeTabsVisibleForIrSelection(chipType->ItemIndex());
    SetTabVisible(kFirstCodeTab, visible);
    SetTabVisible(kSecondCodeTab, visible);
}

void TfrmModelEdit::SetBrandButtonVisible(bool visible) {
    ToolBar1->findChild<QAction*>(QStringLiteral("tbnUniverModeAction"))->setVisible(visible);
}

// Steps 12, 14 and 15 of showing a model.
void TfrmModelEdit::ShowChipAndCodes(const TMyModelRecord& record) {
    const bool kindHasCodes = CodeTabsVisibleForKind(record.ChipKind);
    SetTabVisible(kFirstCodeTab, kindHasCodes);
    SetTabVisible(kSecondCodeTab, kindHasCodes);
    ChipGroupOf(record.CommType)
        ->SetItemIndex(ChipGroupItemIndex(record.CommType, record.ChipKind));
    PageControl2->setTabText(kFirstCodeTab, QString::fromUtf8(CodeTabCaption(record.ChipKind)));
    const TCodePages pages = CodePagesFromRecord(record, PageControl2->isTabVisible(kFirstCodeTab));
    Memo1->setPlainText(MemoText(pages.Memo1));
    Memo2->setPlainText(MemoText(pages.Memo2));
    if (pages.BrandTableVisible)
        SetBrandButtonVisible(true);
}

} // namespace mm
