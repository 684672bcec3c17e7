#pragma once
// The file a command reads or writes, chosen through the dialog seam, and its name as told.
#include "platform/ui/Dialogs.h"

#include <QString>
#include <optional>
#include <string>

namespace mm {

// A path in the system's encoding, or nothing when the user cancelled.
std::optional<std::string> ChooseFileName(TDialogs& dialogs, FileDialogKind kind,
                                          const QString& filter = {},
                                          const QString& defaultExt = {});
// A path as the status bar names it.
QString FileNameText(const std::string& path);

} // namespace mm
