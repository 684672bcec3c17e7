#pragma once
// The main window: the model list, the shown model's keys, pages, chip settings, codes and
// picture, and the edit mode in which they are stored back and the database is saved.
#include "model/KeyStats.h"
#include "model/KeyTable.h"
#include "model/ModelRecord.h"
#include "platform/Strings.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace mm {

class TDialogs;
class TPictureBox;
class TRadioGroup;
class TRollUpFrame;
class TSpinEdit;
class TtsGrid;

class TfrmModelEdit : public QMainWindow {
    Q_OBJECT
public:
    // Loads the database "data/model.RMF" below exeDir and fills the model list.
    TfrmModelEdit(TDialogs& dialogs, std::string exeDir, QWidget* parent = nullptr);
    ~TfrmModelEdit() override;

    // State of the window.
    TMyModelRecords Models;
    bool EditMode = false;
    bool Updating = false;

    // Toolbar.
    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QToolButton* ToolButton5 = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QToolButton* ToolButton8 = nullptr;
    QToolButton* ToolButton10 = nullptr;
    QToolButton* ToolButton7 = nullptr;
    QToolButton* tbnUniverMode = nullptr;
    QAction* Action1 = nullptr; // "Inser a button"
    QAction* Action2 = nullptr; // "Delete a button"
    QAction* Action3 = nullptr; // "Save"
    QAction* Action4 = nullptr; // "Delete"
    QAction* Action5 = nullptr; // "Copy/Add"

    // Left panel.
    QLabel* Label6 = nullptr; // "Search"
    QLineEdit* Edit1 = nullptr;
    TtsGrid* tsGrid1 = nullptr;
    QLabel* Label3 = nullptr; // "Page Counts"
    TSpinEdit* SpinEdit2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    TtsGrid* tsGrid3 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label4 = nullptr; // "One in Two's buttons count"
    TSpinEdit* SpinEdit3 = nullptr;
    TRadioGroup* chipType = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;

    // Right panel.
    QPushButton* BitBtn3 = nullptr;
    QLabel* Label2 = nullptr;
    TPictureBox* Image1 = nullptr;
    QAction* SAVEPICTURE1 = nullptr;

    // Centre.
    QLabel* Label1 = nullptr;
    TSpinEdit* SpinEdit1 = nullptr;
    QLabel* Label5 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QPushButton* btnKey = nullptr;
    QPushButton* btnKeyIdx = nullptr;
    QPushButton* Button1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    TtsGrid* tsGridKeyList1 = nullptr;
    TtsGrid* tsGridKeyList2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    TRollUpFrame* spSkinGroupBox1 = nullptr;
    QListWidget* ListBox1 = nullptr;

    // Operations.
    void ApplyEditMode();
    void RefreshList();
    void FillModelList();
    void ShowModel(int index);
    void ShowPages(int index);
    bool StoreModel(int index);
    int CurrentRow() const;

    // Handlers.
    void FormCreate();
    bool FormCloseQuery();
    void ToolButton3Click();
    void Action3Execute();
    void ToolButton7Click();
    void ToolButton8Click();
    void ActionList1Update();

    // Model list.
    void tsGrid1RowChanged(int oldRow, int newRow);
    void tsGrid1CellEdit(int dataCol, int dataRow);
    void tsGrid1EndCellEdit(int dataCol, int dataRow, bool& cancel);
    void Edit1Change();
    void Action4Execute();
    void Action5Execute();

    // Key tables and pages.
    void FillKeyGrids(int index);
    void SpinEdit1Change();
    void SpinEdit2Change();
    void CheckBox1Click();
    void PageControl2Change();
    void Action1Execute();
    void Action2Execute();
    void btnKeyClick();
    void btnKeyIdxClick();
    void Button1Click();
    void ShowKeyIdxStats(int row, bool onShift);
    void ShowSNoStats(int row);
    void tsGridKeyList1CellChanged(int oldCol, int newCol, int oldRow, int newRow);
    void tsGridKeyList1CellEdit(int dataCol, int dataRow);
    TStatEntries KeyIdxStats;
    TStatEntries SNoStats;

    // Chip kind, communication type and code pages.
    void ComboBox1Change();
    void chipTypeClick();

    // Picture.
    void ShowPicture(int index);
    void BitBtn3Click();
    void SAVEPICTURE1Click();
    void Image1Click();

    // Exchange file, JSON export and brand list.
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton10Click();
    void tbnUniverModeClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void BuildToolBar();
    QWidget* BuildLeftPanel();
    QWidget* BuildRightPanel();
    QWidget* BuildCentre();
    void ConnectHandlers();
    void ShowCurrentModel();
    void SetBrandButtonVisible(bool visible);
    // StoreModel with a conversion error reported like a broken rule: false either way.
    bool StoreModelReported(int index);
    void ConnectListHandlers();
    void ConnectKeyHandlers();
    void ConnectCodeHandlers();
    void ConnectPictureHandlers();
    void ConnectFileHandlers();
    // Decodes and shows picture bytes; the decoder's error is reported and leaves the box empty.
    void ShowPictureBytes(const TSSByteArray& bytes);
    // A path from a dialog, or nothing when the user cancelled.
    std::optional<std::string> ChooseFileName(int kind, const QString& filter = {},
                                              const QString& defaultExt = {});
    TKeyRows KeyRowsOf(const TtsGrid* grid) const;
    void ShowKeyRows(TtsGrid* grid, const TKeyRows& rows);
    // Runs a change of the key rows on both grids and shows the result.
    void ChangeKeyRows(const std::function<void(TKeyRows& normal, TKeyRows& shift)>& change);
    void ShowStatLines(const TStatEntries& entries, int row, bool onShift);
    bool ShiftTabActive() const;
    void ShowChipAndCodes(const TMyModelRecord& record);
    TRadioGroup* ChipGroupOf(int commType) const;
    // The lines of a code page as GBK text.
    static TStrArray MemoLines(const QPlainTextEdit* memo);
    // The record of the model list's row; nullptr when there is none.
    TMyModelRecord* RecordOfRow(int row);
    // Name and ID cells take effect as they are typed and again when left.
    void TakeNameCell(int row, const char* emptyMessage, bool& cancel);
    void TakeIdCell(int row);
    void SaveDatabase();
    // Runs a handler through the error report, then brings the actions up to date.
    void Handle(const std::function<void()>& handler);
    // Connects a control's event to a handler that takes none of the event's arguments.
    template <typename Sender, typename Signal>
    void Wire(Sender* sender, Signal signal, void (TfrmModelEdit::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { Handle([this, handler] { (this->*handler)(); }); });
    }

    TDialogs& dialogs_;
    std::string exeDir_;
    // The file found at start-up was refused or is in an older layout: keep it on first save.
    bool keepDatabaseOnSave_ = false;
    QStringList startupMessages_;
    // The JPEG bytes the picture box shows: the shown model's picture or the file last loaded.
    TSSByteArray pictureBytes_;
    bool startupReported_ = false;
};

// Sets Updating for a scope and clears it on every way out, errors included.
class TUpdatingScope {
public:
    explicit TUpdatingScope(bool& updating) : updating_(updating) { updating_ = true; }
    ~TUpdatingScope() { updating_ = false; }
    TUpdatingScope(const TUpdatingScope&) = delete;
    TUpdatingScope& operator=(const TUpdatingScope&) = delete;

private:
    bool& updating_;
};

} // namespace mm
