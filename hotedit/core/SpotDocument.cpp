#include "SpotDocument.h"

#include "platform/ui/QtText.h"

#include <algorithm>

namespace mm {

namespace {

// "Move point 3": points are counted from 1, as the list shows them.
QString PointLabel(const char* action, int index) {
    return QString("%1 %2").arg(action).arg(index + 1);
}

constexpr int kHandleHalf = 4;
constexpr int64_t kBeyondInt32 = int64_t{1} << 32;

enum TMergeId { kMergeDrag = 1, kMergeIdText, kMergeHint };

bool IsBox(TSpotShape shape) {
    return shape != TSpotShape::Polyline;
}

// The outline and the fields alike, whatever point is selected.
bool SameContent(TSpotDraft a, const TSpotDraft& b) {
    a.Selected = b.Selected;
    return a == b;
}

// p moved by (to - from), in the 32-bit arithmetic of the coordinates.
TPoint Shifted(TPoint p, TPoint from, TPoint to) {
    auto shift = [](int32_t v, int32_t a, int32_t b) {
        return static_cast<int32_t>(static_cast<uint32_t>(v) + static_cast<uint32_t>(b) -
                                    static_cast<uint32_t>(a));
    };
    return {shift(p.X, from.X, to.X), shift(p.Y, from.Y, to.Y)};
}

bool InHandle(TPoint handle, TPoint p) {
    const auto in = [](int64_t centre, int64_t v) {
        return v >= centre - kHandleHalf && v < centre + kHandleHalf;
    };
    return in(handle.X, p.X) && in(handle.Y, p.Y);
}

// Corner 0 becomes the top left; without both corners there is no outline.
void OrderCorners(std::vector<TPoint>& corners) {
    if (corners.size() != 2) {
        corners.clear();
        return;
    }
    if (corners[0].X > corners[1].X)
        std::swap(corners[0].X, corners[1].X);
    if (corners[0].Y > corners[1].Y)
        std::swap(corners[0].Y, corners[1].Y);
}

} // namespace

TSpotDraft DraftOf(const TSpotData& spot) {
    TSpotDraft draft;
    draft.Shape = spot.Shape;
    if (IsBox(spot.Shape)) {
        // The two corners as stored; missing ones count as (0, 0).
        const TPoint a = spot.Points.size() > 0 ? spot.Points[0] : TPoint{};
        const TPoint b = spot.Points.size() > 1 ? spot.Points[1] : TPoint{};
        if (a != b)
            draft.Points = {a, b};
    } else {
        draft.Points = spot.Points;
    }
    draft.Selected = static_cast<int>(draft.Points.size()) - 1;
    draft.IdText = std::to_string(spot.ID);
    draft.Enabled = spot.Enabled;
    draft.KeyKind = std::clamp(spot.KeyKind, -1, kKeyKindOther);
    draft.NormalColor = spot.NormalColor;
    draft.ToggleColor = spot.ToggleColor;
    draft.Hint = spot.Hint;
    return draft;
}

int32_t SpotIdOf(std::string_view text) {
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.remove_prefix(1);
    if (text.empty())
        return 0;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        value = std::min<int64_t>(value * 10 + (c - '0'), kBeyondInt32);
    }
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return 0;
    return static_cast<int32_t>(value);
}

std::string PointText(TPoint p) {
    return "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")";
}

