#pragma once
// Shows a picture stretched over its whole area, proportions not kept.
#include <QImage>
#include <QWidget>

namespace mm {

class TPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit TPictureBox(QWidget* parent = nullptr) : QWidget(parent) {}
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

} // namespace mm
