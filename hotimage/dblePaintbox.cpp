#include "dblePaintbox.h"

#include "platform/ui/QtText.h"

#include <QPainter>
#include <QResizeEvent>

namespace mm {

THotBackBox::THotBackBox(QWidget* parent) : QWidget(parent) {
    ResetBuffer();
}

void THotBackBox::Flip() {
    if (!BufferValid)
        return;
    if (!painting_) {
        // Qt paints only inside a paint event: the copy waits for the next one.
        flipPending_ = true;
        update();
        return;
    }
    QPainter face(this);
    face.drawImage(0, 0, BackBuffer);
}

void THotBackBox::ResetBuffer() {
    BackBuffer = QImage(size(), QImage::Format_RGB32);
    BackBuffer.fill(QColorFromBgr(InitColor));
}

void THotBackBox::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    painting_ = true;
    if (AutoFlip || flipPending_)
        Flip();
    flipPending_ = false;
    painting_ = false;
}

void THotBackBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resized();
    ResetBuffer();
    RenderBuffer();
}

} // namespace mm
