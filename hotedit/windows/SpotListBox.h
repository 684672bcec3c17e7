#pragma once
// The hot-map editor's list of spots, drawn by itself: each entry shows the spot's ID, a small
// picture of its shape, a line for each mask point it carries and its list text, the text of a
// disabled spot in grey. An entry dragged onto another asks to be moved there; the Delete key
// and a double click are reported to the window.
#include "hotimage/core/HotSpots.h"

#include <QListWidget>

namespace mm {

class TSpotListBox : public QListWidget {
    Q_OBJECT
public:
    // What each entry carries of its spot (the list text is its display text).
    enum TRole { IdRole = Qt::UserRole, ShapeRole, MaskRole, EnabledRole };

    explicit TSpotListBox(QWidget* parent = nullptr);

    // One entry per spot, in order; `selected` the selected entry, -1 for none.
    void ShowSpots(const THotSpots& spots, int selected);

signals:
    // The selected entry was dragged and dropped on entry `target` (-1: on no entry).
    void DroppedOn(int target);
    // The Delete key was pressed.
    void DeletePressed();
    // A double click anywhere in the list, also below the last entry.
    void DoubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QPoint pressAt_;
    bool pressed_ = false; // the left button went down on an entry
    bool dragging_ = false;
};

} // namespace mm
