#pragma once
#include <QSpinBox>

namespace mm {

// A spin box whose reading follows the window's rules: text that is not a number reads as
// the lower end, a number outside the range as the nearest end.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);
    int Value() const;
    void SetValue(int value) { setValue(std::clamp(value, minimum(), maximum())); }
};

} // namespace mm
