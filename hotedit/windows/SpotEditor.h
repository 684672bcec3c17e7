#pragma once
// The spot editor: one spot's outline drawn over the zoomed picture (points added in drawing
// mode, dragged one by one or moved together) and its fields set. It works on a private copy
// (TSpotDocument) written into the spot only on OK; Ctrl+Z and Ctrl+Shift+Z (or Ctrl+Y) undo
// and redo every change back to the opening.
#include "EditorDialog.h"
#include "hotedit/core/SpotCanvas.h"
#include "hotedit/core/SpotDocument.h"

#include <QImage>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

namespace mm {

class TDialogs;
class TPaintBox;
class TPanel;
class TRadioGroup;

class TSpotEditor : public TEditorDialog {
    Q_OBJECT
public:
    explicit TSpotEditor(TDialogs& dialogs, QWidget* parent = nullptr);
    ~TSpotEditor() override;

    // The view position remembered between spot editors: set by the caller before EditSpot;
    // when its x is not 0 the dialog opens at 500 % with it in view. OK sets it to the view
    // position of the first point.
    TPoint LastPoint;

    // Loads the spot, shows the dialog modally and, on OK, writes the result into it (true);
    // on Cancel the spot stays as it was (false). The caller sets the caption first.
    bool EditSpot(const QImage& picture, TSpotData& spot);
    // The two halves of EditSpot around the modal loop, for a caller that shows the dialog
    // itself.
    void LoadSpot(const QImage& picture, const TSpotData& spot);
    void WriteBack(TSpotData& spot) const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout (SpotEditLayout.cpp).
    void BuildLayout();
    QGroupBox* BuildHotImage();
    QWidget* BuildSpotData();
    QFrame* BuildShapePanel();
    QToolButton* ShapeButton(TSpotShape shape, const char* name);

    void ConnectHandlers();
    void ConnectPointerHandlers();
    // Nothing before a spot is loaded, nor while the window fills its own controls.
    bool Quiet() const override { return Updating || !document_; }
    bool HoldsChanges() const override { return document_ && document_->HoldsChanges(); }
    void ShowState() override;
    void ShowPoints();
    void ApplyZoom(int index);
    QPoint ScrollPosition() const;
    void ScrollTo(QPoint scroll); // limited to the scroll ranges
    // The visible part of the paint area, in its own pixels.
    QRect VisibleRect() const;
    // The pointer's position on the paint area when it lies in the visible part.
    std::optional<TPoint> PointerInView() const;
    void ScrollIntoViewOf(TPoint view);
    void PaintBoxPaint(QPainter& canvas, const QRect& area);
    void ChooseColor(TPanel* panel, void (TSpotDocument::*set)(int32_t));

    // Handlers.
    void rgZoomClick();
    void sbEditClick();
    void sbDeletePointClick();
    void sbShapeClick();
    void lboxPointsClick();
    void edSpotIDChange();
    void chkboxEnabledClick();
    void rdoKindClick();
    void memHintChange();
    void pnlNormalClick();
    void pnlShiftClick();
    void btnOkClick();
    void btnCancelClick();
    void PaintBoxMouseDown(Qt::MouseButton button, QPoint at);
    void PaintBoxMouseMove(QPoint at);
    void PaintBoxMouseUp(Qt::MouseButton button, QPoint at);
    void PaintBoxMouseLeave();

    QImage picture_;
    std::unique_ptr<TSpotDocument> document_;
    TSpotCanvas canvas_;
    // What the two text boxes were last given or gave, so that the window never sets a text
    // the user is typing.
    std::string shownId_;
    std::string shownHint_;
    bool Updating = false;
    bool shown_ = false;
    QSize client_; // the visible client rectangle of ScrollBox1 at the zoom in force

    QGroupBox* GroupBox1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    TPaintBox* PaintBox = nullptr;
    QLabel* Label4 = nullptr;
    TRadioGroup* rgZoom = nullptr;
    QFrame* pnlShape = nullptr;
    QToolButton* sbPolyline = nullptr;
    QToolButton* sbRect = nullptr;
    QToolButton* sbElipse = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLineEdit* edSpotID = nullptr;
    QCheckBox* chkboxEnabled = nullptr;
    TRadioGroup* rdoKind = nullptr;
    QPlainTextEdit* memHint = nullptr;
    QListWidget* lboxPoints = nullptr;
    QToolButton* sbEdit = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* sbDeletePoint = nullptr;
    TPanel* pnlNormal = nullptr;
    TPanel* pnlShift = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
};

} // namespace mm
