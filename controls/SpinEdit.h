#pragma once
#include <QSpinBox>

namespace mm {

// A spin box whose reading follows the window's rules: text that is not a number reads as
// the lower end, a number outside the range as the nearest end. valueChanged is raised when
// typing ends (Enter, focus leaving, a step), or by Commit, not on every keystroke. Any whole
// number can be typed (it takes the nearest end when typing ends, never loses a digit while
// typed); Escape gives up what is being typed; the wheel turns it only when it has the focus.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);
    int Value() const;
    void SetValue(int value) { setValue(std::clamp(value, minimum(), maximum())); }
    // Takes a number still being typed, raising valueChanged if it differs.
    void Commit() { interpretText(); }

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace mm
