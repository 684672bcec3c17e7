#pragma once
// The spot editor's work without a widget: a private copy of one spot's outline and fields as
// the dialog shows them, the view of the picture, the pointer's modes (drawing, dragging a
// point, moving the outline), and every change of the copy as one command on an undo stack
// that starts empty when the editor opens. Steps of one pointer drag, and keys typed into one
// text, become one command.
#include "SpotCanvas.h"
#include "SpotView.h"
#include "WorkingCopyCommand.h"

#include <QString>
#include <QUndoStack>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mm {

// What OK writes back into the spot.
struct TSpotDraft {
    TSpotShape Shape = TSpotShape::Polyline;
    // Picture pixels. A rectangle or ellipse has 0, 1 or 2 corners.
    std::vector<TPoint> Points;
    int Selected = -1;                // the selected point
    std::string IdText;               // "KeyIdx" as the box shows it
    uint8_t Enabled = 1;              // the byte as stored, kept while "Enabled" is not clicked
    int32_t KeyKind = kKeyKindNormal; // the index the kind group shows: -1 for none, up to 3
    int32_t NormalColor = kDefaultNormalColor;
    int32_t ToggleColor = kDefaultToggleColor;
    std::string Hint; // GBK bytes, line breaks CR LF
    friend bool operator==(const TSpotDraft&, const TSpotDraft&) = default;
};

// The spot as the editor opens it: a rectangle or ellipse whose corners are one point has no
// points; a key kind beyond 3 shows as 3, a negative one as none; the last point is
// selected.
TSpotDraft DraftOf(const TSpotData& spot);

// "KeyIdx": a decimal integer with an optional sign that fits 32 bits, else 0.
int32_t SpotIdOf(std::string_view text);

// "(%d,%d)", as the points list shows a point.
std::string PointText(TPoint p);

// A hint as the memo shows it (lines joined by line feeds), and the memo's text as a hint
// (lines joined by CR LF, in GBK).
QString MemoTextOf(const std::string& hint);
std::string HintOfMemo(const QString& text);

class TSpotDocument {
public:
    TSpotDocument(const TSpotData& spot, QSize picture);
    TSpotDocument(const TSpotDocument&) = delete;
    TSpotDocument& operator=(const TSpotDocument&) = delete;

    const TSpotDraft& Draft() const { return draft_; }
    int PointCount() const { return static_cast<int>(draft_.Points.size()); }
    QSize PictureSize() const { return picture_; }

    const TSpotZoom& Zoom() const { return zoom_; }
    void SetZoom(const TSpotZoom& zoom) { zoom_ = zoom; }
    // The pointer read-out: the picture position and the view position, "(%d,%d):(%d,%d)".
    std::string Readout(TPoint view) const;

    bool Drawing() const { return drawing_; }
    bool BandShown() const { return drawing_ && !bandHidden_; }
    bool Outside() const { return outside_; }
    bool DraggingPoint() const { return dragging_; }
    bool MovingOutline() const { return moving_; }

    // The user chose a point in the list: not a change of the spot.
    void SelectPoint(int index);
    // Drawing mode on: a polyline's points turn so that the selected one is the last (new
    // points then go between it and its successor). pointer: the pointer's view position when
    // it lies in the visible area, so that the band shows at once.
    void EnterDrawing(std::optional<TPoint> pointer);
    // Drawing mode off: a rectangle's or ellipse's corners ordered, or none without both; the
    // last point selected.
    void LeaveDrawing();

    // Pointer events on the paint area, in view pixels. moveDown: "Move" is down. inside: the
    // position lies in the visible part of the scrolling area.
    void Press(Qt::MouseButton button, TPoint view, bool moveDown);
    void Move(TPoint view, bool inside);
    void Release(Qt::MouseButton button, TPoint view);
    // The pointer left the visible area, or the paint area lost the pointer: the band goes.
    void PointerLeft();

    // "De&lete point" removes the selected point; "C&lear" both corners.
    void DeletePoint();
    // A change to `shape` throws points away: the user is asked first.
    bool ShapeChangeLosesPoints(TSpotShape shape) const;
    // The new shape without points.
    void SetShape(TSpotShape shape);

    void SetIdText(std::string text);
    void SetEnabled(bool enabled);
    void SetKeyKind(int32_t index);
    void SetNormalColor(int32_t color);
    void SetToggleColor(int32_t color);
    void SetHint(std::string hint);

    QUndoStack& UndoStack() { return undo_; }
    // Changes since the opening that undo could take back.
    bool HoldsChanges() const { return !undo_.isClean(); }
    // A drag in progress ends first.
    void Undo();
    void Redo();

    // The figures over the picture, in view pixels.
    TSpotOverlays Overlays() const;
    // The view position of the first point, which the hot-map editor remembers.
    std::optional<TPoint> FirstViewPoint() const;
    // The bounds of the outline's points in view pixels (right and bottom exclusive), which
    // the window brings into view on opening; none without points.
    std::optional<TRect> OutlineViewBounds() const;

    // Everything but the spot's mask and check marks: the fields, then the outline (a
    // rectangle or ellipse without both corners as four zeros).
    void WriteBack(TSpotData& spot) const;

private:
    // One command from the current draft to `next`, merged with the last one when they share
    // the key; only a new selection when the outline and the fields stay.
    void Commit(TSpotDraft next, const QString& label, TMergeKey key = {});
    // One field of the draft changed, as a command.
    template <typename T>
    void SetField(T TSpotDraft::*field, T value, const QString& label, TMergeKey key = {});
    void Adopt(const TSpotDraft& draft);
    void EndDrawing();
    TMergeKey TypingKey(int id);
    bool HasSelection() const { return draft_.Selected >= 0 && draft_.Selected < PointCount(); }

    TSpotDraft draft_;
    QSize picture_;
    TSpotZoom zoom_;
    bool drawing_ = false;
    bool outside_ = false;
    bool bandHidden_ = true;
    bool dragging_ = false;
    bool moving_ = false;
    TPoint pointer_;              // picture pixels: where the band ends
    TPoint press_;                // view pixels: where the drag began
    std::vector<TPoint> pressed_; // the points when the drag began
    int draggedIndex_ = -1;       // the point dragged, as it was numbered then
    TMergeKey dragKey_;
    TMergeKey lastKey_;
    int sessions_ = 0;
    QUndoStack undo_;
};

} // namespace mm
