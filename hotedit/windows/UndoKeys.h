#pragma once
// Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, anywhere in an editor's window: text boxes,
// whose own undo would take the keys first, give them up to the window.
#include <QObject>
#include <functional>

class QWidget;

namespace mm {

class TUndoKeys : public QObject {
public:
    TUndoKeys(QWidget* window, std::function<void()> undo, std::function<void()> redo);
    // A text box of the window that keeps an undo of its own.
    void Watch(QWidget* textBox);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> undo_;
    std::function<void()> redo_;
};

} // namespace mm
