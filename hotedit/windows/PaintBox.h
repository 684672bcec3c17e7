#pragma once
// A paint area: its owner paints it and hears of the pointer over it.
#include <QWidget>
#include <functional>

namespace mm {

class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // Paints the part `area` of the face; called for each rectangle of the region to paint.
    std::function<void(QPainter& canvas, const QRect& area)> OnPaint;

signals:
    void MouseDown(Qt::MouseButton button, QPoint at);
    void MouseMove(QPoint at);
    void MouseUp(Qt::MouseButton button, QPoint at);
    void MouseLeave();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

} // namespace mm
