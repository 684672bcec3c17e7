#include "HotMapEditor.h"

#include "Controls.h"
#include "PaintBox.h"
#include "SpotEditor.h"
#include "SpotListBox.h"
#include "TraceRun.h"
#include "UndoKeys.h"
#include "hotedit/core/TracedSpots.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace mm {

namespace {

constexpr QSize kClientSize(424, 269);
constexpr QSize kPaintArea(200, 200);
constexpr int kScrollBoxFrame = 2;

// Each pattern written once: the dialog shows a filter's caption as it stands.
const char kOpenFilter[] = "Hot-map files (*.hmp *.hmt);;All files (*)";
const char kSaveFilter[] = "Hot-map binary files (*.hmp);;Hot-map text files (*.hmt)";
constexpr int kSaveFilterBinary = 0;
constexpr int kSaveFilterText = 1;
const char kDefaultExt[] = "hmt";

} // namespace

THotMapEditor::THotMapEditor(TDialogs& dialogs, const QImage& picture, const THotSpots& hotSpots,
                             const QString& caption, QWidget* parent)
    : TEditorDialog(dialogs, parent), picture_(picture), document_(hotSpots),
      scale_(DisplayScaleOf(picture.size(), kPaintArea)), caption_(caption) {
    setWindowTitle(caption);
    BuildLayout();
    ConnectHandlers();
    ShowState();
}

THotMapEditor::~THotMapEditor() {
    DisconnectControls();
}

void THotMapEditor::BuildLayout() {
    setObjectName("frmHSEdit");
    setFont(WindowFont());
    setSizeGripEnabled(false);

    GroupBox1 = Named(new QGroupBox("Hot Image", this), "GroupBox1");
    GroupBox1->setGeometry(6, 4, 217, 227);
    ScrollBox1 = Named(new QScrollArea(GroupBox1), "ScrollBox1");
    ScrollBox1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ScrollBox1->setLineWidth(kScrollBoxFrame);
    ScrollBox1->setBackgroundRole(QPalette::Base);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setGeometry(6, 16, kPaintArea.width() + 2 * kScrollBoxFrame,
                            kPaintArea.height() + 2 * kScrollBoxFrame);
    PaintBox1 = Named(new TPaintBox(), "PaintBox1");
    PaintBox1->setFixedSize(kPaintArea);
    PaintBox1->OnPaint = [this](QPainter& canvas, const QRect& area) {
        PaintBox1Paint(canvas, area);
    };
    ScrollBox1->setWidget(PaintBox1);

    GroupBox2 = Named(new QGroupBox("S&pots", this), "GroupBox2");
    auto* spots = new QVBoxLayout(GroupBox2);
    lboxSpots = Named(new TSpotListBox(GroupBox2), "lboxSpots");
    spots->addWidget(lboxSpots, 1);
    auto* buttons = new QGridLayout();
    spots->addLayout(buttons);
    auto button = [this, buttons](const char* caption, const char* name, int row, int column) {
        auto* b = Named(new QPushButton(caption, GroupBox2), name);
        buttons->addWidget(b, row, column);
        return b;
    };
    btnEditSpot = button("&Edit....", "btnEditSpot", 0, 0);
    btnMask = button("Copy", "btnMask", 0, 1);
    btnNewSpot = button("&New...", "btnNewSpot", 0, 2);
    btnDeleteSpot = button("&Delete", "btnDeleteSpot", 1, 0);
    btnLoad = button("&Load..", "btnLoad", 1, 1);
    btnSave = button("&Save...", "btnSave", 1, 2);
    btnClear = button("Clear", "btnClear", 2, 0);
    btnTrace = button("&Trace", "btnTrace", 2, 1);
    const QSize spotsHint = GroupBox2->sizeHint();
    GroupBox2->setGeometry(232, 4, std::max(185, spotsHint.width()),
                           std::max(215, spotsHint.height()));

    const int right = GroupBox2->geometry().right() + 1;
    const int bottom = std::max(GroupBox1->geometry().bottom(), GroupBox2->geometry().bottom());
    btnCancel = DesignedButton("Cancel", "btnCancel", QRect(0, bottom + 8, 75, 25), this);
    btnOk = DesignedButton("OK", "btnOk", QRect(0, bottom + 8, 75, 25), this);
    btnCancel->move(right - btnCancel->width(), btnCancel->y());
    btnOk->move(btnCancel->x() - 6 - btnOk->width(), btnOk->y());
    // Enter means OK whichever button has the focus.
    for (QPushButton* other : findChildren<QPushButton*>())
        other->setAutoDefault(false);
    btnOk->setDefault(true);
    // The opening size is the smallest; what the dialog grows by goes to the picture.
    const QSize opening(std::max(kClientSize.width(), right + 7),
                        std::max(kClientSize.height(), btnOk->geometry().bottom() + 7));
    opening_ = {GroupBox1->geometry(), GroupBox2->geometry(), btnOk->pos(), btnCancel->pos(),
                opening};
    setMinimumSize(opening);
    resize(opening);
}

