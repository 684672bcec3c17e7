#include "BackBufferBox.h"

#include "platform/ui/QtText.h"

#include <QPainter>
#include <QResizeEvent>

namespace mm {

TBackBufferBox::TBackBufferBox(QWidget* parent) : QWidget(parent) {
    ResetBuffer();
}

void TBackBufferBox::Flip() {
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

void TBackBufferBox::ResetBuffer() {
    BackBuffer = QImage(size(), QImage::Format_RGB32);
    BackBuffer.fill(QColorFromBgr(InitColor));
}

void TBackBufferBox::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    painting_ = true;
    if (AutoFlip || flipPending_)
        Flip();
    flipPending_ = false;
    painting_ = false;
}

void TBackBufferBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resized();
    ResetBuffer();
    RenderBuffer();
}

} // namespace mm
