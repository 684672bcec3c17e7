#include "SpinEdit.h"

#include "WheelNeedsFocus.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace mm {

TSpinEdit::TSpinEdit(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setSingleStep(1);
    // A typed number takes effect when typing ends, so "60" never passes through a count of 6.
    setKeyboardTracking(false);
    WheelNeedsFocus(this);
}

QValidator::State TSpinEdit::validate(QString& input, int&) const {
    static const QRegularExpression wholeNumber(QStringLiteral("^\\s*[+-]?\\d{0,9}\\s*$"));
    if (!wholeNumber.match(input).hasMatch())
        return QValidator::Invalid;
    bool ok = false;
    const int typed = input.trimmed().toInt(&ok);
    return ok && typed >= minimum() && typed <= maximum() ? QValidator::Acceptable
                                                          : QValidator::Intermediate;
}

void TSpinEdit::fixup(QString& input) const {
    bool ok = false;
    const int typed = input.trimmed().toInt(&ok);
    input = textFromValue(ok ? std::clamp(typed, minimum(), maximum()) : minimum());
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
    const QString shown = textFromValue(value());
    if (event->key() == Qt::Key_Escape && lineEdit()->text() != shown) {
        lineEdit()->setText(shown);
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

int TSpinEdit::Value() const {
    bool ok = false;
    const int typed = lineEdit()->text().trimmed().toInt(&ok);
    return ok ? std::clamp(typed, minimum(), maximum()) : minimum();
}

} // namespace mm
