#include "SpotListBox.h"

#include "hotedit/core/HotMapDocument.h"
#include "platform/ui/QtText.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace mm {

namespace {

constexpr int kItemHeight = 13;
constexpr int kTextX = 60; // from the list's left edge

// Draws an entry as the list's owner: fixed height, ID, shape icon, mask lines, list text.
class TSpotItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), std::max(kItemHeight, option.fontMetrics.height())};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        const int l = r.left(), t = r.top(), b = r.top() + r.height(); // b one past the entry
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        QColor text = palette.color(QPalette::Text);
        if (selected)
            text = palette.color(QPalette::HighlightedText);
        else if (!index.data(TSpotListBox::EnabledRole).toBool())
            text = palette.color(QPalette::Disabled, QPalette::Text);
        painter->save();
        painter->fillRect(r, palette.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(text);
        const int baseline = t + option.fontMetrics.ascent();
        painter->drawText(l + 1, baseline,
                          QString::number(index.data(TSpotListBox::IdRole).toInt()));
        painter->drawText(kTextX, baseline, index.data(Qt::DisplayRole).toString());
        const QRect icon(QPoint(l + 30, t + 2), QPoint(l + 38, b - 2));
        switch (static_cast<TSpotShape>(index.data(TSpotListBox::ShapeRole).toInt())) {
        case TSpotShape::Polyline: {
            const QPoint triangle[] = {{l + 30, t + 2}, {l + 38, b - 2}, {l + 30, b - 2}};
            painter->drawPolygon(triangle, 3);
            break;
        }
        case TSpotShape::Rectangle:
            painter->drawRect(icon.adjusted(0, 0, -1, -1));
            break;
        case TSpotShape::Ellipse:
            painter->drawEllipse(icon.adjusted(0, 0, -1, -1));
            break;
        }
        const int mask = index.data(TSpotListBox::MaskRole).toInt();
        if (mask & kMaskOverPoint)
            painter->drawLine(l + 45, t + 5, l + 53, t + 5);
        if (mask & kMaskDownPoint)
            painter->drawLine(l + 45, b - 2, l + 53, b - 2);
        painter->restore();
    }
};

} // namespace

TSpotListBox::TSpotListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TSpotItemDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void TSpotListBox::ShowSpots(const THotSpots& spots, int selected) {
    while (count() > spots.Count())
        delete takeItem(count() - 1);
    while (count() < spots.Count())
        addItem(new QListWidgetItem());
    for (int i = 0; i < spots.Count(); ++i) {
        const TSpot& spot = *spots.Items(i);
        QListWidgetItem* entry = item(i);
        entry->setText(QStringFromGbk(SpotListText(spot.Hint)));
        entry->setData(IdRole, spot.ID);
        entry->setData(ShapeRole, static_cast<int>(spot.Shape()));
        entry->setData(MaskRole, static_cast<int>(spot.GetMask().Flags));
        entry->setData(EnabledRole, spot.Enabled != 0);
    }
    setCurrentRow(selected >= 0 && selected < count() ? selected : -1);
}

void TSpotListBox::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    pressAt_ = event->position().toPoint();
    pressed_ = event->button() == Qt::LeftButton && itemAt(pressAt_) && currentRow() >= 0;
    dragging_ = false;
}

void TSpotListBox::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !(event->buttons() & Qt::LeftButton)) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    // The entry pressed stays selected while it is dragged.
    const QPoint at = event->position().toPoint();
    if (!dragging_ && (at - pressAt_).manhattanLength() >= QApplication::startDragDistance()) {
        dragging_ = true;
        viewport()->setCursor(Qt::SplitVCursor);
    }
}

void TSpotListBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool dropped = dragging_ && event->button() == Qt::LeftButton;
    if (dragging_)
        viewport()->unsetCursor();
    pressed_ = dragging_ = false;
    QListWidget::mouseReleaseEvent(event);
    if (!dropped)
        return;
    const QListWidgetItem* target = itemAt(event->position().toPoint());
    emit DroppedOn(target ? row(target) : -1);
}

void TSpotListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // Not the list's own: a double click below the entries must open the selected one too.
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked();
    event->accept();
}

void TSpotListBox::focusInEvent(QFocusEvent* event) {
    // Taking the focus selects nothing: the list would make its first entry current, and the
    // window would take that for the user's choice.
    const int before = currentRow();
    {
        const QSignalBlocker quiet(this);
        QListWidget::focusInEvent(event);
        if (before < 0)
            setCurrentRow(-1);
    }
}

void TSpotListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        emit DeletePressed();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace mm
