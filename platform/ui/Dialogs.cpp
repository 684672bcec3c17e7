#include "Dialogs.h"
#include "Jpeg.h"
#include "platform/Streams.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
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

// Room for the whole title beside the frame's buttons: a message box sizes itself to its text
// alone, and a short text left the title cut to "M… r".
void MakeRoomForTitle(QMessageBox& box) {
    constexpr int kFrameButtons = 160;
    const int wanted = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kFrameButtons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}
// The picture chosen by its look: the selected JPEG beside the file list, in Qt's own dialog
// (the desktop's dialog has no room for it). A file that does not decode shows nothing.
void AddPicturePreview(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid)
        return;
    auto* preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("picturePreview"));
    preview->setFixedSize(180, 240);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(
        &dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
            constexpr qint64 kLargestPreviewed = 16 << 20;
            QImage image;
            const QFileInfo file(path);
            if (file.isFile() && file.size() <= kLargestPreviewed) {
                try {
                    const TSSByteArray bytes = ReadWholeFile(QFile::encodeName(path).toStdString());
                    image = DecodeJpeg(bytes.data(), bytes.size());
                } catch (const std::exception&) {
                    image = QImage();
                }
            }
            preview->setPixmap(image.isNull() ? QPixmap()
                                              : QPixmap::fromImage(image.scaled(
                                                    preview->size(), Qt::KeepAspectRatio,
                                                    Qt::SmoothTransformation)));
        });
}
} // namespace

// The program's messages report what went wrong (a broken rule, a file that failed): the
// warning icon.
void TQtDialogs::ShowMessage(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Warning, caption.isEmpty() ? Title() : caption, text,
                    QMessageBox::Ok, ActiveWindow());
    MakeRoomForTitle(box);
    box.exec();
}

bool TQtDialogs::Confirm(const QString& text, DefaultAnswer byDefault) {
    QMessageBox box(QMessageBox::Question, Title(), text, QMessageBox::Yes | QMessageBox::No,
                    ActiveWindow());
    box.setDefaultButton(byDefault == DefaultAnswer::No ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    if (byDefault == DefaultAnswer::No) {
        // A question that can drop work answers no letter typed on from the editing it
        // interrupted: its buttons have no mnemonics (a click, or Enter, Escape or Space).
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Yes"));
        box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    }
    MakeRoomForTitle(box);
    return box.exec() == QMessageBox::Yes;
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
    if (request.kind == FileDialogKind::OpenPicture) {
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        AddPicturePreview(dialog);
    }
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
