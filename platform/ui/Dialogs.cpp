#include "Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace mm {

namespace {
QWidget* ActiveWindow() {
    return QApplication::activeWindow();
}
// The program's name; a display name would also be appended to every window title.
QString Title() {
    return QApplication::applicationName();
}
} // namespace

void TQtDialogs::ShowMessage(const QString& text, const QString& caption) {
    QMessageBox::information(ActiveWindow(), caption.isEmpty() ? Title() : caption, text);
}

bool TQtDialogs::Confirm(const QString& text, DefaultAnswer byDefault) {
    return QMessageBox::question(ActiveWindow(), Title(), text, QMessageBox::Yes | QMessageBox::No,
                                 byDefault == DefaultAnswer::No
                                     ? QMessageBox::No
                                     : QMessageBox::Yes) == QMessageBox::Yes;
}

QString FilterExtension(const QString& filter, int filterIndex) {
    const QStringList filters = filter.split(QStringLiteral(";;"));
    if (filterIndex < 0 || filterIndex >= filters.size())
        return {};
    static const QRegularExpression pattern(QStringLiteral(R"(\(\*\.(\w+)[ )])"));
    const QRegularExpressionMatch match = pattern.match(filters[filterIndex]);
    return match.hasMatch() ? match.captured(1) : QString();
}

std::optional<ChosenFile> TDialogs::ChooseFileAndFilter(const FileDialogRequest& request) {
    std::optional<QString> path = ChooseFile(request);
    if (!path)
        return std::nullopt;
    return ChosenFile{*path, request.filterIndex};
}

std::optional<QString> TQtDialogs::ChooseFile(const FileDialogRequest& request) {
    const std::optional<ChosenFile> chosen = ChooseFileAndFilter(request);
    if (!chosen)
        return std::nullopt;
    return chosen->path;
}

std::optional<ChosenFile> TQtDialogs::ChooseFileAndFilter(const FileDialogRequest& request) {
    const bool saving =
        request.kind == FileDialogKind::Save || request.kind == FileDialogKind::SavePicture;
    QFileDialog dialog(ActiveWindow(), QString(), request.fileName, request.filter);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.defaultExt.isEmpty())
        dialog.setDefaultSuffix(request.defaultExt);
    const QStringList filters = request.filter.split(QStringLiteral(";;"));
    if (request.filterIndex > 0 && request.filterIndex < filters.size())
        dialog.selectNameFilter(filters[request.filterIndex]);
    if (saving) {
        // A name typed without an extension gets the one of the format chosen.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &request, filters](const QString& filter) {
                             const QString ext =
                                 FilterExtension(request.filter, int(filters.indexOf(filter)));
                             dialog.setDefaultSuffix(ext.isEmpty() ? request.defaultExt : ext);
                         });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int chosen = int(filters.indexOf(dialog.selectedNameFilter()));
    return ChosenFile{dialog.selectedFiles().first(), chosen >= 0 ? chosen : request.filterIndex};
}

std::optional<QColor> TQtDialogs::ChooseColor(const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, ActiveWindow());
    if (!color.isValid())
        return std::nullopt;
    return color;
}

void TScriptedDialogs::ShowMessage(const QString& text, const QString& caption) {
    shown.push_back(text);
    if (!caption.isEmpty())
        captions.push_back(caption);
}

bool TScriptedDialogs::Confirm(const QString& text, DefaultAnswer byDefault) {
    shown.push_back(text);
    defaults.push_back(byDefault);
    if (confirms_.empty())
        return false;
    const bool yes = confirms_.front();
    confirms_.pop_front();
    return yes;
}

std::optional<QString> TScriptedDialogs::ChooseFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (files_.empty())
        return std::nullopt;
    std::optional<QString> path = files_.front();
    files_.pop_front();
    if (path && !request.defaultExt.isEmpty() && QFileInfo(*path).suffix().isEmpty())
        *path += "." + request.defaultExt;
    return path;
}

std::optional<ChosenFile> TScriptedDialogs::ChooseFileAndFilter(const FileDialogRequest& request) {
    if (filters_.empty()) {
        std::optional<QString> path = ChooseFile(request);
        if (!path)
            return std::nullopt;
        return ChosenFile{*path, request.filterIndex};
    }
    const int filterIndex = filters_.front();
    filters_.pop_front();
    fileRequests.push_back(request);
    if (files_.empty())
        return std::nullopt;
    std::optional<QString> path = files_.front();
    files_.pop_front();
    if (!path)
        return std::nullopt;
    const QString ext = FilterExtension(request.filter, filterIndex);
    const QString suffix = ext.isEmpty() ? request.defaultExt : ext;
    if (!suffix.isEmpty() && QFileInfo(*path).suffix().isEmpty())
        *path += "." + suffix;
    return ChosenFile{*path, filterIndex};
}

std::optional<QColor> TScriptedDialogs::ChooseColor(const QColor&) {
    if (colors_.empty())
        return std::nullopt;
    const std::optional<QColor> color = colors_.front();
    colors_.pop_front();
    return color;
}

} // namespace mm
