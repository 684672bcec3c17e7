// Start-up, edit mode, saving and closing, driven through the toolbar, the keyboard and the
// window's close box.
#include "WindowFixture.h"
#include "controls/RadioGroup.h"
#include "controls/RollUpFrame.h"
#include "controls/SpinEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

namespace mm {
namespace {

using test::WindowTest;

class StartUp : public WindowTest {};

TEST_F(StartUp, WithoutDatabaseTheListIsEmptyInViewMode) {
    Open();
    EXPECT_EQ(Grid("tsGrid1")->Rows(), 0);
    EXPECT_EQ(Grid("tsGridKeyList1")->Rows(), 0);
    EXPECT_EQ(Grid("tsGrid3")->Rows(), 0);
    EXPECT_EQ(Find<QToolButton>("ToolButton3")->text(), "Edit");
    EXPECT_FALSE(InEditMode());
    EXPECT_FALSE(Grid("tsGrid1")->EditMode());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(StartUp, ControlsAreNamedCaptionedAndInTheirInitialState) {
    Open();
    struct Caption {
        const char* name;
        QString text;
    } buttons[] = {{"ToolButton3", "Edit"},
                   {"ToolButton5", "Save"},
                   {"ToolButton1", "Export"},
                   {"ToolButton2", "Import"},
                   {"ToolButton8", "Draw buttons shape"},
                   {"ToolButton10", "Export json"},
                   {"ToolButton7", "Exit"},
                   {"tbnUniverMode", QString::fromUtf8("品牌对照表")}};
    for (const Caption& c : buttons) {
        auto* button = Find<QToolButton>(c.name);
        EXPECT_EQ(button->text(), c.text) << c.name;
        EXPECT_GE(button->width(), 104) << c.name; // wider only where the caption needs it
        EXPECT_EQ(button->height(), 21) << c.name;
    }
    EXPECT_EQ(Find("ToolButton1")->toolTip(), "Export Current remote control to file");
    EXPECT_EQ(Find("ToolButton2")->toolTip(), "Import a remote info from file");
    EXPECT_EQ(Find("ToolButton10")->toolTip(), "Export all remote as json txt file");
    EXPECT_EQ(Find("tsGrid1")->statusTip(),
              "If hide to true, will can not show in vistel software");
    EXPECT_EQ(Find("Label5")->statusTip(), "Start with zero in ir txt file");
    EXPECT_EQ(Find("CheckBox2")->statusTip(), "If the remote control have study buttons");
    EXPECT_EQ(Find("spSkinGroupBox1")->statusTip(), "This is statistics of KeyIdx");

    for (const char* name : {"Label1", "SpinEdit1", "SpinEdit2", "SpinEdit3", "CheckBox1", "Label3",
                             "ComboBox1", "chipType"})
        EXPECT_FALSE(Find(name)->isEnabled()) << name;
    EXPECT_TRUE(Find("RadioGroup1")->isEnabled());
    for (const char* name : {"BitBtn3", "Label2", "btnKey", "btnKeyIdx", "Button1", "RadioGroup1"})
        EXPECT_FALSE(Find(name)->isVisible()) << name;
    EXPECT_FALSE(Find<QCheckBox>("CheckBox2")->isChecked());
    EXPECT_EQ(Find<TSpinEdit>("SpinEdit3")->Value(), 2);
    EXPECT_EQ(Find<TRadioGroup>("chipType")->Count(), 13);
    EXPECT_EQ(Find<TRadioGroup>("RadioGroup1")->Count(), 2);
    EXPECT_EQ(Find<QComboBox>("ComboBox1")->count(), 3);
    auto* tabs = Find<QTabWidget>("PageControl2");
    ASSERT_EQ(tabs->count(), 4);
    for (int tab = 0; tab < 4; ++tab)
        EXPECT_TRUE(tabs->isTabVisible(tab));
    EXPECT_TRUE(Find("tbnUniverMode")->isVisible());
    EXPECT_FALSE(Find<QAction>("Action3")->isEnabled());
}

TEST_F(StartUp, ModelListShowsNameIdAndRemark) {
    TMyModelRecords models = {ValidModel(0x1a, "TV"), ValidModel(0xBEEF, "Fan")};
    models[1].Remark.Assign("\xB1\xB8\xD7\xA2");
    OpenWith(models);
    TtsGrid* list = Grid("tsGrid1");
    ASSERT_EQ(list->Rows(), 2);
    EXPECT_EQ(list->CellText(1, 1), "TV");
    EXPECT_EQ(list->CellText(2, 1), "001A");
    EXPECT_EQ(list->CellText(2, 2), "BEEF");
    EXPECT_EQ(list->CellText(3, 2), QString::fromUtf8("备注"));
    EXPECT_EQ(list->CurrentRow(), 1);
}

TEST_F(StartUp, RefusedDatabaseIsReportedOnceAndKeptByTheFirstSave) {
    const std::vector<uint8_t> refused = [] {
        std::vector<uint8_t> header(512, 0);
        header[0] = 0x11; // 10001 models
        header[1] = 0x27;
        return header;
    }();
    test::WriteBytes(DatabasePath(), refused);
    Open();
    EXPECT_EQ(dialogs.shown,
              QStringList{QString("The model database \"%1\" could not be read and has been "
                                  "kept; the first save keeps it as \"%1.bak\".")
                              .arg(QString::fromStdString(DatabasePath()))});
    EXPECT_EQ(Grid("tsGrid1")->Rows(), 0);
    EnterEditMode();
    ChooseFromContextMenu(Grid("tsGrid1")->viewport(), {20, 20}, "Copy/Add");
    ASSERT_EQ(Models().size(), 1u);
    TtsGrid* keys = Grid("tsGridKeyList1"); // a blank model's two keys share the number 0
    EditCell(keys, 3, 2, "2");
    EditCell(keys, 4, 2, "2");
    Save();
    EXPECT_EQ(dialogs.shown.size(), 1); // only the report at start-up
    EXPECT_EQ(test::ReadBytes(DatabasePath() + ".bak"), refused);
    EXPECT_EQ(SavedModels().size(), 1u);
    Save(); // only the first save keeps the old file
    EXPECT_EQ(test::ReadBytes(DatabasePath() + ".bak"), refused);
}

class EditMode : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    }
};

TEST_F(EditMode, EnteringEnablesTheSettingsAndActions) {
    EnterEditMode();
    EXPECT_TRUE(InEditMode());
    EXPECT_EQ(Find<QToolButton>("ToolButton3")->text(), "Exit Edit");
    EXPECT_TRUE(Grid("tsGrid1")->EditMode());
    EXPECT_TRUE(Grid("tsGridKeyList1")->EditMode());
    EXPECT_TRUE(Find("BitBtn3")->isVisible());
    EXPECT_TRUE(Find("Label2")->isVisible());
    for (const char* name :
         {"Label1", "SpinEdit1", "SpinEdit2", "SpinEdit3", "CheckBox1", "ComboBox1", "chipType"})
        EXPECT_TRUE(Find(name)->isEnabled()) << name;
    EXPECT_FALSE(Find("Label3")->isEnabled()); // "Page Counts" keeps its state in both modes
    for (const char* name : {"Action1", "Action2", "Action3", "Action4", "Action5"})
        EXPECT_TRUE(Find<QAction>(name)->isEnabled()) << name;
}

TEST_F(EditMode, ExitEditWritesTheDatabaseWithEveryReservedByteSet) {
    std::filesystem::remove(DatabasePath());
    EnterEditMode();
    Click("ToolButton3");
    EXPECT_FALSE(InEditMode());
    EXPECT_EQ(Find<QToolButton>("ToolButton3")->text(), "Edit");
    EXPECT_FALSE(Grid("tsGrid1")->EditMode());
    const auto bytes = test::ReadBytes(DatabasePath());
    ASSERT_EQ(bytes.size(), 512u + 2 * 3280);
    for (size_t r = 0; r < 2; ++r)
        for (size_t k = 0; k < 124; ++k)
            ASSERT_EQ(bytes[512 + r * 3280 + k * 25 + 21], 255);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(EditMode, CtrlSSavesAndTheStatusBarSaysWhatWasWritten) {
    Save(); // view mode: the action is disabled
    EXPECT_EQ(SavedModels()[0].BtnInfo[0].Reserved, 0);
    EnterEditMode();
    Save();
    EXPECT_TRUE(InEditMode());
    EXPECT_EQ(SavedModels()[0].BtnInfo[0].Reserved, 255);
    EXPECT_EQ(window->statusBar()->currentMessage(),
              QString("2 models written to %1").arg(QString::fromStdString(DatabasePath())));
    Click("ToolButton5"); // the toolbar's "Save" is the same action
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(EditMode, AFailedSaveKeepsTheOldFileAndTheEditMode) {
    EnterEditMode();
    Save();
    const auto before = test::ReadBytes(DatabasePath());
    std::filesystem::rename(DataDir(), DataDir() + "-gone");
    Click("ToolButton3");
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].startsWith(
        QString("Cannot create file \"%1\".").arg(QString::fromStdString(DatabasePath()))))
        << dialogs.shown[0].toStdString();
    EXPECT_TRUE(InEditMode());
    EXPECT_EQ(Find<QToolButton>("ToolButton3")->text(), "Exit Edit");
    std::filesystem::rename(DataDir() + "-gone", DataDir());
    EXPECT_EQ(test::ReadBytes(DatabasePath()), before);
}

TEST_F(EditMode, ExitAndEscapeAskFirstWithNoAsTheDefault) {
    EnterEditMode();
    Click("ToolButton7");
    EXPECT_EQ(dialogs.shown, QStringList{"Please exit edit mode!"});
    EXPECT_TRUE(window->isVisible());

    // Escape on a control with no edit of its own starts closing; pressed twice before the
    // question, it asks once.
    dialogs.Clear();
    QTest::keyClick(Find("Edit1"), Qt::Key_Escape);
    Key(Find("Edit1"), Qt::Key_Escape);
    EXPECT_EQ(dialogs.shown, QStringList{"Are you sure exit with edit mode?"});
    EXPECT_EQ(dialogs.defaults, std::vector<DefaultAnswer>{DefaultAnswer::No});
    EXPECT_TRUE(window->isVisible());

    dialogs.QueueConfirm(true);
    window->close();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(EditMode, ViewModeClosesWithoutAQuestionAndSaveIsUnavailable) {
    EXPECT_FALSE(Find<QAction>("Action3")->isEnabled());
    EXPECT_FALSE(Find("ToolButton5")->isEnabled());
    Click("ToolButton7");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(EditMode, ClosingWithYesDiscardsUnsavedChanges) {
    EnterEditMode();
    dialogs.QueueConfirm(true);
    ChooseFromCellMenu(Grid("tsGrid1"), 1, 2, "Delete");
    ASSERT_EQ(Models().size(), 1u);
    dialogs.QueueConfirm(true);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(SavedModels().size(), 2u);
}

TEST_F(EditMode, DrawButtonsShapeShowsTheModelInBothModes) {
    for (bool edit : {false, true}) {
        if (edit)
            EnterEditMode();
        ClickCell(Grid("tsGrid1"), 1, 2);
        QString caption;
        QTimer closer; // the window opens once the click has returned
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* shown = QApplication::activeModalWidget()) {
                caption = shown->windowTitle();
                QTest::keyClick(shown, Qt::Key_Escape);
            }
        });
        closer.start(10);
        Click("ToolButton8");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !caption.isEmpty(); }, 3000));
        closer.stop();
        EXPECT_EQ(caption, "Shape button's editor") << edit;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(EditMode, AnImportInViewModeIsNotLostByClosing) {
    const std::string exchange = dir.File("tv.rmt");
    dialogs.QueueFile(QString::fromStdString(exchange));
    Click("ToolButton1");
    dialogs.QueueFile(QString::fromStdString(exchange));
    Click("ToolButton2");
    ASSERT_EQ(Models().size(), 3u);
    window->close(); // answered No
    EXPECT_EQ(dialogs.shown, QStringList{"Imported models have not been saved. Close anyway?"});
    EXPECT_EQ(dialogs.defaults, std::vector{DefaultAnswer::No});
    EXPECT_TRUE(window->isVisible());
    EnterEditMode();
    Click("ToolButton3"); // saved on leaving edit mode
    EXPECT_EQ(SavedModels().size(), 3u);
    dialogs.Clear();
    window->close();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_FALSE(window->isVisible());
}

// An undo after a save, in view mode, leaves the catalogue unlike its file: closing says so
// without speaking of imports.
TEST_F(EditMode, AnUndoAfterASaveIsNotLostByClosing) {
    EnterEditMode();
    dialogs.QueueConfirm(true);
    ChooseFromCellMenu(Grid("tsGrid1"), 1, 2, "Delete");
    Click("ToolButton3"); // saved on leaving edit mode
    ASSERT_EQ(SavedModels().size(), 1u);
    dialogs.Clear();
    window->activateWindow(); // the cell menu had the focus
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Key(window.get(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(Models().size(), 2u);
    window->close(); // answered No
    EXPECT_EQ(dialogs.shown, QStringList{"Changes have not been saved. Close anyway?"});
    EXPECT_EQ(dialogs.defaults, std::vector{DefaultAnswer::No});
    EXPECT_TRUE(window->isVisible());
}

} // namespace
} // namespace mm
