#pragma once
// The hot-map editor: the spots of one picture listed and outlined on it, created, edited in
// the spot editor, copied, deleted, reordered by dragging, cleared, loaded and saved. It works
// on a private copy (THotMapDocument) that the caller gets back only on OK; Ctrl+Z and
// Ctrl+Shift+Z (or Ctrl+Y) undo and redo every change back to the opening.
#include "EditorDialog.h"
#include "hotedit/core/HotMapDocument.h"
#include "hotedit/core/HotMapView.h"
#include "trace/Trace.h"

#include <QImage>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QGroupBox;
class QPushButton;
class QScrollArea;

namespace mm {

class TDialogs;
class TPaintBox;
class TSpotListBox;
class TTraceRun;

class THotMapEditor : public TEditorDialog {
    Q_OBJECT
public:
    // picture: the picture the spots outline (not empty); hotSpots: the hot map, copied.
    THotMapEditor(TDialogs& dialogs, const QImage& picture, const THotSpots& hotSpots,
                  const QString& caption, QWidget* parent = nullptr);
    ~THotMapEditor() override;

    // The caller's hot map becomes the edited copy.
    void HandBack(THotSpots& target) const { document_.HandBack(target); }

    // The keys whose names "Trace" matches the labels read on the picture against.
    std::vector<TTraceKey> TraceKeys;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildLayout();
    void ConnectHandlers();
    void ShowState() override;
    bool HoldsChanges() const override { return document_.HoldsChanges(); }
    void PaintBox1Paint(QPainter& canvas, const QRect& area);
    // The spot editor on `spot`, captioned `caption`; true when the user confirmed.
    bool RunSpotEditor(const QString& caption, TSpotData& spot);

    // Handlers.
    void lboxSpotsClick();
    void PaintBox1MouseDown(QPoint at);
    void btnNewSpotClick();
    void btnEditSpotClick();
    void btnMaskClick();
    void btnDeleteSpotClick();
    void btnClearClick();
    void lboxSpotsDragDrop(int target);
    void btnLoadClick();
    void btnSaveClick();
    void btnTraceClick();
    void TraceFinished(const TTraceResult* result, const QString& error);
    void btnOkClick();
    void btnCancelClick();

    QImage picture_;
    THotMapDocument document_;
    TDisplayScale scale_;
    QString caption_;
    bool centred_ = false;
    // Where the parts lie at the opening size, which a larger dialog adds to.
    struct TOpeningLayout {
        QRect Picture; // GroupBox1
        QRect Spots;   // GroupBox2
        QPoint Ok;
        QPoint Cancel;
        QSize Size;
    } opening_;
    std::unique_ptr<TTraceRun> trace_; // while a trace runs

    QGroupBox* GroupBox1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    TPaintBox* PaintBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    TSpotListBox* lboxSpots = nullptr;
    QPushButton* btnEditSpot = nullptr;
    QPushButton* btnMask = nullptr;
    QPushButton* btnNewSpot = nullptr;
    QPushButton* btnDeleteSpot = nullptr;
    QPushButton* btnLoad = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnClear = nullptr;
    QPushButton* btnTrace = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
};

// Runs the hot-map editor on a copy of the hot map over `picture`, captioned `caption`. Without a
// picture it tells the user "Picture property undefined" and answers false.
// On OK the hot map becomes the edited copy (true); on Cancel it stays as it was (false). Run
// it from a posted handler, never from inside a control's own signal.
// "Trace" matches the labels it reads against `keys`.
bool EditHotMap(TDialogs& dialogs, const QImage& picture, THotSpots& hotSpots,
                const QString& caption, QWidget* parent = nullptr,
                const std::vector<TTraceKey>& keys = {});

} // namespace mm
