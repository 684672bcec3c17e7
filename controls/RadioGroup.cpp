#include "RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace mm {

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns,
                         QWidget* parent)
    : QGroupBox(caption, parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(1);
    auto* group = new QButtonGroup(this);
    group->setExclusive(false); // exclusivity by hand, so that nothing selected is possible
    const int perColumn = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setAutoExclusive(false);
        layout->addWidget(button, i % perColumn, i / perColumn);
        group->addButton(button, i);
        buttons_.push_back(button);
    }
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        // A click on the selected item keeps it selected and is no change.
        if (id == index_) {
            buttons_[static_cast<size_t>(id)]->setChecked(true);
            return;
        }
        SetItemIndex(id);
    });
}

QString TRadioGroup::Item(int index) const {
    return index >= 0 && index < Count() ? buttons_[static_cast<size_t>(index)]->text() : QString();
}

void TRadioGroup::SetItemIndex(int index) {
    if (index < 0 || index >= Count())
        index = -1;
    for (int i = 0; i < Count(); ++i)
        buttons_[static_cast<size_t>(i)]->setChecked(i == index);
    if (index == index_)
        return;
    index_ = index;
    emit Click();
}

} // namespace mm
