#include "HotImage.h"

#include "hotimage/core/DisplayMapping.h"
#include "hotimage/core/SpotRegion.h"
#include "platform/ui/Jpeg.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace mm {

THotImage::THotImage(QWidget* parent) : TBackBufferBox(parent) {
    AutoFlip = true;
    setMouseTracking(true); // the hand cursor follows the pointer without a button held
    setCursor(normalCursor_);
    pointer_.HotSpotChanged = [this](TSpot* spot) {
        QToolTip::hideText();
        setCursor(spot ? hotCursor_ : normalCursor_);
    };
}

THotImage::~THotImage() {
    spots_.Clear(); // while the tracker that hears of it is alive
}

void THotImage::SetSelectedIndex(int32_t index) {
    if (index == state_.SelectedIndex)
        return;
    state_.SelectedIndex = index;
    RenderBuffer();
}

void THotImage::SetShiftOn(bool on) {
    if (on == state_.ShiftOn)
        return;
    state_.ShiftOn = on;
    RenderBuffer();
}

void THotImage::SetHotSpot(TSpot* spot) {
    pointer_.SetHotSpot(spot);
}

void THotImage::SetPicture(const QImage& picture) {
    picture_ = picture;
    pictureBitmap_ = THotImageRenderer::PictureBitmapOf(picture);
    BufferValid = picture.width() > 0 && picture.height() > 0;
    ResetBuffer();
}

void THotImage::RenderBuffer() {
    try {
        renderer_.RenderBuffer(BackBuffer, BufferValid);
    } catch (const RegionMemoryError&) {
        throw RegionMemoryError(FileName());
    }
    if (BufferValid)
        Flip();
}

void THotImage::LoadPictureAndMap(TStream& stream, const std::string& mapFileName) {
    QImage image;
    try {
        stream.SetPosition(0);
        TSSByteArray bytes(static_cast<size_t>(stream.Remaining()));
        stream.ReadBuffer(bytes.data(), bytes.size());
        image = DecodeJpeg(bytes.data(), bytes.size());
    } catch (const std::exception&) {
        image = QImage(); // any failure means no picture, unreported
    }
    if (image.width() > 0 && image.height() > 0)
        SetPicture(image);
    else
        BufferValid = false; // the old picture stays, unseen
    state_.ShiftOn = false;
    state_.ShiftIndex = -1;
    mapFile_.Load(mapFileName);
    ClearCheckMarks();
    state_.ShiftIndex = spots_.IndexOfShiftKey();
}

TSpotMapping THotImage::GetMapping() const {
    return DisplayMapping(state_.Stretch, size(), picture_.size());
}

TRect THotImage::GetDisplayRect() const {
    return DisplayRect(state_.Stretch, size(), picture_.size());
}

TSpot* THotImage::SpotAtClient(int x, int y) const {
    return pointer_.SpotAtClient({x, y}, GetMapping());
}

void THotImage::HighlightSpot(int index) {
    QPainter canvas(&BackBuffer);
    renderer_.HighlightSpot(canvas, index);
}

QRegion THotImage::MappedRegion(const TSpot& spot) const {
    return THotImageRenderer::MappedRegion(spot, GetMapping());
}

bool THotImage::EditHotSpots() {
    if (!HotSpotsEditor || !HotSpotsEditor(*this))
        return false;
    mapFile_.Save();
    return true;
}

void THotImage::DrawCheckMark(int index) {
    QPainter canvas(&BackBuffer);
    renderer_.DrawCheckMark(canvas, index);
}

void THotImage::SetCheckMarks(bool on) {
    for (int i = 0; i < spots_.Count(); ++i)
        spots_.Items(i)->CheckMarks = {on, on};
    RenderBuffer();
}

void THotImage::ClearCheckMarks() {
    for (int i = 0; i < spots_.Count(); ++i)
        spots_.Items(i)->CheckMarks = {false, false};
}

void THotImage::HitTestAt(QPoint position) {
    if (!rect().contains(position))
        return;
    try {
        pointer_.HitTest(position, GetMapping());
    } catch (const RegionMemoryError&) {
        throw RegionMemoryError(FileName());
    }
}

bool THotImage::UnderPointer(QPoint globalPosition) const {
    const QWidget* under = QApplication::widgetAt(globalPosition);
    while (under && !under->isEnabled())
        under = under->parentWidget();
    return under == this;
}

void THotImage::Handled(const std::function<void()>& handling) {
    try {
        handling();
    } catch (const std::exception& error) {
        if (EventError)
            EventError(error.what());
    }
}

void THotImage::mouseMoveEvent(QMouseEvent* event) {
    Handled([&] {
        const QPoint position = event->position().toPoint();
        HitTestAt(position);
        pointer_.MouseMove(UnderPointer(event->globalPosition().toPoint()));
    });
    TBackBufferBox::mouseMoveEvent(event);
}

void THotImage::mousePressEvent(QMouseEvent* event) {
    Handled([&] { HitTestAt(event->position().toPoint()); });
    TBackBufferBox::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    Handled([&] {
        const TSpotClick click = pointer_.LeftButtonDown();
        if (click.Action == TSpotClick::TAction::ToggleShift) {
            state_.ShiftOn = !state_.ShiftOn;
            RenderBuffer();
        } else if (click.Action == TSpotClick::TAction::Select) {
            SetSelectedIndex(click.Index);
        }
    });
}

void THotImage::mouseReleaseEvent(QMouseEvent* event) {
    Handled([&] { HitTestAt(event->position().toPoint()); });
    if (event->button() == Qt::LeftButton)
        pointer_.LeftButtonUp();
    TBackBufferBox::mouseReleaseEvent(event);
}

void THotImage::enterEvent(QEnterEvent* event) {
    TBackBufferBox::enterEvent(event);
    Handled([&] { HitTestAt(event->position().toPoint()); });
}

void THotImage::resizeEvent(QResizeEvent* event) {
    Handled([&] { TBackBufferBox::resizeEvent(event); }); // renders the buffer anew
}

void THotImage::leaveEvent(QEvent* event) {
    TBackBufferBox::leaveEvent(event);
    pointer_.MouseLeave();
}

void THotImage::SpotRemoved(TSpot* spot) {
    pointer_.SpotRemoved(spot);
}

} // namespace mm