void THotMapEditor::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (opening_.Size.isEmpty())
        return; // still being built
    const QSize grown = (size() - opening_.Size).expandedTo({0, 0});
    const QPoint right(grown.width(), 0);
    const QPoint down(0, grown.height());
    GroupBox1->setGeometry(opening_.Picture.adjusted(0, 0, grown.width(), grown.height()));
    GroupBox2->setGeometry(opening_.Spots.translated(right).adjusted(0, 0, 0, grown.height()));
    btnOk->move(opening_.Ok + right + down);
    btnCancel->move(opening_.Cancel + right + down);
    const QSize area = kPaintArea + grown;
    ScrollBox1->resize(area + QSize(2 * kScrollBoxFrame, 2 * kScrollBoxFrame));
    PaintBox1->setFixedSize(area);
    scale_ = DisplayScaleOf(picture_.size(), area);
    PaintBox1->update();
}

void THotMapEditor::ConnectHandlers() {
    // Selecting shows no message: it follows the list at once.
    connect(lboxSpots, &QListWidget::currentRowChanged, this,
            [this] { Run([this] { lboxSpotsClick(); }); });
    connect(PaintBox1, &TPaintBox::MouseDown, this,
            [this](Qt::MouseButton, QPoint at) { Run([this, at] { PaintBox1MouseDown(at); }); });
    Wire(lboxSpots, &TSpotListBox::DoubleClicked, &THotMapEditor::btnEditSpotClick);
    Wire(lboxSpots, &TSpotListBox::DeletePressed, &THotMapEditor::btnDeleteSpotClick);
    connect(lboxSpots, &TSpotListBox::DroppedOn, this,
            [this](int target) { Post([this, target] { lboxSpotsDragDrop(target); }); });
    Wire(btnNewSpot, &QPushButton::clicked, &THotMapEditor::btnNewSpotClick);
    Wire(btnEditSpot, &QPushButton::clicked, &THotMapEditor::btnEditSpotClick);
    Wire(btnMask, &QPushButton::clicked, &THotMapEditor::btnMaskClick);
    Wire(btnDeleteSpot, &QPushButton::clicked, &THotMapEditor::btnDeleteSpotClick);
    Wire(btnClear, &QPushButton::clicked, &THotMapEditor::btnClearClick);
    Wire(btnLoad, &QPushButton::clicked, &THotMapEditor::btnLoadClick);
    Wire(btnSave, &QPushButton::clicked, &THotMapEditor::btnSaveClick);
    Wire(btnTrace, &QPushButton::clicked, &THotMapEditor::btnTraceClick);
    Wire(btnOk, &QPushButton::clicked, &THotMapEditor::btnOkClick);
    Wire(btnCancel, &QPushButton::clicked, &THotMapEditor::btnCancelClick);
    new TUndoKeys(
        this, [this] { Post([this] { document_.Undo(); }); },
        [this] { Post([this] { document_.Redo(); }); });
}

void THotMapEditor::ShowState() {
    {
        const QSignalBlocker quiet(lboxSpots);
        lboxSpots->ShowSpots(document_.Spots(), document_.Selected());
    }
    const bool selected = document_.Selected() >= 0;
    const bool spots = document_.Count() > 0;
    btnEditSpot->setEnabled(selected);
    btnMask->setEnabled(selected);
    btnDeleteSpot->setEnabled(selected);
    btnSave->setEnabled(spots);
    btnClear->setEnabled(spots);
    PaintBox1->update();
}

void THotMapEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!centred_)
        CentreOnScreen(this);
    centred_ = true;
}

void THotMapEditor::PaintBox1Paint(QPainter& canvas, const QRect& area) {
    const QImage face =
        RenderHotMapView(picture_, PaintBox1->size(), scale_, document_.SelectedSpot(),
                         ScrollBox1->palette().color(QPalette::Base));
    canvas.drawImage(area, face, area);
}

