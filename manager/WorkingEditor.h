#pragma once
#include "WorkingModel.h"

#include <QString>
#include <functional>

namespace mm {

// An edit of the working copy as the window takes it: one labelled command (merged with the
// previous one of the same non-zero key); false when it was not taken, while the window fills
// its controls.
using TWorkingEditor = std::function<bool(const QString& label, int mergeKey,
                                          const std::function<void(TWorkingModel&)>& change)>;

} // namespace mm
