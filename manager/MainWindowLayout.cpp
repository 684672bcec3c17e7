// The window's controls: created once, named by their designer names, in their initial state.
#include "ChipSettingsPanel.h"
#include "KeyStatsPanel.h"
#include "MainWindow.h"
#include "ModelListPanel.h"
#include "PicturePanel.h"
#include "SidePanel.h"
#include "controls/Grid.h"
#include "controls/RadioGroup.h"
#include "controls/RollUpFrame.h"
#include "controls/SingleClicks.h"
#include "controls/SpinEdit.h"
#include "controls/WheelNeedsFocus.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace mm {

namespace {

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The hint shows as a tool tip and in the status bar while the mouse is over the control.
template <typename T> void SetHint(T* target, const QString& hint) {
    target->setToolTip(hint);
    target->setStatusTip(hint);
}

QAction* NamedAction(QObject* parent, const char* name, const QString& caption) {
    return Named(new QAction(caption, parent), name);
}

// A control hidden now and then keeps its room, so the layout never jumps.
void KeepRoomWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

void MainWindow::BuildLayout() {
    setWindowTitle(QStringLiteral("Quorin Remote Control Model Manager[2021-9]"));
    resize(1080, 729);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));

    BuildToolBar();
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(BuildLeftPanel());
    row->addWidget(BuildCentre(), 1);
    row->addWidget(BuildRightPanel());
    setCentralWidget(central);
}

void MainWindow::BuildToolBar() {
    ToolBar1 = Named(new QToolBar(this), "ToolBar1");
    ToolBar1->setMovable(false);
    // The toolbar is part of the window: no menu offers to hide it.
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(ToolBar1);

    Action1 = NamedAction(this, "Action1", QStringLiteral("Inser a button"));
    Action2 = NamedAction(this, "Action2", QStringLiteral("Delete a button"));
    Action3 = NamedAction(this, "Action3", QStringLiteral("Save"));
    Action4 = NamedAction(this, "Action4", QStringLiteral("Delete"));
    Action5 = NamedAction(this, "Action5", QStringLiteral("Copy/Add"));
    // Undo and redo are reached by their keys alone; a focused text box undoes its own typing.
    undoAction_ = NamedAction(this, "actUndo", QStringLiteral("Undo"));
    undoAction_->setShortcuts(QKeySequence::Undo);
    redoAction_ = NamedAction(this, "actRedo", QStringLiteral("Redo"));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addActions({undoAction_, redoAction_});

    auto button = [this](const char* name, const QString& caption, const QString& hint = {}) {
        auto* b = Named(new QToolButton(ToolBar1), name);
        b->setText(caption);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        // 104 x 21, or wider where the caption needs it in the window's font.
        b->setFixedSize(b->sizeHint().expandedTo(QSize(104, 21)));
        if (!hint.isEmpty())
            SetHint(b, hint);
        // A widget on a tool bar is shown and hidden through the action that holds it.
        ToolBar1->addWidget(b)->setObjectName(QString::fromLatin1(name) + "Action");
        return b;
    };
    ToolButton3 = button("ToolButton3", QStringLiteral("Edit"));
    IgnoreSecondClickOfDoubleClick(ToolButton3);
    ToolButton5 = button("ToolButton5", QStringLiteral("Save"));
    ToolButton5->setDefaultAction(Action3);
    Action3->setShortcut(QKeySequence::Save);
    addAction(Action3);
    ToolBar1->addSeparator();
    ToolButton1 = button("ToolButton1", QStringLiteral("Export"),
                         QStringLiteral("Export Current remote control to file"));
    ToolButton2 = button("ToolButton2", QStringLiteral("Import"),
                         QStringLiteral("Import a remote info from file"));
    ToolBar1->addSeparator();
    ToolButton8 = button("ToolButton8", QStringLiteral("Draw buttons shape"));
    IgnoreSecondClickOfDoubleClick(ToolButton8);
    ToolButton10 = button("ToolButton10", QStringLiteral("Export json"),
                          QStringLiteral("Export all remote as json txt file"));
    ToolBar1->addSeparator();
    ToolButton7 = button("ToolButton7", QStringLiteral("Exit"));
    tbnUniverMode = button("tbnUniverMode", QString::fromUtf8("品牌对照表"));
}

QWidget* MainWindow::BuildLeftPanel() {
    auto* panel = Named(new TSidePanel(289, this), "Panel1");
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(3);

    list_ = new ModelListPanel(
        document_, dialogs_, [this](const std::function<void()>& handler) { Handle(handler); },
        {Action4, Action5}, panel);
    tsGrid1 = list_->Grid();
    column->addWidget(list_, 1);

    auto* pages = new QHBoxLayout;
    Label3 = Named(new QLabel(QStringLiteral("Page Counts"), panel), "Label3");
    SpinEdit2 = Named(new TSpinEdit(1, 8, panel), "SpinEdit2");
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Has Shift"), panel), "CheckBox1");
    pages->addWidget(Label3);
    pages->addWidget(SpinEdit2);
    pages->addWidget(CheckBox1);
    pages->addStretch();
    column->addLayout(pages);

    tsGrid3 = Named(new TtsGrid(panel), "tsGrid3");
    tsGrid3->SetColumns({{QStringLiteral("Page Name"), 166, false, true}});
    tsGrid3->setFixedHeight(8 * 18 + 24);
    column->addWidget(tsGrid3);

    chips_ = new ChipSettingsPanel(
        document_, [this](const std::function<void()>& handler) { Handle(handler); },
        [this](const QString& label, int mergeKey,
               const std::function<void(TWorkingModel&)>& change) {
            return EditWorking(label, mergeKey, change);
        },
        [this] { ShowCodeTabs(); }, panel);
    column->addWidget(chips_);

    for (QWidget* w : std::initializer_list<QWidget*>{Label3, SpinEdit2, CheckBox1})
        w->setEnabled(false);
    return panel;
}

