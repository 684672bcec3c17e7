// Communication type, chip groups and the code pages of the shown model: gestures edit the
// working copy, the controls show it.
#include "MainWindow.h"
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
constexpr int kCodePageMerge = 10; // typing in one code page merges into one command

// Joined so that reading the box back gives the same lines, an empty last line included.
QString MemoText(const TStrArray& lines) {
    return QStringFromGbk(JoinLines(lines, "\n"));
}

TStrArray MemoLines(const QPlainTextEdit* memo) {
    return SplitLines(GbkFromQString(memo->toPlainText()));
}

void ShowLines(QPlainTextEdit* memo, const TStrArray& lines) {
    const QString text = MemoText(lines);
    if (memo->toPlainText() != text) // typing on keeps its cursor
        memo->setPlainText(text);
}
} // namespace

void MainWindow::ConnectCodeHandlers() {
    Wire(ComboBox1, &QComboBox::activated, &MainWindow::CommTypeChosen);
    Wire(chipType, &TRadioGroup::Click, &MainWindow::IrChipChosen);
    Wire(RadioGroup1, &TRadioGroup::Click, &MainWindow::UsbChipChosen);
    Wire(Memo1, &QPlainTextEdit::textChanged, &MainWindow::CodePage1Typed);
    Wire(Memo2, &QPlainTextEdit::textChanged, &MainWindow::CodePage2Typed);
}

TRadioGroup* MainWindow::ChipGroupOf(int commType) const {
    return IrChipGroupVisible(commType) ? chipType : RadioGroup1;
}

void MainWindow::ShowChipGroupFor(int commType) {
    chipGroups_->setCurrentWidget(ChipGroupOf(commType));
}

bool MainWindow::EditWorking(const QString& label, int mergeKey,
                             const std::function<void(TWorkingModel&)>& change) {
    if (Updating)
        return false;
    document_.EditWorking(label, mergeKey, change);
    return true;
}

void MainWindow::CommTypeChosen() {
    const int item = ComboBox1->currentIndex();
    EditWorking(QStringLiteral("Change communication type"), 0,
                [item](TWorkingModel& model) { SetCommType(model, item); });
    ShowChipGroupFor(document_.Working().Input.CommType);
}

void MainWindow::ChipChosen(bool usbGroup) {
    const int item = (usbGroup ? RadioGroup1 : chipType)->ItemIndex();
    if (EditWorking(QStringLiteral("Change chip kind"), 0,
                    [=](TWorkingModel& model) { SetChip(model, usbGroup, item); }))
        ShowCodeTabs();
}

void MainWindow::IrChipChosen() {
    ChipChosen(false);
}

void MainWindow::UsbChipChosen() {
    ChipChosen(true);
}

void MainWindow::CodePageTyped(QPlainTextEdit* memo, TStrArray TWorkingModel::*lines) {
    EditWorking(QStringLiteral("Edit %1").arg(PageControl2->tabText(PageControl2->indexOf(memo))),
                kCodePageMerge + (lines == &TWorkingModel::Memo2 ? 1 : 0),
                [&](TWorkingModel& model) { model.*lines = MemoLines(memo); });
}

void MainWindow::CodePage1Typed() {
    CodePageTyped(Memo1, &TWorkingModel::Memo1);
}

void MainWindow::CodePage2Typed() {
    CodePageTyped(Memo2, &TWorkingModel::Memo2);
}

void MainWindow::SetBrandButtonVisible(bool visible) {
    ToolBar1->findChild<QAction*>(QStringLiteral("tbnUniverModeAction"))->setVisible(visible);
}

void MainWindow::ShowCodeTabs() {
    const bool shown = document_.Working().CodeTabsShown;
    SetTabVisible(kFirstCodeTab, shown);
    SetTabVisible(kSecondCodeTab, shown);
}

void MainWindow::ShowChipAndCodes() {
    TUpdatingScope updating(Updating);
    const TWorkingModel& model = document_.Working();
    ComboBox1->setCurrentIndex(model.Input.CommType);
    ShowChipGroupFor(model.Input.CommType);
    chipType->SetItemIndex(model.Input.IrChip);
    RadioGroup1->SetItemIndex(model.Input.UsbChip);
    ShowCodeTabs();
    PageControl2->setTabText(kFirstCodeTab, QString::fromUtf8(CodeTabCaption(model.KindShown)));
    ShowLines(Memo1, model.Memo1);
    ShowLines(Memo2, model.Memo2);
    SetBrandButtonVisible(model.BrandButtonShown);
}

} // namespace mm
