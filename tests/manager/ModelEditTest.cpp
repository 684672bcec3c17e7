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
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace mm {
namespace {

using test::WindowTest;

class StartUp : public WindowTest {};

TEST_F(StartUp, WithoutDatabaseTheListIsEmptyInViewMode) {
    Open();
    EXPECT_EQ(window->windowTitle(), "Quorin Remote Control Model Manager[2021-9]");
    EXPECT_EQ(window->size(), QSize(1080, 729));
    EXPECT_EQ(window->tsGrid1->Rows(), 0);
    EXPECT_EQ(window->tsGridKeyList1->Rows(), 0);
    EXPECT_EQ(window->tsGrid3->Rows(), 0);
    EXPECT_EQ(window->ToolButton3->text(), "Edit");
    EXPECT_FALSE(window->EditMode);
    EXPECT_FALSE(window->tsGrid1->EditMode());
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
        auto* button = window->findChild<QToolButton*>(c.name);
        ASSERT_NE(button, nullptr) << c.name;
        EXPECT_EQ(button->text(), c.text) << c.name;
        EXPECT_EQ(button->size(), QSize(104, 21)) << c.name;
    }
    EXPECT_EQ(window->ToolButton1->toolTip(), "Export Current remote control to file");
    EXPECT_EQ(window->ToolButton2->toolTip(), "Import a remote info from file");
    EXPECT_EQ(window->ToolButton10->toolTip(), "Export all remote as json txt file");
    EXPECT_EQ(window->tsGrid1->statusTip(),
              "If hide to true, will can not show in vistel software");
    EXPECT_EQ(window->Label5->statusTip(), "Start with zero in ir txt file");
    EXPECT_EQ(window->CheckBox2->statusTip(), "If the remote control have study buttons");
    EXPECT_EQ(window->spSkinGroupBox1->statusTip(), "This is statistics of KeyIdx");

    for (const char* name :
         {"Edit1",          "tsGrid1",        "SpinEdit2", "CheckBox1",   "tsGrid3",
          "ComboBox1",      "SpinEdit3",      "chipType",  "RadioGroup1", "BitBtn3",
          "Label2",         "Image1",         "Label1",    "SpinEdit1",   "Label5",
          "CheckBox2",      "btnKey",         "btnKeyIdx", "Button1",     "PageControl2",
          "tsGridKeyList1", "tsGridKeyList2", "Memo1",     "Memo2",       "spSkinGroupBox1",
          "ListBox1"})
        EXPECT_NE(window->findChild<QWidget*>(name), nullptr) << name;

    for (QWidget* w : std::initializer_list<QWidget*>{
             window->Label1, window->SpinEdit1, window->SpinEdit2, window->SpinEdit3,
             window->CheckBox1, window->Label3, window->ComboBox1, window->chipType})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(window->RadioGroup1->isEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{
             window->BitBtn3, window->Label2, window->btnKey, window->btnKeyIdx, window->Button1})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_FALSE(window->CheckBox2->isChecked());
    EXPECT_EQ(window->SpinEdit3->Value(), 2);
    EXPECT_EQ(window->chipType->Count(), 13);
    EXPECT_EQ(window->RadioGroup1->Count(), 2);
    EXPECT_EQ(window->ComboBox1->count(), 3);
    EXPECT_EQ(window->PageControl2->count(), 4);
    for (int tab = 0; tab < 4; ++tab)
        EXPECT_TRUE(window->PageControl2->isTabVisible(tab));
    EXPECT_TRUE(window->tbnUniverMode->isVisible());
    EXPECT_FALSE(window->Action3->isEnabled());
}

TEST_F(StartUp, ModelListShowsNameIdAndRemark) {
    TMyModelRecords models = {WindowTest::ValidModel(0x1a, "TV"),
                              WindowTest::ValidModel(0xBEEF, "Fan")};
    models[1].Remark.Assign("\xB1\xB8\xD7\xA2");
    SaveDatabase(models);
    Open();
    ASSERT_EQ(window->tsGrid1->Rows(), 2);
    EXPECT_EQ(window->tsGrid1->CellText(1, 1), "TV");
    EXPECT_EQ(window->tsGrid1->CellText(2, 1), "001A");
    EXPECT_EQ(window->tsGrid1->CellText(2, 2), "BEEF");
    EXPECT_EQ(window->tsGrid1->CellText(3, 2), QString::fromUtf8("备注"));
    EXPECT_EQ(window->CurrentRow(), 1);
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
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0], QString("The model database \"%1\" could not be read and has been "
                                        "kept; the first save keeps it as \"%1.bak\".")
                                    .arg(QString::fromStdString(DatabasePath())));
    EXPECT_EQ(window->tsGrid1->Rows(), 0);
    window->ToolButton3Click();
    window->Models.push_back(ValidModel(1, "TV"));
    window->RefreshList();
    window->Action3Execute();
    EXPECT_EQ(test::ReadBytes(DatabasePath() + ".bak"), refused);
    window->Action3Execute(); // only the first save keeps the old file
    EXPECT_EQ(test::ReadBytes(DatabasePath() + ".bak"), refused);
}

