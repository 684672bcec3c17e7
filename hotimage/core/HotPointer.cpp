#include "HotPointer.h"

namespace mm {

THotPointer::THotPointer(const THotSpots& spots) : spots_(spots) {}

void THotPointer::SetHotSpot(TSpot* spot) {
    if (spot == hotSpot_)
        return;
    hotSpot_ = spot;
    if (HotSpotChanged)
        HotSpotChanged(spot);
}

TSpot* THotPointer::SpotAtClient(QPoint position, const TSpotMapping& mapping) const {
    return spots_.SpotAt(mapping.MapBack(FromQPoint(position)));
}

void THotPointer::HitTest(QPoint position, const TSpotMapping& mapping) {
    if (position == lastHitPos_)
        return;
    lastHitPos_ = position;
    if (pressed_ && trackedSpot_ && trackedSpot_->Contains(mapping.MapBack(FromQPoint(position)))) {
        SetHotSpot(trackedSpot_);
        return;
    }
    SetHotSpot(SpotAtClient(position, mapping));
}

void THotPointer::MouseMove(bool overControl) {
    if (!pressed_)
        trackedSpot_ = hotSpot_;
    else if (!overControl)
        SetHotSpot(nullptr);
}

TSpotClick THotPointer::LeftButtonDown() {
    pressed_ = true;
    trackedSpot_ = hotSpot_;
    if (!hotSpot_)
        return {};
    switch (hotSpot_->KeyKind) {
    case kKeyKindShift:
        return {TSpotClick::TAction::ToggleShift, spots_.IndexOf(hotSpot_)};
    case kKeyKindOther:
        return {};
    default:
        return {TSpotClick::TAction::Select, spots_.IndexOf(hotSpot_)};
    }
}

void THotPointer::LeftButtonUp() {
    pressed_ = false;
    trackedSpot_ = hotSpot_;
}

void THotPointer::MouseLeave() {
    if (!pressed_)
        trackedSpot_ = nullptr;
}

void THotPointer::SpotRemoved(const TSpot* spot) {
    if (spot == hotSpot_)
        SetHotSpot(nullptr);
    if (spot == trackedSpot_)
        trackedSpot_ = nullptr;
}

} // namespace mm