QString MemoTextOf(const std::string& hint) {
    return QStringFromGbk(hint).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string HintOfMemo(const QString& text) {
    return GbkFromQString(QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
}

TSpotDocument::TSpotDocument(const TSpotData& spot, QSize picture)
    : draft_(DraftOf(spot)), picture_(picture) {
    undo_.setUndoLimit(0); // back to the opening, however long the session
}

std::string TSpotDocument::Readout(TPoint view) const {
    return PointText(zoom_.ToPicture(view)) + ":" + PointText(view);
}

void TSpotDocument::SelectPoint(int index) {
    if (drawing_)
        return;
    draft_.Selected = index >= 0 && index < PointCount() ? index : -1;
}

void TSpotDocument::EnterDrawing(std::optional<TPoint> pointer) {
    if (drawing_)
        return;
    dragging_ = moving_ = false;
    TSpotDraft next = draft_;
    if (next.Shape == TSpotShape::Polyline) {
        if (HasSelection()) {
            const auto after = next.Points.begin() + next.Selected + 1;
            std::rotate(next.Points.begin(), after, next.Points.end());
        }
        next.Selected = -1;
    }
    drawing_ = true;
    bandHidden_ = true;
    outside_ = false;
    Commit(std::move(next), "Start drawing");
    if (pointer)
        Move(*pointer, true);
}

void TSpotDocument::LeaveDrawing() {
    if (!drawing_)
        return;
    TSpotDraft next = draft_;
    if (IsBox(next.Shape))
        OrderCorners(next.Points);
    EndDrawing();
    next.Selected = static_cast<int>(next.Points.size()) - 1;
    Commit(std::move(next), "Finish drawing");
}

void TSpotDocument::EndDrawing() {
    drawing_ = false;
    bandHidden_ = true;
    outside_ = false;
}

void TSpotDocument::Press(Qt::MouseButton button, TPoint view, bool moveDown) {
    if (button == Qt::RightButton && drawing_) {
        PointerLeft();
        LeaveDrawing();
    }
    dragging_ = moving_ = false;
    if (button != Qt::LeftButton || drawing_ || !HasSelection())
        return;
    press_ = view;
    pressed_ = draft_.Points;
    draggedIndex_ = draft_.Selected;
    if (InHandle(zoom_.ToView(draft_.Points[static_cast<size_t>(draft_.Selected)]), view))
        dragging_ = true;
    else
        moving_ = moveDown;
    if (dragging_ || moving_)
        dragKey_ = {kMergeDrag, ++sessions_};
}

void TSpotDocument::Move(TPoint view, bool inside) {
    if (drawing_) {
        if (inside) {
            outside_ = false;
            pointer_ = zoom_.ToPicture(view);
            bandHidden_ = false;
        } else {
            PointerLeft();
            outside_ = true;
        }
        return;
    }
    if (dragging_ && pressed_.size() == draft_.Points.size() && draggedIndex_ >= 0 &&
        draggedIndex_ < PointCount()) {
        // From the points at the press, so that a rectangle's or ellipse's box always runs
        // from the corner that stays to the pointer, its corners in order.
        TSpotDraft next = draft_;
        const TPoint at = zoom_.ToPicture(view);
        next.Points = pressed_;
        next.Points[static_cast<size_t>(draggedIndex_)] = at;
        if (IsBox(next.Shape)) {
            OrderCorners(next.Points);
            next.Selected = next.Points[1] == at ? 1 : next.Points[0] == at ? 0 : draggedIndex_;
        }
        Commit(std::move(next), PointLabel("Move point", draggedIndex_), dragKey_);
    } else if (moving_ && pressed_.size() == draft_.Points.size()) {
        TSpotDraft next = draft_;
        for (size_t i = 0; i < next.Points.size(); ++i)
            next.Points[i] = zoom_.ToPicture(Shifted(zoom_.ToView(pressed_[i]), press_, view));
        Commit(std::move(next), "Move outline", dragKey_);
    }
}

void TSpotDocument::Release(Qt::MouseButton button, TPoint view) {
    if (button != Qt::LeftButton)
        return;
    if (drawing_ && !outside_) {
        const TPoint at = zoom_.ToPicture(view);
        TSpotDraft next = draft_;
        const int count = PointCount();
        QString label;
        if (next.Shape == TSpotShape::Polyline) {
            next.Points.push_back(at);
            label = PointLabel("Add point", count);
        } else if (count < 2) {
            next.Points.push_back(at); // the next free corner
            next.Selected = 1 - count;
            label = PointLabel("Set corner", count);
        } else {
            // The selected corner; without one, corner 1, as the band runs from corner 0.
            const int corner = next.Selected == 0 ? 0 : 1;
            next.Points[static_cast<size_t>(corner)] = at;
            label = PointLabel("Set corner", corner);
        }
        if (IsBox(next.Shape) && next.Points.size() == 2) {
            // The second corner ends drawing mode; one command with the click.
            OrderCorners(next.Points);
            next.Selected = 1;
            EndDrawing();
        }
        Commit(std::move(next), label);
    }
    // The list is refilled without a selection while the outline moves: no point stays
    // selected for "De&lete point" to remove.
    if (moving_ && draft_.Points != pressed_)
        draft_.Selected = -1;
    dragging_ = moving_ = false;
}

void TSpotDocument::PointerLeft() {
    if (drawing_ && !outside_)
        bandHidden_ = true;
}

void TSpotDocument::DeletePoint() {
    if (drawing_)
        return;
    TSpotDraft next = draft_;
    QString label = "Delete corners";
    if (IsBox(next.Shape)) {
        next.Points.clear();
    } else if (HasSelection()) {
        label = PointLabel("Delete point", next.Selected);
        next.Points.erase(next.Points.begin() + next.Selected);
    }
    next.Selected = -1;
    Commit(std::move(next), label);
}

bool TSpotDocument::ShapeChangeLosesPoints(TSpotShape shape) const {
    return !drawing_ && shape != draft_.Shape && !draft_.Points.empty();
}

void TSpotDocument::SetShape(TSpotShape shape) {
    if (drawing_ || shape == draft_.Shape)
        return;
    TSpotDraft next = draft_;
    next.Shape = shape;
    next.Points.clear();
    next.Selected = -1;
    Commit(std::move(next), "Change shape");
}

template <typename T>
void TSpotDocument::SetField(T TSpotDraft::*field, T value, const QString& label, TMergeKey key) {
    TSpotDraft next = draft_;
    next.*field = std::move(value);
    Commit(std::move(next), label, key);
}

void TSpotDocument::SetIdText(std::string text) {
    SetField(&TSpotDraft::IdText, std::move(text), "Change KeyIdx", TypingKey(kMergeIdText));
}

void TSpotDocument::SetEnabled(bool enabled) {
    SetField(&TSpotDraft::Enabled, static_cast<uint8_t>(enabled ? 1 : 0), "Change Enabled");
}

void TSpotDocument::SetKeyKind(int32_t index) {
    SetField(&TSpotDraft::KeyKind, index, "Change key kind");
}

void TSpotDocument::SetNormalColor(int32_t color) {
    SetField(&TSpotDraft::NormalColor, color, "Change normal color");
}

void TSpotDocument::SetToggleColor(int32_t color) {
    SetField(&TSpotDraft::ToggleColor, color, "Change toggle color");
}

void TSpotDocument::SetHint(std::string hint) {
    SetField(&TSpotDraft::Hint, std::move(hint), "Change hint", TypingKey(kMergeHint));
}

void TSpotDocument::Undo() {
    dragging_ = moving_ = false;
    lastKey_ = {};
    undo_.undo();
}

void TSpotDocument::Redo() {
    dragging_ = moving_ = false;
    lastKey_ = {};
    undo_.redo();
}

TSpotOverlays TSpotDocument::Overlays() const {
    TSpotOverlays overlays;
    std::vector<TPoint> view;
    view.reserve(draft_.Points.size());
    for (const TPoint& p : draft_.Points)
        view.push_back(zoom_.ToView(p));
    const size_t count = view.size();
    const TSpotShape shape = draft_.Shape;
    if (count >= 2 && shape == TSpotShape::Polyline)
        overlays.Outline = TFigure{shape, view, !drawing_ && count >= 3};
    else if (count >= 2 && !drawing_)
        overlays.Outline = TFigure{shape, {view[0], view[1]}, false};
    if (!drawing_ && HasSelection())
        overlays.Handle = view[static_cast<size_t>(draft_.Selected)];
    if (BandShown()) {
        TBand band;
        const TPoint at = zoom_.ToView(pointer_);
        if (IsBox(shape))
            band.Crosshair = at;
        if (count >= 1 && shape == TSpotShape::Polyline) {
            band.Figure = TFigure{shape, {view.back(), at}, false};
            if (count >= 2)
                band.Figure->Points.push_back(view.front());
        } else if (count >= 1) {
            const TPoint anchor = count >= 2 && draft_.Selected == 0 ? view[1] : view[0];
            band.Figure = TFigure{shape, {anchor, at}, false};
        }
        overlays.Band = band;
    }
    return overlays;
}

std::optional<TPoint> TSpotDocument::FirstViewPoint() const {
    if (draft_.Points.empty())
        return std::nullopt;
    return zoom_.ToView(draft_.Points.front());
}

std::optional<TRect> TSpotDocument::OutlineViewBounds() const {
    if (draft_.Points.empty())
        return std::nullopt;
    const TPoint first = zoom_.ToView(draft_.Points.front());
    TRect bounds{first.X, first.Y, first.X, first.Y};
    for (const TPoint& point : draft_.Points) {
        const TPoint view = zoom_.ToView(point);
        bounds = {std::min(bounds.Left, view.X), std::min(bounds.Top, view.Y),
                  std::max(bounds.Right, view.X), std::max(bounds.Bottom, view.Y)};
    }
    // Exclusive, and never past the largest coordinate.
    bounds.Right += bounds.Right < INT32_MAX ? 1 : 0;
    bounds.Bottom += bounds.Bottom < INT32_MAX ? 1 : 0;
    return bounds;
}

void TSpotDocument::WriteBack(TSpotData& spot) const {
    spot.Hint = draft_.Hint;
    spot.Enabled = draft_.Enabled;
    spot.ID = SpotIdOf(draft_.IdText);
    spot.KeyKind = draft_.KeyKind;
    spot.NormalColor = draft_.NormalColor;
    spot.ToggleColor = draft_.ToggleColor;
    spot.Shape = draft_.Shape;
    const bool complete = !IsBox(draft_.Shape) || draft_.Points.size() == 2;
    spot.Points = complete ? draft_.Points : std::vector<TPoint>{};
    if (IsBox(spot.Shape))
        spot.Points.resize(2); // a box without its two corners is stored as two (0, 0) corners
}

void TSpotDocument::Commit(TSpotDraft next, const QString& label, TMergeKey key) {
    if (SameContent(next, draft_)) {
        Adopt(next);
        return;
    }
    lastKey_ = key;
    undo_.push(new TWorkingCopyCommand<TSpotDraft>([this](const TSpotDraft& d) { Adopt(d); },
                                                   draft_, std::move(next), label, key));
}

void TSpotDocument::Adopt(const TSpotDraft& draft) {
    draft_ = draft;
    // While drawing no point of a polyline is selected; of a rectangle or ellipse the corner
    // the next click sets (which may not be there yet) stays chosen.
    const bool nextCorner =
        drawing_ && IsBox(draft_.Shape) && draft_.Selected >= 0 && draft_.Selected < 2;
    if (drawing_ && !IsBox(draft_.Shape))
        draft_.Selected = -1;
    else if (!nextCorner && !HasSelection())
        draft_.Selected = -1;
}

TMergeKey TSpotDocument::TypingKey(int id) {
    return lastKey_.Id == id ? lastKey_ : TMergeKey{id, ++sessions_};
}

} // namespace mm
