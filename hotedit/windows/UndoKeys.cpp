#include "UndoKeys.h"

#include <QKeyEvent>
#include <QWidget>

namespace mm {

namespace {

enum class TUndoKey { None, Undo, Redo };

TUndoKey UndoKeyOf(const QKeyEvent& event) {
    const QKeyCombination key = event.keyCombination();
    if (key == QKeyCombination(Qt::ControlModifier, Qt::Key_Z))
        return TUndoKey::Undo;
    if (key == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) ||
        key == QKeyCombination(Qt::ControlModifier, Qt::Key_Y))
        return TUndoKey::Redo;
    return TUndoKey::None;
}

} // namespace

TUndoKeys::TUndoKeys(QWidget* window, std::function<void()> undo, std::function<void()> redo)
    : QObject(window), undo_(std::move(undo)), redo_(std::move(redo)) {
    // Keys that no control takes reach the window itself.
    window->installEventFilter(this);
}

void TUndoKeys::Watch(QWidget* textBox) {
    textBox->installEventFilter(this);
}

bool TUndoKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const TUndoKey key = UndoKeyOf(*static_cast<QKeyEvent*>(event));
    if (key == TUndoKey::None)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept(); // delivered as a key press, which this filter takes
        return true;
    }
    if (key == TUndoKey::Undo)
        undo_();
    else
        redo_();
    return true;
}

} // namespace mm
