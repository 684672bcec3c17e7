#pragma once
// The pointer over a hot image: which spot is hot (under the pointer), whether the left button
// is held, and the spot it went down on. No widget here: the control forwards its pointer
// events and shows the cursor this asks for.
#include "HotSpots.h"

#include <QPoint>
#include <functional>

namespace mm {

// What a press of the left button does to the control.
struct TSpotClick {
    enum class TAction { None, ToggleShift, Select };
    TAction Action = TAction::None;
    int Index = -1; // the spot selected

    friend bool operator==(const TSpotClick&, const TSpotClick&) = default;
};

class THotPointer {
public:
    // The list outlives the tracker.
    explicit THotPointer(const THotSpots& spots);
    THotPointer(const THotPointer&) = delete;
    THotPointer& operator=(const THotPointer&) = delete;

    // Told of every change of the hot spot, with the new one or none.
    std::function<void(TSpot* hotSpot)> HotSpotChanged;

    TSpot* HotSpot() const { return hotSpot_; }
    TSpot* TrackedSpot() const { return trackedSpot_; }
    bool Pressed() const { return pressed_; }
    QPoint LastHitPos() const { return lastHitPos_; }

    void SetHotSpot(TSpot* spot);
    // The first enabled spot under the client point, or none.
    TSpot* SpotAtClient(QPoint position, const TSpotMapping& mapping) const;

    // Asked for every pointer position on the control, in client coordinates, before the
    // pointer event itself; a position equal to the last one changes nothing. While the
    // button is held the tracked spot stays hot as long as the pointer is inside it.
    void HitTest(QPoint position, const TSpotMapping& mapping);
    // overControl: the control is what lies under the pointer, disabled controls not counted.
    void MouseMove(bool overControl);
    TSpotClick LeftButtonDown();
    void LeftButtonUp();
    void MouseLeave();
    // The spot is leaving the list: no reference to it stays.
    void SpotRemoved(const TSpot* spot);

private:
    const THotSpots& spots_;
    TSpot* hotSpot_ = nullptr;
    TSpot* trackedSpot_ = nullptr;
    bool pressed_ = false;
    QPoint lastHitPos_;
};

} // namespace mm
