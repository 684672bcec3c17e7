// The window's controls: created once, named by their designer names, in their initial state.
#include "ChipSettingsPanel.h"
#include "CodesPanel.h"
#include "KeyTablesPanel.h"
#include "MainWindow.h"
#include "ModelListPanel.h"
#include "Named.h"
#include "PagesPanel.h"
#include "PicturePanel.h"
#include "SidePanel.h"
#include "controls/SingleClicks.h"

#include <QAction>
#include <QHBoxLayout>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace mm {

namespace {

QAction* NamedAction(QObject* parent, const char* name, const QString& caption) {
    return Named(new QAction(caption, parent), name);
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
    row->addWidget(BuildKeyTables(), 1);
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

    list_ = new ModelListPanel(document_, dialogs_, handlers_, {Action4, Action5}, panel);
    tsGrid1 = list_->Grid();
    column->addWidget(list_, 1);

    pages_ = new PagesPanel(
        document_, dialogs_, Updating, handlers_, WorkingEditor(), [this] { ShowWorkingModel(); },
        panel);
    column->addWidget(pages_);

    chips_ = new ChipSettingsPanel(
        document_, handlers_, WorkingEditor(), [this] { codes_->ShowCodeTabs(); }, panel);
    column->addWidget(chips_);
    return panel;
}

QWidget* MainWindow::BuildRightPanel() {
    picture_ = new PicturePanel(
        document_, dialogs_, handlers_, [this](const QString& text) { Report(text); }, this);
    return picture_;
}

// The key tables, with the code pages as the last two of their tabs.
QWidget* MainWindow::BuildKeyTables() {
    keys_ =
        new KeyTablesPanel(document_, Updating, handlers_, WorkingEditor(), Action1, Action2, this);
    codes_ = new CodesPanel(document_, handlers_, WorkingEditor(), keys_->Tabs());
    return keys_;
}

} // namespace mm
