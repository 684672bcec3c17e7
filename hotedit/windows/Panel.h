#pragma once
// A panel with a centred caption that reports a click of the left button.
#include <QLabel>

namespace mm {

class TPanel : public QLabel {
    Q_OBJECT
public:
    explicit TPanel(const QString& caption, QWidget* parent = nullptr);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace mm
