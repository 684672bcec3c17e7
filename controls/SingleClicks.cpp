#include "SingleClicks.h"

#include <QAbstractButton>
#include <QEvent>

namespace mm {

namespace {

// A double click arrives as press, release, double-click, release; a button takes the
// double-click event as a second press. Without it the last release clicks nothing.
class TDoubleClickFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        return event->type() == QEvent::MouseButtonDblClick;
    }
};

} // namespace

void IgnoreSecondClickOfDoubleClick(QAbstractButton* button) {
    button->installEventFilter(new TDoubleClickFilter(button));
}

} // namespace mm
