#pragma once
// Small helpers the editing windows share to build their controls at their designed places.
#include <QRect>
#include <QString>

class QAbstractButton;
class QPushButton;
class QWidget;

namespace mm {

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A push button at its designed place and size, wider and taller when its caption needs it.
QPushButton* DesignedButton(const QString& caption, const char* name, const QRect& designed,
                            QWidget* parent);

// The button grows, never shrinks, to fit its caption.
void FitCaption(QAbstractButton* button);

// The window in the middle of its screen.
void CentreOnScreen(QWidget* window);

} // namespace mm
