#include "ButtonShapeWindow.h"

#include "Controls.h"
#include "HotMapEditor.h"
#include "Panel.h"
#include "hotimage/core/HotMapFormats.h"
#include "hotimage/widgets/HotImage.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Guard.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollArea>

namespace mm {

namespace {

constexpr int kPanel1Height = 33;
constexpr int kHotImageWidth = 353;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr char kTagProperty[] = "Tag";

} // namespace

TButtonShapeWindow::TButtonShapeWindow(TDialogs& dialogs, std::string exeDir, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), handlers_(*this, dialogs, {}),
      exeDir_(std::move(exeDir)) {
    BuildLayout();
    handlers_.Wire(Button1, &QPushButton::clicked, [this] { EditClick(); });
    handlers_.Wire(Button2, &QPushButton::clicked, [this] { CheckClick(); });
    handlers_.Wire(Panel2, &TPanel::Click, [this] { ShiftLayerClick(); });
}

void TButtonShapeWindow::BuildLayout() {
    setObjectName("frmshape");
    setWindowTitle("Shape button's editor");
    setFont(WindowFont());

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Button1 = DesignedButton("Edit", "Button1", {160, 0, kButtonWidth, kButtonHeight}, Panel1);
    Button2 = DesignedButton("Check", "Button2", {248, 0, kButtonWidth, kButtonHeight}, Panel1);
    Button2->setProperty(kTagProperty, 0);

    // A picture larger than the window is scrolled; the control fills what is visible.
    ImageScroller = new QScrollArea(this);
    ImageScroller->setObjectName("ImageScroller");
    ImageScroller->setFrameStyle(QFrame::NoFrame);
    ImageScroller->setWidgetResizable(true);
    HotImage1 = new THotImage();
    HotImage1->setObjectName("HotImage1");
    ImageScroller->setWidget(HotImage1);
    HotImage1->AutoFlip = true;
    HotImage1->InitColor = 0; // black
    // Shown once the event that met the error has returned.
    HotImage1->EventError = [this](const std::string& message) {
        handlers_.Post([message] { throw Error(message); });
    };
    HotImage1->HotSpotsEditor = [this](THotImage& image) {
        THotSpots edited;
        edited.Assign(image.HotSpots());
        if (!EditHotMap(dialogs_, image.Picture(), edited, image.objectName(), this,
                        TraceKeysOf(model_)))
            return false;
        image.SetHotSpots(edited);
        return true;
    };

    // Below the first client area: reached by enlarging the window.
    Panel2 = new TPanel("Panel2", this);
    Panel2->setObjectName("Panel2");
    QPalette navy = Panel2->palette();
    navy.setColor(QPalette::Window, QColor(0, 0, 128));
    Panel2->setPalette(navy);
    Panel2->setGeometry(464, 704, 57, 41);

    resize(546, 661);
}

void TButtonShapeWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Panel1->setGeometry(0, 0, width(), kPanel1Height);
    ImageScroller->setGeometry(0, kPanel1Height, kHotImageWidth,
                               std::max(0, height() - kPanel1Height));
}

void TButtonShapeWindow::LoadModel(const TMyModelRecord& record) {
    model_ = record;
    const std::string_view picture = PictureBytes(model_);
    TMemoryStream stream(TSSByteArray(picture.begin(), picture.end()));
    HotImage1->LoadPictureAndMap(stream, ModelHotMapPath(exeDir_, model_.ModelID));
    HotImage1->setMinimumSize(HotImage1->Picture().size());
    HotImage1->RenderBuffer();
}

void TButtonShapeWindow::EditClick() {
    if (!HotImage1->EditHotSpots())
        return;
    const QString file = QFileInfo(QFile::decodeName(HotImage1->FileName().c_str())).fileName();
    const int count = HotImage1->HotSpots().Count();
    emit OutlinesWritten(QStringLiteral("%1 %2 written to %3")
                             .arg(count)
                             .arg(count == 1 ? "outline" : "outlines")
                             .arg(file));
}

void TButtonShapeWindow::CheckClick() {
    const bool on = Button2->property(kTagProperty).toInt() == 0;
    Button2->setProperty(kTagProperty, on ? 1 : 0);
    HotImage1->SetCheckMarks(on);
}

void TButtonShapeWindow::ShiftLayerClick() {
    HotImage1->SetShiftOn(!HotImage1->ShiftOn());
}

void ShowButtonShapeWindow(QWidget* parent, TDialogs& dialogs, const TMyModelRecord& record,
                           const std::string& exeDir,
                           const std::function<void(const QString&)>& report) {
    TButtonShapeWindow window(dialogs, exeDir, parent);
    if (report)
        QObject::connect(&window, &TButtonShapeWindow::OutlinesWritten, &window, report);
    if (!Guarded(dialogs, [&] { window.LoadModel(record); }))
        return;
    window.exec();
}

} // namespace mm