QWidget* MainWindow::BuildRightPanel() {
    picture_ = new PicturePanel(
        document_, dialogs_,
        [this](const std::function<void()>& handler) {
            Handle([&] {
                TakePendingInput();
                handler();
            });
        },
        [this](const QString& text) { Report(text); }, this);
    return picture_;
}

// "Key Counts", the note and the ignore box on one line; the three SHIFT buttons on a line of
// their own below, which keeps its room while they are hidden.
QWidget* MainWindow::BuildCentreStrip(QWidget* centre) {
    auto* strip = Named(new QWidget(centre), "KeyStrip");
    auto* lines = new QVBoxLayout(strip);
    lines->setContentsMargins(2, 0, 2, 0);
    lines->setSpacing(2);
    auto* first = new QHBoxLayout;
    Label1 = Named(new QLabel(QStringLiteral("Key Counts"), strip), "Label1");
    SpinEdit1 = Named(new TSpinEdit(2, 123, strip), "SpinEdit1");
    Label5 = Named(new QLabel(QStringLiteral("Note:The keyidx start with 1"), strip), "Label5");
    Label5->setStyleSheet(QStringLiteral("color: red"));
    SetHint(Label5, QStringLiteral("Start with zero in ir txt file"));
    CheckBox2 = Named(new QCheckBox(QStringLiteral("Ignore KeyIdx Repeated When Saving"), strip),
                      "CheckBox2");
    SetHint(CheckBox2, QStringLiteral("If the remote control have study buttons"));
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, SpinEdit1, Label5, CheckBox2})
        first->addWidget(w);
    first->addStretch();
    lines->addLayout(first);

    auto* second = new QHBoxLayout;
    btnKey = Named(new QPushButton(QStringLiteral("Copy Normal's KeyName"), strip), "btnKey");
    btnKeyIdx =
        Named(new QPushButton(QStringLiteral("KeyIdx Inc 43 from Normal"), strip), "btnKeyIdx");
    Button1 = Named(new QPushButton(QStringLiteral("Sno Inc 56 from Normal"), strip), "Button1");
    for (QPushButton* b : {btnKey, btnKeyIdx, Button1}) {
        second->addWidget(b);
        KeepRoomWhenHidden(b);
        b->setVisible(false);
    }
    second->addStretch();
    lines->addLayout(second);
    Label1->setEnabled(false);
    SpinEdit1->setEnabled(false);
    return strip;
}

QWidget* MainWindow::BuildCentre() {
    auto* centre = Named(new QWidget(this), "Panel3");
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(0, 2, 0, 0);
    column->setSpacing(2);

    column->addWidget(BuildCentreStrip(centre));

    // The statistics frame lies over the right-hand part of the tab area.
    auto* tabArea = Named(new QWidget(centre), "TabArea");
    auto* tabLayout = new QVBoxLayout(tabArea);
    tabLayout->setContentsMargins(0, 0, 0, 0);
    PageControl2 = Named(new QTabWidget(tabArea), "PageControl2");
    tabLayout->addWidget(PageControl2);

    auto keyGrid = [this](const char* name, bool shift) {
        auto* grid = Named(new TtsGrid(PageControl2), name);
        grid->SetColumns(
            {{QStringLiteral("No"), 18},
             {QStringLiteral("Key Name"), 83, false, true},
             {shift ? QStringLiteral("S No.") : QStringLiteral("SrcID"), 41},
             {QStringLiteral("KeyIdx"), 43},
             {shift ? QStringLiteral("Canot define") : QStringLiteral("Canot Define"),
              shift ? 79 : 78, true},
             {shift ? QStringLiteral("Follow SNo") : QStringLiteral("Follow Sno"), shift ? 69 : 75},
             {shift ? QStringLiteral("Learned Button") : QStringLiteral("Learned button"),
              shift ? 99 : 94, true}});
        grid->setContextMenuPolicy(Qt::ActionsContextMenu);
        grid->addAction(Action1);
        grid->addAction(Action2);
        return grid;
    };
    tsGridKeyList1 = keyGrid("tsGridKeyList1", false);
    tsGridKeyList2 = keyGrid("tsGridKeyList2", true);
    Memo1 = Named(new QPlainTextEdit(PageControl2), "Memo1");
    Memo2 = Named(new QPlainTextEdit(PageControl2), "Memo2");
    for (QPlainTextEdit* memo : {Memo1, Memo2})
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PageControl2->addTab(tsGridKeyList1, QStringLiteral("Normal"));
    PageControl2->addTab(tsGridKeyList2, QStringLiteral("SHIFT"));
    PageControl2->addTab(Memo1, QStringLiteral("Universal Code"));
    PageControl2->addTab(Memo2, QStringLiteral("Universal protocol"));

    spSkinGroupBox1 = new KeyStatsPanel(tabArea);
    column->addWidget(tabArea, 1);
    return centre;
}

} // namespace mm
