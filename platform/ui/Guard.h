#pragma once
#include "Dialogs.h"

#include <functional>

namespace mm {

// Runs an event handler; an exception it raises is shown as a message box with the error's
// text and the window stays usable. Returns false when the handler raised.
bool Guarded(TDialogs& dialogs, const std::function<void()>& handler);

} // namespace mm
