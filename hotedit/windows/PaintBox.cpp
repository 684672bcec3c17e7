#include "PaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace mm {

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent); // the owner paints every pixel
}

void TPaintBox::paintEvent(QPaintEvent* event) {
    if (!OnPaint)
        return;
    QPainter canvas(this);
    for (const QRect& area : event->region())
        OnPaint(canvas, area);
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button(), event->position().toPoint());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(event->position().toPoint());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseUp(event->button(), event->position().toPoint());
}

void TPaintBox::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit MouseLeave();
}

} // namespace mm