bool THotMapEditor::RunSpotEditor(const QString& caption, TSpotData& data) {
    TSpotEditor editor(dialogs_, this);
    editor.setWindowTitle(caption);
    editor.LastPoint = document_.ViewPoint;
    if (!editor.EditSpot(picture_, data))
        return false;
    document_.ViewPoint = editor.LastPoint;
    return true;
}

void THotMapEditor::lboxSpotsClick() {
    document_.Select(lboxSpots->currentRow());
}

void THotMapEditor::PaintBox1MouseDown(QPoint at) {
    document_.Select(document_.Spots().IndexAt(scale_.ToPicture(FromQPoint(at))));
}

void THotMapEditor::btnNewSpotClick() {
    TSpotData spot = document_.NewSpot();
    if (RunSpotEditor(QString("%1 - New Spot").arg(caption_), spot))
        document_.Append(spot);
}

void THotMapEditor::btnEditSpotClick() {
    const TSpot* selected = document_.SelectedSpot();
    if (!selected)
        return;
    const int index = document_.Selected();
    TSpotData spot = selected->Data();
    if (RunSpotEditor(QString("%1[%2]").arg(caption_).arg(index), spot))
        document_.Replace(index, spot);
}

void THotMapEditor::btnMaskClick() {
    document_.CopySelected();
}

void THotMapEditor::btnDeleteSpotClick() {
    // Before the button is disabled, which would pass the focus on to the next button.
    lboxSpots->setFocus();
    document_.DeleteSelected();
}

void THotMapEditor::btnClearClick() {
    lboxSpots->setFocus();
    if (dialogs_.Confirm("Do you really want to remove all Spots?", DefaultAnswer::No))
        document_.Clear();
}

void THotMapEditor::lboxSpotsDragDrop(int target) {
    document_.MoveSelectedTo(target);
}

void THotMapEditor::btnLoadClick() {
    const auto path = dialogs_.ChooseFile({FileDialogKind::Open, kOpenFilter, kDefaultExt, {}, 0});
    if (!path)
        return;
    document_.Select(-1);
    document_.Load(QFile::encodeName(*path).toStdString());
}

void THotMapEditor::btnSaveClick() {
    const auto chosen = dialogs_.ChooseFileAndFilter(
        {FileDialogKind::Save, kSaveFilter, kDefaultExt, {}, kSaveFilterText});
    if (!chosen)
        return;
    const THotMapFormat format =
        chosen->filterIndex == kSaveFilterBinary ? THotMapFormat::Binary : THotMapFormat::Text;
    QString path = chosen->path;
    // The dialog adds the extension; a name reaching here without one still gets the format's.
    if (QFileInfo(path).suffix().isEmpty())
        path += format == THotMapFormat::Binary ? ".hmp" : ".hmt";
    document_.Save(QFile::encodeName(path).toStdString(), format);
}

void THotMapEditor::btnTraceClick() {
    if (trace_)
        return;
    btnTrace->setEnabled(false);
    setCursor(Qt::BusyCursor);
    trace_ = std::make_unique<TTraceRun>(
        picture_, TraceKeys,
        [this](int done, int total) { btnTrace->setText(QString("%1/%2").arg(done).arg(total)); },
        [this](const TTraceResult* result, const QString& error) {
            Run([this, result, error] { TraceFinished(result, error); });
        },
        this);
}

void THotMapEditor::TraceFinished(const TTraceResult* result, const QString& error) {
    // Called from the run itself: it goes once this call has returned.
    trace_.release()->deleteLater();
    unsetCursor();
    btnTrace->setText("&Trace");
    btnTrace->setEnabled(true);
    if (!result)
        throw Error(error.toStdString());
    AddTracedSpots(document_, result->Spots);
}

void THotMapEditor::btnOkClick() {
    accept();
}

void THotMapEditor::btnCancelClick() {
    reject();
}

bool EditHotMap(TDialogs& dialogs, const QImage& picture, THotSpots& hotSpots,
                const QString& caption, QWidget* parent, const std::vector<TTraceKey>& keys) {
    if (picture.isNull()) {
        dialogs.ShowMessage("Picture property undefined");
        return false;
    }
    THotMapEditor editor(dialogs, picture, hotSpots, caption, parent);
    editor.TraceKeys = keys;
    if (editor.exec() != QDialog::Accepted)
        return false;
    editor.HandBack(hotSpots);
    return true;
}

} // namespace mm
