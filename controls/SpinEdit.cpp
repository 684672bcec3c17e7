#include "SpinEdit.h"

#include <QLineEdit>

namespace mm {

TSpinEdit::TSpinEdit(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setSingleStep(1);
    // A typed number takes effect when typing ends, so "60" never passes through a count of 6.
    setKeyboardTracking(false);
}

int TSpinEdit::Value() const {
    bool ok = false;
    const int typed = lineEdit()->text().trimmed().toInt(&ok);
    return ok ? std::clamp(typed, minimum(), maximum()) : minimum();
}

} // namespace mm
