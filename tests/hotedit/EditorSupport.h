#pragma once
// Driving the editing windows offscreen as a user does: real mouse and key events on widgets
// found by their designer names, and a hand for the modal windows they open.
#include "RealInput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace mm::test {

// Runs `act` on the next modal window of type T as soon as it is up, inside the loop that
// shows it; `act` must close it. Gives up after about two seconds without one.
template <typename T> void WhenModal(std::function<void(T&)> act, int tries = 200) {
    QTimer::singleShot(10, [act = std::move(act), tries] {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
            act(*modal);
            return;
        }
        if (tries > 0)
            WhenModal<T>(act, tries - 1);
        else
            ADD_FAILURE() << "no modal window of the expected kind";
    });
}

// Where a picture point lies on the spot editor's paint area at a zoom: a picture smaller than
// the visible area (what the scroll bars leave) lies in its middle.
inline QPoint SpotEditorView(QScrollArea* scrollBox, QSize picture, QPoint p, int zoom) {
    const QSize client = scrollBox->viewport()->size();
    const int w = picture.width() * zoom, h = picture.height() * zoom;
    const int left = client.width() > w ? (client.width() - w) / 2 : 0;
    const int top = client.height() > h ? (client.height() - h) / 2 : 0;
    return {p.x() * zoom + left, p.y() * zoom + top};
}

// A click on the box of a check box or the circle of a radio button, where a user aims: such
// a control may be much wider than its caption.
inline void ClickIndicator(QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
    const QRect box = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, button);
    Click(button, Qt::LeftButton, box.center());
}

// The three ways to leave an editor without OK: "Cancel", Escape, the close box.
struct TCloseGesture {
    const char* name;
    std::function<void(QDialog&)> close;
};
inline std::vector<TCloseGesture> CloseGestures() {
    return {{"Cancel", [](QDialog& d) { Click(Find(&d, "btnCancel")); }},
            {"Escape",
             [](QDialog& d) {
                 QWidget* focus = d.focusWidget();
                 Key(focus ? focus : &d, Qt::Key_Escape);
             }},
            {"close box", [](QDialog& d) {
                 d.close();
                 Settle();
             }}};
}

} // namespace mm::test
