// The window's skeleton: start-up, edit mode, showing the current model, saving and closing.
#include "ModelEdit.h"

#include "controls/Grid.h"
#include "controls/RadioGroup.h"
#include "controls/RollUpFrame.h"
#include "controls/SpinEdit.h"
#include "hotedit/uBtnshape.h"
#include "model/ChipKind.h"
#include "platform/DayCount.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Guard.h"
#include "platform/ui/QtText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace mm {

namespace {
constexpr int kSavedMessageMilliseconds = 5000;
} // namespace

TfrmModelEdit::TfrmModelEdit(TDialogs& dialogs, std::string exeDir, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), exeDir_(exeDir), document_(std::move(exeDir)) {
    setObjectName(QStringLiteral("frmModelEdit"));
    setFont(WindowFont());
    BuildLayout();
    ConnectHandlers();
    // The window sees every key before the focused control does.
    qApp->installEventFilter(this);
    Handle([this] { FormCreate(); });
}

TfrmModelEdit::~TfrmModelEdit() {
    qApp->removeEventFilter(this);
}

void TfrmModelEdit::Handle(const std::function<void()>& handler) {
    Guarded(dialogs_, handler);
    ActionList1Update();
}

void TfrmModelEdit::TakePendingInput() {
    for (TSpinEdit* spin : {SpinEdit1, SpinEdit2, SpinEdit3})
        spin->Commit();
    FollowCurrentRow();
}

void TfrmModelEdit::ConnectHandlers() {
    WireCommand(ToolButton3, &QToolButton::clicked, &TfrmModelEdit::ToolButton3Click);
    WireCommand(Action3, &QAction::triggered, &TfrmModelEdit::Action3Execute);
    WireCommand(ToolButton7, &QToolButton::clicked, &TfrmModelEdit::ToolButton7Click);
    WireCommand(ToolButton8, &QToolButton::clicked, &TfrmModelEdit::ToolButton8Click);
    ConnectListHandlers();
    ConnectKeyHandlers();
    ConnectCodeHandlers();
    ConnectPictureHandlers();
    ConnectFileHandlers();
}

void TfrmModelEdit::FormCreate() {
    document_.SetEditMode(false);
    ApplyEditMode();
    for (const std::string& message : document_.Load())
        startupMessages_ << QString::fromStdString(message);
    RefreshList();
}

void TfrmModelEdit::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (startupReported_)
        return;
    startupReported_ = true;
    // After the window is up, so the report stands in front of it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            for (const QString& message : std::as_const(startupMessages_))
                dialogs_.ShowMessage(message);
        },
        Qt::QueuedConnection);
}

int TfrmModelEdit::CurrentRow() const {
    return tsGrid1->CurrentRow();
}

void TfrmModelEdit::ApplyEditMode() {
    const std::initializer_list<QWidget*> settings = {Label1,    SpinEdit1, SpinEdit2, SpinEdit3,
                                                      CheckBox1, ComboBox1, chipType};
    const std::initializer_list<TtsGrid*> grids = {tsGrid1, tsGridKeyList1, tsGridKeyList2,
                                                   tsGrid3};
    if (document_.EditMode()) {
        ToolButton3->setText(QStringLiteral("Exit Edit"));
        for (TtsGrid* grid : grids)
            grid->SetEditMode(true);
        BitBtn3->setVisible(true);
        Label2->setVisible(true);
        for (QWidget* w : settings)
            w->setEnabled(true);
    } else {
        BitBtn3->setVisible(false);
        Label2->setVisible(false);
        for (QWidget* w : settings)
            w->setEnabled(false);
        if (tsGrid1->Rows() > 0) {
            ToolButton3->setText(QStringLiteral("Edit"));
            for (TtsGrid* grid : grids)
                grid->SetEditMode(false);
        }
    }
    ActionList1Update();
}

void TfrmModelEdit::ActionList1Update() {
    for (QAction* action : {Action1, Action2, Action3, Action4, Action5})
        action->setEnabled(document_.EditMode());
}

void TfrmModelEdit::RefreshList() {
    TUpdatingScope updating(Updating);
    KeyIdxStats.clear(); // the list keeps its lines until statistics next run
    spSkinGroupBox1->RollUp();
    FillModelList();
    if (document_.Count() > 0)
        ShowCurrentModel();
    else
        shownIndex_ = -1;
}

void TfrmModelEdit::ShowCurrentModel() {
    ShowModel(CurrentRow() - 1);
    ShowPages(CurrentRow() - 1);
}

void TfrmModelEdit::FillModelList() {
    std::vector<std::vector<QVariant>> rows;
    rows.reserve(document_.Models().size());
    for (const TMyModelRecord& record : document_.Models())
        rows.push_back({QStringFromGbk(record.ModelType.Str()),
                        QString::fromStdString(Hex4(record.ModelID)),
                        QStringFromGbk(record.Remark.Str())});
    tsGrid1->SetAllRows(std::move(rows));
}

