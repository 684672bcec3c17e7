#pragma once
#include "Dialogs.h"

#include <functional>

class QObject;

namespace mm {

// Runs an event handler; an exception it raises is shown as a message box with the error's
// text and the window stays usable. Returns false when the handler raised.
bool Guarded(TDialogs& dialogs, const std::function<void()>& handler);

// Runs the handler through Guarded once the event being handled has returned, so that a
// control's own signal never shows a message or a window, nor closes one, from inside itself.
// Nothing runs when the context object is gone by then; the dialogs outlive it.
void PostGuarded(QObject* context, TDialogs& dialogs, std::function<void()> handler);

} // namespace mm
