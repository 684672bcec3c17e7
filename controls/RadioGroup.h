#pragma once
// A captioned group of radio buttons in columns with one selected index (-1 for none).
#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

namespace mm {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, int columns,
                QWidget* parent = nullptr);

    int ItemIndex() const { return index_; }
    // An index outside the items selects nothing. Raises Click only when the selection changes.
    void SetItemIndex(int index);
    int Count() const { return static_cast<int>(buttons_.size()); }
    QString Item(int index) const;

signals:
    // The selection changed, by the user or by SetItemIndex.
    void Click();

private:
    std::vector<QRadioButton*> buttons_;
    int index_ = -1;
};

} // namespace mm
