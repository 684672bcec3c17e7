#pragma once
// Real input for the window tests: widgets found by their designer names, clicks and keys sent
// as a user's, and the events the windows left for afterwards run before the test looks.
#include <QApplication>
#include <QTest>
#include <stdexcept>
#include <string>

namespace mm::test {

// Runs what the windows left for after the user's event: posted handlers, deferred messages
// and deletions.
inline void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The widget of a window by its designer name; throws when there is none.
template <typename T = QWidget> T* Find(const QWidget* window, const char* name) {
    T* widget = window->findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        throw std::runtime_error(std::string("no widget named ") + name);
    return widget;
}

// The pointer moves there first, as a user's does, then clicks.
inline void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = {}) {
    const QPoint where = at.isNull() ? widget->rect().center() : at;
    QTest::mouseMove(widget, where);
    QTest::mouseClick(widget, button, {}, where);
    Settle();
}

// A double click as the platform reports it: press and release, then the second press as a
// double click, and its release.
inline void DoubleClick(QWidget* widget, QPoint at = {}) {
    const QPoint where = at.isNull() ? widget->rect().center() : at;
    QTest::mouseMove(widget, where);
    QTest::mouseClick(widget, Qt::LeftButton, {}, where);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, where);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, where);
    Settle();
}

inline void Key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(widget, static_cast<Qt::Key>(key), modifiers);
    Settle();
}

// Key presses carrying the characters; those beyond ASCII (Chinese typed through an input
// method) as keys that carry only their text.
inline void Type(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80)
            QTest::keyClick(widget, static_cast<char>(ch.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), {});
    }
    Settle();
}

} // namespace mm::test
