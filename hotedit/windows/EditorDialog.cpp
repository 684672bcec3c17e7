#include "EditorDialog.h"

#include "platform/ui/Dialogs.h"

namespace mm {

TEditorDialog::TEditorDialog(TDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs),
      handlers_(
          *this, dialogs, [this] { ShowState(); }, [this] { return Quiet(); }) {}

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

} // namespace mm
