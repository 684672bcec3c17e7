#pragma once
// A paint box with a back buffer: everything is drawn into the buffer, which reaches the
// screen in one copy, so the face never flickers; plain repaints only copy it again.
#include <QImage>
#include <QWidget>
#include <cstdint>

namespace mm {

class TBackBufferBox : public QWidget {
    Q_OBJECT
public:
    explicit TBackBufferBox(QWidget* parent = nullptr);

    QImage BackBuffer;        // the control's face, Format_RGB32 at the control's size
    bool AutoFlip = false;    // copy the buffer to the screen on every paint
    int32_t InitColor = 0;    // 0x00BBGGRR that ResetBuffer fills the buffer with
    bool BufferValid = false; // the buffer holds something to show; Flip does nothing without

    // Copies the whole buffer onto the control's face (at the next paint when called outside
    // one).
    void Flip();
    QImage& BackCanvas() { return BackBuffer; }
    // The buffer at the control's size, filled with InitColor.
    void ResetBuffer();
    // Draws the buffer anew; nothing here.
    virtual void RenderBuffer() {}

signals:
    void Resized(); // OnResize

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool painting_ = false;
    bool flipPending_ = false;
};

} // namespace mm