class EditMode : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        SaveDatabase({ValidModel(1, "TV"), ValidModel(2, "Fan")});
        Open();
    }
};

TEST_F(EditMode, EnteringEnablesTheSettingsAndActions) {
    window->ToolButton3->click();
    EXPECT_TRUE(window->EditMode);
    EXPECT_EQ(window->ToolButton3->text(), "Exit Edit");
    EXPECT_TRUE(window->tsGrid1->EditMode());
    EXPECT_TRUE(window->tsGridKeyList1->EditMode());
    EXPECT_TRUE(window->BitBtn3->isVisible());
    EXPECT_TRUE(window->Label2->isVisible());
    for (QWidget* w : std::initializer_list<QWidget*>{
             window->Label1, window->SpinEdit1, window->SpinEdit2, window->SpinEdit3,
             window->CheckBox1, window->ComboBox1, window->chipType})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(window->Label3->isEnabled()); // "Page Counts" keeps its state in both modes
    for (QAction* a :
         {window->Action1, window->Action2, window->Action3, window->Action4, window->Action5})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
}

TEST_F(EditMode, ExitEditWritesTheDatabaseWithEveryReservedByteSet) {
    std::filesystem::remove(DatabasePath());
    window->ToolButton3->click();
    window->ToolButton3->click();
    EXPECT_FALSE(window->EditMode);
    EXPECT_EQ(window->ToolButton3->text(), "Edit");
    EXPECT_FALSE(window->tsGrid1->EditMode());
    const auto bytes = test::ReadBytes(DatabasePath());
    ASSERT_EQ(bytes.size(), 512u + 2 * 3280);
    for (size_t r = 0; r < 2; ++r)
        for (size_t k = 0; k < 124; ++k)
            ASSERT_EQ(bytes[512 + r * 3280 + k * 25 + 21], 255);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(EditMode, SaveStaysInEditModeAndFailedSaveKeepsTheOldFile) {
    window->ToolButton3->click();
    window->Action3->trigger();
    EXPECT_TRUE(window->EditMode);
    const auto before = test::ReadBytes(DatabasePath());
    std::filesystem::rename(DataDir(), DataDir() + "-gone");
    window->ToolButton3->click();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0], QString("Cannot create file \"%1\". No such file or directory.")
                                    .arg(QString::fromStdString(DatabasePath())));
    EXPECT_TRUE(window->EditMode);
    EXPECT_EQ(window->ToolButton3->text(), "Exit Edit");
    std::filesystem::rename(DataDir() + "-gone", DataDir());
    EXPECT_EQ(test::ReadBytes(DatabasePath()), before);
}

TEST_F(EditMode, ExitAndClosingAskFirst) {
    window->ToolButton3->click();
    window->ToolButton7->click();
    EXPECT_EQ(dialogs.shown, QStringList{"Please exit edit mode!"});
    EXPECT_TRUE(window->isVisible());

    dialogs.Clear();
    QTest::keyClick(window->Edit1, Qt::Key_Escape); // the window sees Escape first
    EXPECT_EQ(dialogs.shown, QStringList{"Are you sure exit with edit mode?"});
    EXPECT_TRUE(window->isVisible());

    dialogs.QueueConfirm(true);
    window->close();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(EditMode, ViewModeClosesWithoutAQuestionAndSaveIsUnavailable) {
    EXPECT_FALSE(window->Action3->isEnabled());
    EXPECT_FALSE(window->ToolButton5->isEnabled());
    window->ToolButton7->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(EditMode, ClosingWithYesDiscardsUnsavedChanges) {
    window->ToolButton3->click();
    window->Models.pop_back();
    dialogs.QueueConfirm(true);
    window->close();
    EXPECT_EQ(SavedModels().size(), 2u);
}

} // namespace
} // namespace mm
