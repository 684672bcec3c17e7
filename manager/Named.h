#pragma once
// Small helpers for building the window's controls under their designer names.
#include <QSizePolicy>
#include <QString>
#include <QWidget>

namespace mm {

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The hint shows as a tool tip and in the status bar while the mouse is over the control.
template <typename T> void SetHint(T* target, const QString& hint) {
    target->setToolTip(hint);
    target->setStatusTip(hint);
}

// A control hidden now and then keeps its room, so the layout never jumps.
inline void KeepRoomWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace mm
