// The spot editor's controls: created once, named by their designer names, in their initial
// state. The picture part keeps its designed size; the column of controls beside it grows to
// its texts.
#include "Controls.h"
#include "PaintBox.h"
#include "Panel.h"
#include "SpotEditor.h"
#include "controls/RadioGroup.h"
#include "platform/ui/Fonts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>
#include <functional>

namespace mm {

namespace {

constexpr QSize kClientSize(782, 573);
constexpr QRect kGroupBox1(8, 8, 529, 553);
constexpr QRect kScrollBox1(8, 22, 512, 523);
constexpr QRect kLabel4(192, 6, 174, 14);
constexpr int kColumnX = 545;
constexpr int kColumnWidth = 229;
constexpr int kScrollBoxFrame = 2;
constexpr int kIdLength = 9;
constexpr int kGlyph = 16;
constexpr int kPointColumns = 3;

// "KeyIdx" as typed or pasted: trimmed and cut to the field's length before it is read. The
// text the window itself shows (`shown`) stays as it is, and so does a longer identifier the
// spot already has while more is typed into it.
class TIdTextValidator : public QValidator {
public:
    TIdTextValidator(std::function<QString()> shown, QObject* parent)
        : QValidator(parent), shown_(std::move(shown)) {}

    State validate(QString& input, int& pos) const override {
        const QString shown = shown_();
        if (input == shown)
            return Acceptable;
        QString text = input.trimmed();
        if (text.size() > kIdLength) {
            if (shown.size() > kIdLength)
                return Invalid;
            text.truncate(kIdLength);
        }
        if (text != input) {
            input = text;
            pos = std::min(pos, static_cast<int>(text.size()));
        }
        return Acceptable;
    }

private:
    std::function<QString()> shown_;
};

// The small picture of a shape on its button.
QIcon ShapeGlyph(TSpotShape shape) {
    QPixmap glyph(kGlyph, kGlyph);
    glyph.fill(Qt::transparent);
    QPainter canvas(&glyph);
    canvas.setPen(QPen(Qt::black, 1));
    const QRect box(2, 3, 11, 9);
    if (shape == TSpotShape::Polyline) {
        const QPoint outline[] = {{2, 12}, {7, 2}, {13, 9}, {9, 13}};
        canvas.drawPolygon(outline, 4);
    } else if (shape == TSpotShape::Rectangle) {
        canvas.drawRect(box);
    } else {
        canvas.drawEllipse(box);
    }
    return QIcon(glyph);
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

void TSpotEditor::BuildLayout() {
    setObjectName("frmSpotEdit");
    setFont(WindowFont());
    GroupBox1 = BuildHotImage();
    QWidget* column = BuildSpotData();
    const QSize hint = column->sizeHint();
    column->setGeometry(kColumnX, kGroupBox1.y(), std::max(kColumnWidth, hint.width()),
                        std::max(kGroupBox1.height(), hint.height()));
    setFixedSize(std::max(kClientSize.width(), column->geometry().right() + 9),
                 std::max(kClientSize.height(), column->geometry().bottom() + 13));
}

QGroupBox* TSpotEditor::BuildHotImage() {
    auto* group = Named(new QGroupBox("&Hot Image", this), "GroupBox1");
    group->setGeometry(kGroupBox1);
    ScrollBox1 = Named(new QScrollArea(group), "ScrollBox1");
    ScrollBox1->setGeometry(kScrollBox1);
    ScrollBox1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ScrollBox1->setLineWidth(kScrollBoxFrame);
    ScrollBox1->setBackgroundRole(QPalette::Base);
    PaintBox = Named(new TPaintBox(), "PaintBox");
    PaintBox->OnPaint = [this](QPainter& canvas, const QRect& area) {
        PaintBoxPaint(canvas, area);
    };
    ScrollBox1->setWidget(PaintBox);
    PaintBox->hide(); // until the first zoom step
    Label4 = Named(new QLabel(group), "Label4");
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4->setGeometry(kLabel4.x(), kLabel4.y(), kLabel4.width(),
                        std::max(kLabel4.height(), Label4->fontMetrics().height()));
    return group;
}

QToolButton* TSpotEditor::ShapeButton(TSpotShape shape, const char* name) {
    auto* button = Named(new QToolButton(), name);
    button->setIcon(ShapeGlyph(shape));
    button->setCheckable(true);
    button->setAutoExclusive(true);
    button->setAutoRaise(true);
    return button;
}

QFrame* TSpotEditor::BuildShapePanel() {
    auto* panel = Named(new QFrame(), "pnlShape");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(2, 2, 2, 2);
    row->addWidget(new QLabel("  Shape:", panel));
    sbPolyline = ShapeButton(TSpotShape::Polyline, "sbPolyline");
    sbRect = ShapeButton(TSpotShape::Rectangle, "sbRect");
    sbElipse = ShapeButton(TSpotShape::Ellipse, "sbElipse");
    for (QToolButton* button : {sbPolyline, sbRect, sbElipse})
        row->addWidget(button);
    row->addStretch();
    sbPolyline->setChecked(true);
    return panel;
}

QWidget* TSpotEditor::BuildSpotData() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    rgZoom = Named(new TRadioGroup("&Zoom", {"100%", "200%", "300%", "500%", "Fit"}, 5, column),
                   "rgZoom");
    rgZoom->SetItemIndex(0);
    layout->addWidget(rgZoom);
    pnlShape = BuildShapePanel();
    layout->addWidget(pnlShape);

    GroupBox2 = Named(new QGroupBox("&Spot Data", column), "GroupBox2");
    auto* data = new QVBoxLayout(GroupBox2);
    edSpotID = Named(new QLineEdit(GroupBox2), "edSpotID");
    edSpotID->setValidator(
        new TIdTextValidator([this] { return QString::fromStdString(shownId_); }, edSpotID));
    edSpotID->setAttribute(Qt::WA_InputMethodEnabled, false); // digits are typed, not composed
    auto* idRow = new QHBoxLayout();
    idRow->addWidget(Caption("KeyIdx", edSpotID, GroupBox2));
    idRow->addWidget(edSpotID, 1);
    data->addLayout(idRow);
    chkboxEnabled = Named(new QCheckBox("Ena&bled", GroupBox2), "chkboxEnabled");
    chkboxEnabled->setChecked(true);
    data->addWidget(chkboxEnabled);
    rdoKind =
        Named(new TRadioGroup({}, {"Normal", "shift", "Mac", "Other"}, 2, GroupBox2), "rdoKind");
    rdoKind->SetItemIndex(0);
    data->addWidget(rdoKind);
    memHint = Named(new QPlainTextEdit(GroupBox2), "memHint");
    memHint->setLineWrapMode(QPlainTextEdit::NoWrap);
    memHint->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    data->addWidget(Caption("&Hint Text", memHint, GroupBox2));
    data->addWidget(memHint, 1);
    lboxPoints = Named(new QListWidget(GroupBox2), "lboxPoints");
    lboxPoints->setSelectionMode(QAbstractItemView::SingleSelection);
    lboxPoints->setFlow(QListView::TopToBottom);
    lboxPoints->setWrapping(true);
    lboxPoints->setResizeMode(QListView::Adjust);
    lboxPoints->setGridSize(
        QSize((kColumnWidth - 24) / kPointColumns, lboxPoints->fontMetrics().height() + 2));
    data->addWidget(Caption("Poin&ts", lboxPoints, GroupBox2));
    data->addWidget(lboxPoints, 1);
    auto* tools = new QHBoxLayout();
    auto tool = [this, tools](const char* caption, const char* name, bool toggles) {
        auto* button = Named(new QToolButton(GroupBox2), name);
        button->setText(caption);
        button->setCheckable(toggles);
        tools->addWidget(button);
        return button;
    };
    sbEdit = tool("&Edit Shape", "sbEdit", true);
    SpeedButton1 = tool("Move", "SpeedButton1", true);
    sbDeletePoint = tool("De&lete point", "sbDeletePoint", false);
    sbDeletePoint->setEnabled(false);
    data->addLayout(tools);
    auto* colours = new QHBoxLayout();
    pnlNormal = Named(new TPanel("Color", GroupBox2), "pnlNormal");
    pnlShift = Named(new TPanel("SHIFT Color", GroupBox2), "pnlShift");
    for (TPanel* panel : {pnlNormal, pnlShift}) {
        panel->setMinimumHeight(panel->fontMetrics().height() + 12);
        colours->addWidget(panel);
    }
    data->addLayout(colours);
    layout->addWidget(GroupBox2, 1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    btnOk = Named(new QPushButton("OK", column), "btnOk");
    btnOk->setDefault(true);
    btnCancel = Named(new QPushButton("Cancel", column), "btnCancel");
    btnCancel->setAutoDefault(false); // Enter means OK whichever button has the focus
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    return column;
}

} // namespace mm
