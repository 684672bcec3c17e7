// The remote's picture: shown from the record, loaded from a JPEG file, written out unchanged.
#include "ModelEdit.h"
#include "controls/PictureBox.h"
#include "model/Picture.h"
#include "platform/Streams.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Jpeg.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

namespace mm {

void TfrmModelEdit::ConnectPictureHandlers() {
    WireCommand(BitBtn3, &QPushButton::clicked, &TfrmModelEdit::BitBtn3Click);
    WireCommand(SAVEPICTURE1, &QAction::triggered, &TfrmModelEdit::SAVEPICTURE1Click);
    WireCommand(Image1, &TPictureBox::Clicked, &TfrmModelEdit::Image1Click);
}

std::optional<std::string> TfrmModelEdit::ChooseFileName(int kind, const QString& filter,
                                                         const QString& defaultExt) {
    const auto path =
        dialogs_.ChooseFile({static_cast<FileDialogKind>(kind), filter, defaultExt, {}});
    if (!path)
        return std::nullopt;
    return QFile::encodeName(*path).toStdString();
}

void TfrmModelEdit::ShowPictureBytes(const TSSByteArray& bytes) {
    pictureBytes_.clear();
    Image1->SetPicture(QImage());
    const bool shown =
        Guarded(dialogs_, [&] { Image1->SetPicture(DecodeJpeg(bytes.data(), bytes.size())); });
    if (shown)
        pictureBytes_ = bytes;
}

void TfrmModelEdit::ShowPicture(int index) {
    pictureBytes_.clear();
    Image1->SetPicture(QImage());
    const TMyModelRecord* record = document_.Record(index);
    if (!record || !HasPicture(*record))
        return;
    const std::string_view bytes = PictureBytes(*record);
    ShowPictureBytes(TSSByteArray(bytes.begin(), bytes.end()));
}

void TfrmModelEdit::BitBtn3Click() {
    if (!document_.Record(ShownIndex()))
        return;
    const auto path = ChooseFileName(static_cast<int>(FileDialogKind::OpenPicture),
                                     QStringLiteral("JPEG images (*.jpg *.jpeg);;All files (*)"));
    if (path)
        ShowPictureBytes(document_.LoadPicture(ShownIndex(), *path));
}

void TfrmModelEdit::SAVEPICTURE1Click() {
    if (pictureBytes_.empty())
        return;
    const auto path =
        ChooseFileName(static_cast<int>(FileDialogKind::SavePicture),
                       QStringLiteral("JPEG images (*.jpg *.jpeg)"), QStringLiteral("jpg"));
    if (path) {
        WriteWholeFile(*path, pictureBytes_.data(), pictureBytes_.size());
        Report(QStringLiteral("Picture written to %1").arg(FileNameText(*path)));
    }
}

void TfrmModelEdit::Image1Click() {
    if (pictureBytes_.empty())
        return;
    WriteWholeFile(kClickedPictureFileName, pictureBytes_.data(), pictureBytes_.size());
    // The file lands in the working folder, which the user may not know: the whole path.
    Report(QStringLiteral("Picture written to %1")
               .arg(QFileInfo(QString::fromLatin1(kClickedPictureFileName)).absoluteFilePath()));
}

} // namespace mm
