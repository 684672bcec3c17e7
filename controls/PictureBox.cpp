#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace mm {

void TPictureBox::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void TPictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(rect(), picture_);
}

void TPictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
}

} // namespace mm
