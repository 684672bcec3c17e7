#pragma once
// The code pages of the model under edit: "Universal Code" (captioned by the chip kind) and
// "Universal protocol", two pages of the key tables' tab widget, shown only for the kinds that
// have codes. Typing edits the document's working copy through the window; the pages show it.
#include "WorkingEditor.h"

#include <QObject>
#include <QString>
#include <functional>

class QPlainTextEdit;
class QTabWidget;

namespace mm {

class TDeferredHandlers;
class TModelDocument;

class CodesPanel : public QObject {
public:
    // Adds the two pages to tabs, after its first two.
    CodesPanel(const TModelDocument& document, TDeferredHandlers& handlers, TWorkingEditor edit,
               QTabWidget* tabs);

    void ShowWorkingModel();
    // The pages are there only for the chip kinds that have codes.
    void ShowCodeTabs();

private:
    void CodePageTyped(QPlainTextEdit* memo, TStrArray TWorkingModel::*lines);

    const TModelDocument& document_;
    TWorkingEditor edit_;
    QTabWidget* PageControl2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
};

} // namespace mm
