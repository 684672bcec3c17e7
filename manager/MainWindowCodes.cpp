// Communication type, chip groups and the code pages of the shown model: gestures edit the
// working copy, the controls show it.
#include "ChipSettingsPanel.h"
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
    Wire(Memo1, &QPlainTextEdit::textChanged, &MainWindow::CodePage1Typed);
    Wire(Memo2, &QPlainTextEdit::textChanged, &MainWindow::CodePage2Typed);
}

bool MainWindow::EditWorking(const QString& label, int mergeKey,
                             const std::function<void(TWorkingModel&)>& change) {
    if (Updating)
        return false;
    document_.EditWorking(label, mergeKey, change);
    return true;
}

void MainWindow::CodePageTyped(QPlainTextEdit* memo, TStrArray TWorkingModel::*lines) {
    EditWorking(QStringLiteral("Edit %1").arg(PageControl2->tabText(PageControl2->indexOf(memo))),
                lines == &TWorkingModel::Memo2 ? kMergeCodePage2 : kMergeCodePage1,
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
    chips_->ShowWorkingModel();
    ShowCodeTabs();
    PageControl2->setTabText(kFirstCodeTab, QString::fromUtf8(CodeTabCaption(model.KindShown)));
    ShowLines(Memo1, model.Memo1);
    ShowLines(Memo2, model.Memo2);
    SetBrandButtonVisible(model.BrandButtonShown);
}

} // namespace mm
