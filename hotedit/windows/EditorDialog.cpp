#include "EditorDialog.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/Guard.h"

namespace mm {

TEditorDialog::TEditorDialog(TDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {}

void TEditorDialog::reject() {
    if (!HoldsChanges()) {
        QDialog::reject();
        return;
    }
    if (asking_)
        return;
    asking_ = true;
    Post([this] {
        asking_ = false;
        if (HoldsChanges() && !dialogs_.Confirm(kDiscardQuestion, DefaultAnswer::No))
            return;
        QDialog::reject();
    });
}

void TEditorDialog::DisconnectControls() {
    for (QObject* control : findChildren<QObject*>())
        disconnect(control, nullptr, this, nullptr);
}

void TEditorDialog::Run(const std::function<void()>& handler) {
    if (Quiet())
        return;
    Guarded(dialogs_, handler);
    ShowState();
}

void TEditorDialog::Post(std::function<void()> handler) {
    QMetaObject::invokeMethod(
        this, [this, handler = std::move(handler)] { Run(handler); }, Qt::QueuedConnection);
}

} // namespace mm
