// The spot editor's skeleton: loading and writing back, the handlers, and showing the document.
#include "SpotEditor.h"

#include "Controls.h"
#include "PaintBox.h"
#include "Panel.h"
#include "UndoKeys.h"
#include "controls/RadioGroup.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

namespace mm {

namespace {

constexpr int kZoomOnReturn = 3; // "500%"

// Only digits and Backspace reach "KeyIdx" from the keyboard; keys without a character pass.
bool TypedNonDigit(const QKeyEvent& key) {
    const QString text = key.text();
    if (text.size() != 1 || key.modifiers() & Qt::ControlModifier)
        return false;
    const QChar c = text[0];
    return c.unicode() >= 0x20 && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

void ShowColour(TPanel* panel, int32_t colour) {
    const QColor shown = QColorFromBgr(colour);
    if (panel->palette().color(QPalette::Window) == shown)
        return;
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, shown);
    panel->setPalette(palette);
}

} // namespace

TSpotEditor::TSpotEditor(TDialogs& dialogs, QWidget* parent) : TEditorDialog(dialogs, parent) {
    BuildLayout();
    ConnectHandlers();
    canvas_.SetBackground(ScrollBox1->palette().color(QPalette::Base));
}

TSpotEditor::~TSpotEditor() {
    DisconnectControls();
}

bool TSpotEditor::EditSpot(const QImage& picture, TSpotData& spot) {
    LoadSpot(picture, spot);
    if (exec() != QDialog::Accepted)
        return false;
    WriteBack(spot);
    return true;
}

void TSpotEditor::LoadSpot(const QImage& picture, const TSpotData& spot) {
    picture_ = picture;
    document_ = std::make_unique<TSpotDocument>(spot, picture.size());
    {
        const QScopedValueRollback<bool> updating(Updating, true);
        rgZoom->SetItemIndex(0);
    }
    ApplyZoom(0);
    ShowState();
}

void TSpotEditor::WriteBack(TSpotData& spot) const {
    if (document_)
        document_->WriteBack(spot);
}

void TSpotEditor::ConnectHandlers() {
    // Handlers that show nothing but the document run at once; the others once the event has
    // returned.
    WireNow(rgZoom, &TRadioGroup::Click, &TSpotEditor::rgZoomClick);
    WireNow(sbEdit, &QToolButton::clicked, &TSpotEditor::sbEditClick);
    WireNow(sbDeletePoint, &QToolButton::clicked, &TSpotEditor::sbDeletePointClick);
    WireNow(lboxPoints, &QListWidget::currentRowChanged, &TSpotEditor::lboxPointsClick);
    WireNow(edSpotID, &QLineEdit::textChanged, &TSpotEditor::edSpotIDChange);
    WireNow(chkboxEnabled, &QCheckBox::clicked, &TSpotEditor::chkboxEnabledClick);
    WireNow(rdoKind, &TRadioGroup::Click, &TSpotEditor::rdoKindClick);
    WireNow(memHint, &QPlainTextEdit::textChanged, &TSpotEditor::memHintChange);
    for (QToolButton* shape : {sbPolyline, sbRect, sbElipse})
        Wire(shape, &QToolButton::clicked, &TSpotEditor::sbShapeClick);
    Wire(pnlNormal, &TPanel::Click, &TSpotEditor::pnlNormalClick);
    Wire(pnlShift, &TPanel::Click, &TSpotEditor::pnlShiftClick);
    Wire(btnOk, &QPushButton::clicked, &TSpotEditor::btnOkClick);
    Wire(btnCancel, &QPushButton::clicked, &TSpotEditor::btnCancelClick);
    ConnectPointerHandlers();
    edSpotID->installEventFilter(this);
    auto* keys = new TUndoKeys(
        this, [this] { Post([this] { document_->Undo(); }); },
        [this] { Post([this] { document_->Redo(); }); });
    keys->Watch(edSpotID);
    keys->Watch(memHint);
}

void TSpotEditor::ConnectPointerHandlers() {
    connect(PaintBox, &TPaintBox::MouseDown, this, [this](Qt::MouseButton button, QPoint at) {
        Run([=, this] { PaintBoxMouseDown(button, at); });
    });
    connect(PaintBox, &TPaintBox::MouseMove, this,
            [this](QPoint at) { Run([=, this] { PaintBoxMouseMove(at); }); });
    connect(PaintBox, &TPaintBox::MouseUp, this, [this](Qt::MouseButton button, QPoint at) {
        Run([=, this] { PaintBoxMouseUp(button, at); });
    });
    WireNow(PaintBox, &TPaintBox::MouseLeave, &TSpotEditor::PaintBoxMouseLeave);
}

bool TSpotEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edSpotID && event->type() == QEvent::KeyPress &&
        TypedNonDigit(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TSpotEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    CentreOnScreen(this);
    if (!document_)
        return;
    if (LastPoint.X != 0)
        rgZoom->SetItemIndex(kZoomOnReturn); // applies the zoom
    // The spot being edited is what the user came for; a new one opens where the last was.
    if (const std::optional<TRect> outline = document_->OutlineViewBounds())
        ScrollTo(ScrollToShow(ScrollPosition(), *outline, client_));
    else if (LastPoint.X != 0)
        ScrollIntoViewOf(LastPoint);
}

void TSpotEditor::ShowState() {
    if (!document_)
        return;
    const QScopedValueRollback<bool> updating(Updating, true);
    const TSpotDraft& draft = document_->Draft();
    const bool drawing = document_->Drawing();
    QToolButton* shape = draft.Shape == TSpotShape::Rectangle ? sbRect
                         : draft.Shape == TSpotShape::Ellipse ? sbElipse
                                                              : sbPolyline;
    shape->setChecked(true);
    pnlShape->setEnabled(!drawing);
    sbDeletePoint->setText(draft.Shape == TSpotShape::Polyline ? "De&lete point" : "C&lear");
    sbDeletePoint->setEnabled(!drawing && draft.Selected >= 0);
    sbEdit->setChecked(drawing);
    ShowPoints();
    if (draft.IdText != shownId_) {
        shownId_ = draft.IdText;
        edSpotID->setText(QString::fromStdString(draft.IdText));
    }
    chkboxEnabled->setChecked(draft.Enabled != 0);
    rdoKind->SetItemIndex(draft.KeyKind);
    if (draft.Hint != shownHint_) {
        shownHint_ = draft.Hint;
        memHint->setPlainText(MemoTextOf(draft.Hint));
    }
    ShowColour(pnlNormal, draft.NormalColor);
    ShowColour(pnlShift, draft.ToggleColor);
    const Qt::CursorShape cursor = drawing ? Qt::CrossCursor : Qt::ArrowCursor;
    if (PaintBox->cursor().shape() != cursor)
        PaintBox->setCursor(cursor);
    PaintBox->update(canvas_.Show(document_->Overlays()));
}

void TSpotEditor::ShowPoints() {
    const TSpotDraft& draft = document_->Draft();
    lboxPoints->setEnabled(!document_->Drawing());
    const int count = document_->PointCount();
    while (lboxPoints->count() > count)
        delete lboxPoints->takeItem(lboxPoints->count() - 1);
    for (int i = 0; i < count; ++i) {
        const QString text = QString::fromStdString(PointText(draft.Points[size_t(i)]));
        if (i == lboxPoints->count())
            lboxPoints->addItem(text);
        else if (lboxPoints->item(i)->text() != text)
            lboxPoints->item(i)->setText(text);
    }
    lboxPoints->setCurrentRow(document_->Drawing() ? -1 : draft.Selected);
}

void TSpotEditor::ApplyZoom(int index) {
    PaintBox->hide();
    QScrollBar* horizontal = ScrollBox1->horizontalScrollBar();
    QScrollBar* vertical = ScrollBox1->verticalScrollBar();
    const QSize bars(vertical->sizeHint().width(), horizontal->sizeHint().height());
    const TSpotView view =
        ZoomInArea(index, picture_.size(), ScrollBox1->contentsRect().size(), bars);
    client_ = view.Client;
    // Bars exactly where the zoomed picture needs them, laid out at once.
    ScrollBox1->setHorizontalScrollBarPolicy(view.HorizontalBar ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(view.VerticalBar ? Qt::ScrollBarAlwaysOn
                                                            : Qt::ScrollBarAlwaysOff);
    const TSpotZoom& zoom = view.Zoom;
    document_->SetZoom(zoom);
    PaintBox->resize(zoom.PaintArea);
    canvas_.SetPicture(picture_, zoom.PictureRect, zoom.PaintArea);
    PaintBox->show();
    // The ranges now rather than once the area hears of the new size, so that a scroll that
    // follows at once is not cut short.
    horizontal->setRange(0, std::max(0, zoom.PaintArea.width() - client_.width()));
    horizontal->setPageStep(client_.width());
    vertical->setRange(0, std::max(0, zoom.PaintArea.height() - client_.height()));
    vertical->setPageStep(client_.height());
    ScrollTo({0, 0});
}

QPoint TSpotEditor::ScrollPosition() const {
    return {ScrollBox1->horizontalScrollBar()->value(), ScrollBox1->verticalScrollBar()->value()};
}

void TSpotEditor::ScrollTo(QPoint scroll) {
    ScrollBox1->horizontalScrollBar()->setValue(scroll.x());
    ScrollBox1->verticalScrollBar()->setValue(scroll.y());
}

QRect TSpotEditor::VisibleRect() const {
    return QRect(-PaintBox->pos(), client_).intersected(PaintBox->rect());
}

std::optional<TPoint> TSpotEditor::PointerInView() const {
    const QWidget* viewport = ScrollBox1->viewport();
    if (!viewport->rect().contains(viewport->mapFromGlobal(QCursor::pos())))
        return std::nullopt;
    return FromQPoint(PaintBox->mapFromGlobal(QCursor::pos()));
}

void TSpotEditor::ScrollIntoViewOf(TPoint view) {
    ScrollTo(ScrollIntoView(ScrollPosition(), view, client_));
}

void TSpotEditor::PaintBoxPaint(QPainter& canvas, const QRect& area) {
    if (!document_)
        return;
    const QRect visible = VisibleRect();
    if (!canvas_.Covers(visible))
        canvas_.Render(visible, document_->Overlays());
    canvas.drawImage(area, canvas_.Buffer(), area.translated(-canvas_.Origin()));
}

void TSpotEditor::ChooseColor(TPanel* panel, void (TSpotDocument::*set)(int32_t)) {
    const auto colour = dialogs_.ChooseColor(panel->palette().color(QPalette::Window));
    if (colour)
        ((*document_).*set)(BgrFromQColor(*colour));
}

void TSpotEditor::rgZoomClick() {
    ApplyZoom(rgZoom->ItemIndex());
}

void TSpotEditor::sbEditClick() {
    if (sbEdit->isChecked())
        document_->EnterDrawing(PointerInView());
    else
        document_->LeaveDrawing();
}

void TSpotEditor::sbDeletePointClick() {
    document_->DeletePoint();
}

void TSpotEditor::sbShapeClick() {
    const TSpotShape shape = sbPolyline->isChecked() ? TSpotShape::Polyline
                             : sbRect->isChecked()   ? TSpotShape::Rectangle
                                                     : TSpotShape::Ellipse;
    if (document_->ShapeChangeLosesPoints(shape) &&
        !dialogs_.Confirm("Do you want to cancel current drawing?", DefaultAnswer::No))
        return; // the current shape's button goes down again
    document_->SetShape(shape);
}

void TSpotEditor::lboxPointsClick() {
    document_->SelectPoint(lboxPoints->currentRow());
    const TSpotDraft& draft = document_->Draft();
    if (draft.Selected < 0)
        return;
    const TPoint view = document_->Zoom().ToView(draft.Points[size_t(draft.Selected)]);
    ScrollIntoViewOf(view);
}

void TSpotEditor::edSpotIDChange() {
    shownId_ = edSpotID->text().toStdString();
    document_->SetIdText(shownId_);
}

void TSpotEditor::chkboxEnabledClick() {
    document_->SetEnabled(chkboxEnabled->isChecked());
}

void TSpotEditor::rdoKindClick() {
    document_->SetKeyKind(rdoKind->ItemIndex());
}

void TSpotEditor::memHintChange() {
    shownHint_ = HintOfMemo(memHint->toPlainText());
    document_->SetHint(shownHint_);
}

void TSpotEditor::pnlNormalClick() {
    ChooseColor(pnlNormal, &TSpotDocument::SetNormalColor);
}

void TSpotEditor::pnlShiftClick() {
    ChooseColor(pnlShift, &TSpotDocument::SetToggleColor);
}

void TSpotEditor::btnOkClick() {
    if (const std::optional<TPoint> first = document_->FirstViewPoint())
        LastPoint = *first;
    accept();
}

void TSpotEditor::btnCancelClick() {
    reject();
}

void TSpotEditor::PaintBoxMouseDown(Qt::MouseButton button, QPoint at) {
    document_->Press(button, FromQPoint(at), SpeedButton1->isChecked());
}

void TSpotEditor::PaintBoxMouseMove(QPoint at) {
    Label4->setText(QString::fromStdString(document_->Readout(FromQPoint(at))));
    if (QGuiApplication::applicationState() != Qt::ApplicationActive)
        return;
    const QWidget* viewport = ScrollBox1->viewport();
    const bool inside = viewport->rect().contains(PaintBox->mapTo(viewport, at));
    document_->Move(FromQPoint(at), inside);
}

void TSpotEditor::PaintBoxMouseUp(Qt::MouseButton button, QPoint at) {
    document_->Release(button, FromQPoint(at));
}

void TSpotEditor::PaintBoxMouseLeave() {
    document_->PointerLeft();
}

} // namespace mm
