#include "FileChoice.h"

#include <QFile>

namespace mm {

std::optional<std::string> ChooseFileName(TDialogs& dialogs, FileDialogKind kind,
                                          const QString& filter, const QString& defaultExt) {
    const auto path = dialogs.ChooseFile({kind, filter, defaultExt, {}});
    if (!path)
        return std::nullopt;
    return QFile::encodeName(*path).toStdString();
}

QString FileNameText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace mm
