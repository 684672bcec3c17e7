#include "CodesPanel.h"

#include "ModelDocument.h"
#include "TabPages.h"
#include "controls/DeferredHandlers.h"
#include "model/ChipKind.h"
#include "model/CodePages.h"
#include "platform/ui/QtText.h"

#include <QPlainTextEdit>
#include <QTabWidget>

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

CodesPanel::CodesPanel(const TModelDocument& document, TDeferredHandlers& handlers,
                       TWorkingEditor edit, QTabWidget* tabs)
    : QObject(tabs), document_(document), edit_(std::move(edit)), PageControl2(tabs) {
    setObjectName(QStringLiteral("CodesPanel"));
    Memo1 = new QPlainTextEdit(tabs);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo2 = new QPlainTextEdit(tabs);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    for (QPlainTextEdit* memo : {Memo1, Memo2})
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tabs->addTab(Memo1, QStringLiteral("Universal Code"));
    tabs->addTab(Memo2, QStringLiteral("Universal protocol"));

    connect(Memo1, &QPlainTextEdit::textChanged, this, [this, &handlers] {
        handlers.Run([this] { CodePageTyped(Memo1, &TWorkingModel::Memo1); });
    });
    connect(Memo2, &QPlainTextEdit::textChanged, this, [this, &handlers] {
        handlers.Run([this] { CodePageTyped(Memo2, &TWorkingModel::Memo2); });
    });
}

void CodesPanel::CodePageTyped(QPlainTextEdit* memo, TStrArray TWorkingModel::*lines) {
    edit_(QStringLiteral("Edit %1").arg(PageControl2->tabText(PageControl2->indexOf(memo))),
          lines == &TWorkingModel::Memo2 ? kMergeCodePage2 : kMergeCodePage1,
          [&](TWorkingModel& model) { model.*lines = MemoLines(memo); });
}

void CodesPanel::ShowCodeTabs() {
    const bool shown = document_.Working().CodeTabsShown;
    SetTabVisibleQuietly(PageControl2, kFirstCodeTab, shown);
    SetTabVisibleQuietly(PageControl2, kSecondCodeTab, shown);
}

void CodesPanel::ShowWorkingModel() {
    const TWorkingModel& model = document_.Working();
    ShowCodeTabs();
    PageControl2->setTabText(kFirstCodeTab, QString::fromUtf8(CodeTabCaption(model.KindShown)));
    ShowLines(Memo1, model.Memo1);
    ShowLines(Memo2, model.Memo2);
}

} // namespace mm
