#include "PicturePanel.h"

#include "FileChoice.h"
#include "ModelDocument.h"
#include "controls/DeferredHandlers.h"
#include "controls/PictureBox.h"
#include "model/Picture.h"
#include "platform/Streams.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Jpeg.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mm {

namespace {
constexpr int kPanelWidth = 140;
} // namespace

PicturePanel::PicturePanel(TModelDocument& document, TDialogs& dialogs, TDeferredHandlers& handlers,
                           TReporter report, QWidget* parent)
    : TSidePanel(kPanelWidth, parent), document_(document), dialogs_(dialogs),
      report_(std::move(report)) {
    setObjectName(QStringLiteral("Panel2"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    BitBtn3 = new QPushButton(QStringLiteral("Load Picture..."), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    Label2 = new QLabel(QStringLiteral("JPG Format, <100K"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Image1 = new TPictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    SAVEPICTURE1 = new QAction(QStringLiteral("SAVE PICTURE"), Image1);
    SAVEPICTURE1->setObjectName(QStringLiteral("SAVEPICTURE1"));
    Image1->setContextMenuPolicy(Qt::ActionsContextMenu);
    Image1->addAction(SAVEPICTURE1);
    column->addWidget(BitBtn3);
    column->addWidget(Label2);
    column->addWidget(Image1, 1);
    ShowEditMode(false);

    const auto wire = [this, &handlers](auto* sender, auto signal,
                                        void (PicturePanel::*handler)()) {
        connect(sender, signal, this, [this, &handlers, handler] {
            handlers.RunCommand([this, handler] { (this->*handler)(); });
        });
    };
    wire(BitBtn3, &QPushButton::clicked, &PicturePanel::LoadPictureClick);
    wire(SAVEPICTURE1, &QAction::triggered, &PicturePanel::SavePictureClick);
    wire(Image1, &TPictureBox::Clicked, &PicturePanel::PictureClick);
}

void PicturePanel::ShowEditMode(bool editMode) {
    BitBtn3->setVisible(editMode);
    Label2->setVisible(editMode);
}

void PicturePanel::ShowPictureBytes(const TSSByteArray& bytes) {
    pictureBytes_.clear();
    Image1->SetPicture(QImage());
    const bool shown =
        Guarded(dialogs_, [&] { Image1->SetPicture(DecodeJpeg(bytes.data(), bytes.size())); });
    if (shown)
        pictureBytes_ = bytes;
}

void PicturePanel::ShowPicture(int index) {
    pictureBytes_.clear();
    Image1->SetPicture(QImage());
    const TMyModelRecord* record = document_.Record(index);
    if (!record || !HasPicture(*record))
        return;
    const std::string_view bytes = PictureBytes(*record);
    ShowPictureBytes(TSSByteArray(bytes.begin(), bytes.end()));
}

void PicturePanel::LoadPictureClick() {
    const int index = document_.WorkingIndex();
    if (!document_.Record(index))
        return;
    const auto path = ChooseFileName(dialogs_, FileDialogKind::OpenPicture,
                                     QStringLiteral("JPEG images (*.jpg *.jpeg);;All files (*)"));
    if (path)
        ShowPictureBytes(document_.LoadPicture(index, *path));
}

void PicturePanel::SavePictureClick() {
    if (pictureBytes_.empty())
        return;
    const auto path =
        ChooseFileName(dialogs_, FileDialogKind::SavePicture,
                       QStringLiteral("JPEG images (*.jpg *.jpeg)"), QStringLiteral("jpg"));
    if (path) {
        WriteWholeFile(*path, pictureBytes_.data(), pictureBytes_.size());
        report_(QStringLiteral("Picture written to %1").arg(FileNameText(*path)));
    }
}

void PicturePanel::PictureClick() {
    if (pictureBytes_.empty())
        return;
    WriteWholeFile(kClickedPictureFileName, pictureBytes_.data(), pictureBytes_.size());
    // The file lands in the working folder, which the user may not know: the whole path.
    report_(QStringLiteral("Picture written to %1")
                .arg(QFileInfo(QString::fromLatin1(kClickedPictureFileName)).absoluteFilePath()));
}

} // namespace mm
