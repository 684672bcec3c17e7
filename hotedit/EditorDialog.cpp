#include "EditorDialog.h"

#include "platform/ui/Guard.h"

namespace mm {

TEditorDialog::TEditorDialog(TDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {}

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
