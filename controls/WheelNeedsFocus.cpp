#include "WheelNeedsFocus.h"

#include <QEvent>
#include <QWidget>

namespace mm {

namespace {

class TWheelFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* control = static_cast<QWidget*>(watched);
        if (event->type() != QEvent::Wheel || control->hasFocus())
            return false;
        // Ignored, the event goes on to the control's parents, as a scroll area expects.
        event->ignore();
        return true;
    }
};

} // namespace

void WheelNeedsFocus(QWidget* control) {
    // A wheel notch would otherwise give the focus too (Qt::WheelFocus).
    control->setFocusPolicy(Qt::StrongFocus);
    control->installEventFilter(new TWheelFilter(control));
}

} // namespace mm
