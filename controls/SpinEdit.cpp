#include "SpinEdit.h"

#include <QLineEdit>

namespace mm {

TSpinEdit::TSpinEdit(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setSingleStep(1);
}

int TSpinEdit::Value() const {
    bool ok = false;
    const int typed = lineEdit()->text().trimmed().toInt(&ok);
    return ok ? std::clamp(typed, minimum(), maximum()) : minimum();
}

} // namespace mm
