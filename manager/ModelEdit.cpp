// The window's skeleton: start-up, edit mode, showing the current model, saving and closing.
#include "ModelEdit.h"

#include "controls/Grid.h"
#include "controls/RadioGroup.h"
#include "controls/RollUpFrame.h"
#include "controls/SpinEdit.h"
#include "model/ChipKind.h"
#include "model/ModelFile.h"
#include "platform/DayCount.h"
#include "platform/Strings.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guard.h"
#include "platform/ui/QtText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace mm {

TfrmModelEdit::TfrmModelEdit(TDialogs& dialogs, std::string exeDir, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), exeDir_(std::move(exeDir)) {
    setObjectName(QStringLiteral("frmModelEdit"));
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

void TfrmModelEdit::ConnectHandlers() {
    Wire(ToolButton3, &QToolButton::clicked, &TfrmModelEdit::ToolButton3Click);
    Wire(Action3, &QAction::triggered, &TfrmModelEdit::Action3Execute);
    Wire(ToolButton7, &QToolButton::clicked, &TfrmModelEdit::ToolButton7Click);
    Wire(ToolButton8, &QToolButton::clicked, &TfrmModelEdit::ToolButton8Click);
    ConnectListHandlers();
    ConnectKeyHandlers();
    ConnectCodeHandlers();
    ConnectPictureHandlers();
    ConnectFileHandlers();
}

void TfrmModelEdit::FormCreate() {
    EditMode = false;
    ApplyEditMode();
    const std::string databasePath = ModelDatabasePath(exeDir_);
    try {
        const TModelFileLoad load = LoadModelFile(databasePath, Models);
        keepDatabaseOnSave_ = load.KeepOnSave();
        if (load.Exists && !load.Read)
            startupMessages_ << QStringLiteral(
                                    "The model database \"%1\" could not be read and has "
                                    "been kept; the first save keeps it as \"%1.bak\".")
                                    .arg(QString::fromStdString(databasePath));
    } catch (const std::exception& error) {
        Models.clear();
        keepDatabaseOnSave_ = true;
        startupMessages_ << QString::fromUtf8(error.what());
    }
    RefreshList();
}

void TfrmModelEdit::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (startupReported_)
        return;
    startupReported_ = true;
    for (const QString& message : std::as_const(startupMessages_))
        dialogs_.ShowMessage(message);
}

int TfrmModelEdit::CurrentRow() const {
    return tsGrid1->CurrentRow();
}

void TfrmModelEdit::ApplyEditMode() {
    const std::initializer_list<QWidget*> settings = {Label1,    SpinEdit1, SpinEdit2, SpinEdit3,
                                                      CheckBox1, ComboBox1, chipType};
    const std::initializer_list<TtsGrid*> grids = {tsGrid1, tsGridKeyList1, tsGridKeyList2,
                                                   tsGrid3};
    if (EditMode) {
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
        action->setEnabled(EditMode);
}

void TfrmModelEdit::RefreshList() {
    TUpdatingScope updating(Updating);
    KeyIdxStats.clear(); // the list keeps its lines until statistics next run
    spSkinGroupBox1->RollUp();
    FillModelList();
    if (!Models.empty())
        ShowCurrentModel();
}

void TfrmModelEdit::ShowCurrentModel() {
    ShowModel(CurrentRow() - 1);
    ShowPages(CurrentRow() - 1);
}

void TfrmModelEdit::FillModelList() {
    std::vector<std::vector<QVariant>> rows;
    rows.reserve(Models.size());
    for (const TMyModelRecord& record : Models)
        rows.push_back({QStringFromGbk(record.ModelType.Str()),
                        QString::fromStdString(Hex4(record.ModelID)),
                        QStringFromGbk(record.Remark.Str())});
    tsGrid1->SetAllRows(std::move(rows));
}

void TfrmModelEdit::SetBrandButtonVisible(bool visible) {
    ToolBar1->findChild<QAction*>(QStringLiteral("tbnUniverModeAction"))->setVisible(visible);
}

void TfrmModelEdit::ShowModel(int index) {
    SetBrandButtonVisible(false);
    tsGridKeyList1->SetRows(0);
    tsGridKeyList2->SetRows(0);
    if (index < 0 || index >= static_cast<int>(Models.size()))
        return;
    const TMyModelRecord& record = Models[static_cast<size_t>(index)];
    SpinEdit1->setMaximum(KeyCountsMaximum(ShowsShift(record)));
    SpinEdit1->SetValue(ShownKeyCounts(record));
    tsGridKeyList1->SetRows(SpinEdit1->Value());
    tsGridKeyList2->SetRows(SpinEdit1->Value());
    FillKeyGrids(index);
    ShowPicture(index);
    ComboBox1->setCurrentIndex(CommTypeItemIndex(record.CommType));
    ComboBox1Change();
    CheckBox1->setChecked(ShowsShift(record));
    PageControl2->setCurrentIndex(0);
    PageControl2->setTabVisible(1, ShowsShift(record));
    SpinEdit3->SetValue(record.OneInTwoCount);
    ShowChipAndCodes(record);
}

void TfrmModelEdit::ShowPages(int index) {
    tsGrid3->SetRows(0);
    if (index < 0 || index >= static_cast<int>(Models.size()))
        return;
    const TMyModelRecord& record = Models[static_cast<size_t>(index)];
    SpinEdit2->SetValue(ShownPageCounts(record));
    std::vector<std::vector<QVariant>> rows;
    for (const std::string& name : PageNameRows(record))
        rows.push_back({QStringFromGbk(name)});
    tsGrid3->SetAllRows(std::move(rows));
}

void TfrmModelEdit::SaveDatabase() {
    MarkReserved(Models);
    SaveModelFile(ModelDatabasePath(exeDir_), Models, NowAsDayCount(), keepDatabaseOnSave_);
    keepDatabaseOnSave_ = false;
}

bool TfrmModelEdit::StoreModelReported(int index) {
    bool stored = false;
    Guarded(dialogs_, [&] { stored = StoreModel(index); });
    return stored;
}

void TfrmModelEdit::ToolButton3Click() {
    if (!EditMode) {
        EditMode = true;
    } else {
        if (!StoreModelReported(CurrentRow() - 1))
            return;
        SaveDatabase();
        EditMode = false;
    }
    ApplyEditMode();
}

void TfrmModelEdit::Action3Execute() {
    if (StoreModelReported(CurrentRow() - 1))
        SaveDatabase();
}

void TfrmModelEdit::ToolButton7Click() {
    if (EditMode) {
        dialogs_.ShowMessage(QStringLiteral("Please exit edit mode!"));
        return;
    }
    close();
}

void TfrmModelEdit::ToolButton8Click() {}

bool TfrmModelEdit::FormCloseQuery() {
    return !EditMode || dialogs_.Confirm(QStringLiteral("Are you sure exit with edit mode?"));
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
        close();
        return true;
    }
    if (event->type() == QEvent::Resize && watched == spSkinGroupBox1->parentWidget()) {
        const QWidget* area = spSkinGroupBox1->parentWidget();
        spSkinGroupBox1->move(area->width() - spSkinGroupBox1->width() - 2, 22);
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace mm
