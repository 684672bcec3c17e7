#pragma once
// A captioned frame that rolls up to its caption bar and down again.
#include <QFrame>

class QToolButton;

namespace mm {

class TRollUpFrame : public QFrame {
    Q_OBJECT
public:
    TRollUpFrame(const QString& caption, QWidget* parent = nullptr);

    // The widget shown below the caption while rolled down.
    void SetContent(QWidget* content);
    bool RolledUp() const { return rolledUp_; }
    void RollUp() { SetRolledUp(true); }
    void RollDown() { SetRolledUp(false); }
    // The frame's height when rolled down.
    void SetFullHeight(int height);

private:
    void SetRolledUp(bool up);

    QToolButton* caption_;
    QWidget* content_ = nullptr;
    bool rolledUp_ = false;
    int fullHeight_ = 0;
};

} // namespace mm