void TfrmModelEdit::ShowModel(int index) {
    SetBrandButtonVisible(false);
    tsGridKeyList1->SetRows(0);
    tsGridKeyList2->SetRows(0);
    const TMyModelRecord* shown = document_.Record(index);
    shownIndex_ = shown ? index : -1;
    if (!shown)
        return;
    const TMyModelRecord& record = *shown;
    SpinEdit1->setMaximum(KeyCountsMaximum(ShowsShift(record)));
    SpinEdit1->SetValue(ShownKeyCounts(record));
    tsGridKeyList1->SetRows(SpinEdit1->Value());
    tsGridKeyList2->SetRows(SpinEdit1->Value());
    FillKeyGrids(index);
    ShowPicture(index);
    ComboBox1->setCurrentIndex(CommTypeItemIndex(record.CommType));
    ComboBox1Change();
    CheckBox1->setChecked(ShowsShift(record));
    {
        // Showing a model is no tab change by the user: the SHIFT buttons keep their state.
        const QSignalBlocker quiet(PageControl2);
        PageControl2->setCurrentIndex(0);
    }
    SetTabVisible(1, HasShiftPage(record));
    SpinEdit3->SetValue(record.OneInTwoCount);
    ShowChipAndCodes(record);
}

void TfrmModelEdit::ShowPages(int index) {
    tsGrid3->SetRows(0);
    const TMyModelRecord* record = document_.Record(index);
    if (!record)
        return;
    SpinEdit2->SetValue(ShownPageCounts(*record));
    std::vector<std::vector<QVariant>> rows;
    for (const std::string& name : PageNameRows(*record))
        rows.push_back({QStringFromGbk(name)});
    tsGrid3->SetAllRows(std::move(rows));
}

void TfrmModelEdit::SaveDatabase() {
    const size_t written = document_.Save(NowAsDayCount());
    statusBar()->showMessage(QStringLiteral("%1 models written to %2")
                                 .arg(written)
                                 .arg(QString::fromStdString(document_.DatabasePath())),
                             kSavedMessageMilliseconds);
}

bool TfrmModelEdit::StoreModelReported(int index) {
    bool stored = false;
    Guarded(dialogs_, [&] { stored = StoreModel(index); });
    return stored;
}

void TfrmModelEdit::ToolButton3Click() {
    if (!document_.EditMode()) {
        document_.SetEditMode(true);
    } else {
        if (!StoreModelReported(shownIndex_))
            return;
        SaveDatabase();
        document_.SetEditMode(false);
    }
    ApplyEditMode();
}

void TfrmModelEdit::Action3Execute() {
    if (StoreModelReported(shownIndex_))
        SaveDatabase();
}

void TfrmModelEdit::ToolButton7Click() {
    if (document_.EditMode()) {
        dialogs_.ShowMessage(QStringLiteral("Please exit edit mode!"));
        return;
    }
    close();
}

void TfrmModelEdit::ToolButton8Click() {
    const TMyModelRecord* record = document_.Record(shownIndex_);
    if (!record)
        return;
    // A copy of the record as it is now; the window opens once the click has returned.
    PostGuarded(this, dialogs_, [this, model = *record] {
        ShowButtonShapeWindow(this, dialogs_, model, exeDir_, [this](const QString& message) {
            statusBar()->showMessage(message, kSavedMessageMilliseconds);
        });
    });
}

bool TfrmModelEdit::FormCloseQuery() {
    // No is the default: Escape to leave a cell, then Enter, must not throw work away.
    if (document_.EditMode())
        return dialogs_.Confirm(QStringLiteral("Are you sure exit with edit mode?"),
                                DefaultAnswer::No);
    if (document_.Unsaved())
        return dialogs_.Confirm(
            QStringLiteral("Imported models have not been saved. Close anyway?"),
            DefaultAnswer::No);
    return true;
}

void TfrmModelEdit::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    Guarded(dialogs_, [&] { canClose = FormCloseQuery(); });
    if (canClose)
        event->accept();
    else
        event->ignore();
}

bool TfrmModelEdit::eventFilter(QObject* watched, QEvent* event) {
    const auto* target = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress && target && target->window() == this &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // The question waits until the key's event has returned to the focused control; keys
        // pressed meanwhile ask nothing more.
        if (!closePending_) {
            closePending_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    closePending_ = false;
                    close();
                },
                Qt::QueuedConnection);
        }
        return true;
    }
    if (event->type() == QEvent::Resize && watched == spSkinGroupBox1->parentWidget()) {
        const QWidget* area = spSkinGroupBox1->parentWidget();
        spSkinGroupBox1->move(area->width() - spSkinGroupBox1->width() - 2, 22);
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace mm
