#pragma once
// The picture of a remote with its button outlines: the hand cursor over an enabled spot, a
// click selects and tints a button or switches the SHIFT layer, check marks on request. The
// drawing and the pointer protocol live in a renderer and a tracker without widgets; the
// control owns both and forwards its events to them.
#include "BackBufferBox.h"
#include "hotimage/core/HotImageRenderer.h"
#include "hotimage/core/HotMapFile.h"
#include "hotimage/core/HotPointer.h"
#include "hotimage/core/HotSpots.h"

#include <QCursor>
#include <functional>
#include <string>

namespace mm {

class THotImage : public TBackBufferBox, private TSpotListOwner {
    Q_OBJECT
public:
    explicit THotImage(QWidget* parent = nullptr);
    ~THotImage() override;

    // Runs the hot-map editor on the control, captioned with the control's objectName(): it
    // edits a copy of HotSpots() and, on OK, hands the copy to SetHotSpots and answers true;
    // without a picture it tells the user so and answers false. Set by the control's owner, so that
    // this library knows no editor.
    using THotSpotsEditor = std::function<bool(THotImage& image)>;
    THotSpotsEditor HotSpotsEditor;
    // Told of an error raised while the control handled an event of its own (an outline whose
    // region could not be built), since no exception may pass through the windowing layer.
    // Without it the error is dropped.
    std::function<void(const std::string& message)> EventError;

    // The spots shown; changed only through SetHotSpots, so that what the renderer and the
    // pointer read is what the control shows.
    const THotSpots& HotSpots() const { return spots_; }

    // As decoded; its size is the picture space of the spots.
    const QImage& Picture() const { return picture_; }
    const QImage& MaskPicture() const { return maskPicture_; }     // held only
    const QImage& PictureBitmap() const { return pictureBitmap_; } // the picture as painted
    const QCursor& HotCursor() const { return hotCursor_; }
    const QCursor& NormalCursor() const { return normalCursor_; }

    // The hot-map file last given to LoadPictureAndMap, which holds the spots.
    const std::string& FileName() const { return mapFile_.FileName(); }
    const THotMapFile& MapFile() const { return mapFile_; }
    int32_t SelectedIndex() const { return state_.SelectedIndex; }
    bool ShiftOn() const { return state_.ShiftOn; }
    int32_t ShiftIndex() const { return state_.ShiftIndex; }
    bool Stretch() const { return state_.Stretch; }
    TSpot* HotSpot() const { return pointer_.HotSpot(); }
    TSpot* TrackedSpot() const { return pointer_.TrackedSpot(); }
    bool Pressed() const { return pointer_.Pressed(); }
    QPoint LastHitPos() const { return pointer_.LastHitPos(); }

    void SetSelectedIndex(int32_t index); // repaints when it changes
    void SetShiftOn(bool on);             // repaints when it changes
    void SetHotSpots(const THotSpots& value) { spots_.Assign(value); }
    void SetHotSpot(TSpot* spot); // and the cursor that goes with it
    // The picture, at its natural size, becomes the one shown (valid when it is not empty).
    void SetPicture(const QImage& picture);
    void SetMaskPicture(const QImage& picture) { maskPicture_ = picture; }
    void SetStretch(bool stretch) { state_.Stretch = stretch; }

    void RenderBuffer() override;
    // The JPEG picture from the stream (from its start; a picture that does not decode leaves
    // the control without one, unreported) and the binary hot map of the file when it exists,
    // whatever its name. Raises the hot-map reader's errors after the list was emptied. Does not
    // repaint.
    void LoadPictureAndMap(TStream& stream, const std::string& mapFileName);

    TSpotMapping GetMapping() const;
    TRect GetDisplayRect() const;
    TSpot* SpotAtClient(int x, int y) const;
    void HighlightSpot(int index);
    QRegion MappedRegion(const TSpot& spot) const;
    // The editor, then the binary hot map written to FileName when it answered OK. Without an
    // editor nothing happens. Raises the writer's errors; true when the file was written.
    bool EditHotSpots();
    void DrawCheckMark(int index);
    void SetCheckMarks(bool on); // both layers of every spot; repaints
    void ClearCheckMarks();      // without repainting

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Runs the handling of an event, handing an error to EventError.
    void Handled(const std::function<void()>& handling);
    void SpotRemoved(TSpot* spot) override;
    QImage SpotsPicture() const override { return picture_; }
    // The hit test the parent asks for at a pointer position on the control.
    void HitTestAt(QPoint position);
    bool UnderPointer(QPoint globalPosition) const;

    // Changed only through SetPicture, so that the renderer reads what the control shows.
    QImage picture_;
    QImage maskPicture_;
    QImage pictureBitmap_;
    QCursor hotCursor_{Qt::PointingHandCursor};
    QCursor normalCursor_{Qt::ArrowCursor};
    THotImageState state_;
    THotSpots spots_{this};
    THotImageRenderer renderer_{pictureBitmap_, spots_, state_};
    THotPointer pointer_{spots_};
    THotMapFile mapFile_{spots_}; // every read and write of the spots' file
};

} // namespace mm
