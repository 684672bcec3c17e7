#include "WindowFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>

namespace mm {
namespace {

class ModelList : public test::WindowTest {
protected:
    void OpenWith(TMyModelRecords models) {
        SaveDatabase(models);
        Open();
    }
    void EnterEditMode() { window->ToolButton3->click(); }
    TtsGrid& List() { return *window->tsGrid1; }
    TtsGrid& Keys() { return *window->tsGridKeyList1; }
};

TEST_F(ModelList, LeavingAModelThatFailsItsStoreStaysOnIt) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    EnterEditMode();
    Keys().SetCell(3, 1, "x");
    List().SetCurrentRow(2);
    EXPECT_EQ(dialogs.shown, QStringList{"S No is err at line :1"});
    EXPECT_EQ(window->CurrentRow(), 1);
    EXPECT_EQ(Keys().CellText(3, 1), "x"); // the user's text is kept

    dialogs.Clear();
    Keys().SetCell(3, 1, "7");
    Keys().SetCell(2, 1, "Power");
    List().SetCurrentRow(2);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(window->CurrentRow(), 2);
    EXPECT_EQ(window->Models[0].BtnInfo[0].KNo, 7);
    EXPECT_EQ(window->Models[0].BtnInfo[0].Name.Str(), "Power");
    EXPECT_EQ(Keys().CellText(2, 1), "Key1"); // the second model is shown
}

TEST_F(ModelList, AConversionErrorInTheStoreAlsoKeepsTheModel) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    EnterEditMode();
    Keys().SetCell(6, 2, "abc"); // "Follow Sno" is converted outside the rules
    List().SetCurrentRow(2);
    EXPECT_EQ(dialogs.shown, QStringList{"'abc' is not a valid integer value"});
    EXPECT_EQ(window->CurrentRow(), 1);
}

TEST_F(ModelList, ViewModeShowsTheChosenModelWithoutStoring) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    Keys().SetCell(3, 1, "x");
    List().SetCurrentRow(2);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(window->CurrentRow(), 2);
    EXPECT_EQ(window->Models[0].BtnInfo[0].KNo, 1);
}

TEST_F(ModelList, IdentifierCellsAreHexadecimal) {
    OpenWith({ValidModel(1, "TV")});
    EnterEditMode();
    struct Case {
        QString text;
        uint16_t id;
    } cases[] = {{"1a", 0x001A}, {"12345", 0x2345}, {"", 0}, {"FFFF", 0xFFFF}};
    for (const Case& c : cases) {
        List().SetCell(2, 1, c.text);
        emit List().CellEdit(2, 1);
        EXPECT_EQ(window->Models[0].ModelID, c.id) << c.text.toStdString();
    }
    List().SetCell(2, 1, "1g");
    emit List().CellEdit(2, 1);
    EXPECT_EQ(dialogs.shown, QStringList{"'$1g' is not a valid integer value"});
    EXPECT_EQ(window->Models[0].ModelID, 0xFFFF);
    window->RefreshList();
    EXPECT_EQ(List().CellText(2, 1), "FFFF");
}

TEST_F(ModelList, NamesAndRemarksAreCutAndAnEmptyNameRefused) {
    OpenWith({ValidModel(1, "TV")});
    EnterEditMode();
    List().SetCell(1, 1, "abcdefghijklmnopqrstuvwxy");
    emit List().CellEdit(1, 1);
    EXPECT_EQ(window->Models[0].ModelType.Str(), "abcdefghijklmnopqrs");
    List().SetCell(3, 1, QString::fromUtf8("备注备注"));
    emit List().CellEdit(3, 1);
    EXPECT_EQ(window->Models[0].Remark.Str(), "\xB1\xB8\xD7\xA2");

    List().SetCell(1, 1, "");
    emit List().CellEdit(1, 1);
    bool cancel = false;
    emit List().EndCellEdit(1, 1, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(dialogs.shown, (QStringList{"please input name", "Please input a name"}));
    EXPECT_EQ(window->Models[0].ModelType.Str(), "abcdefghijklmnopqrs");
}

TEST_F(ModelList, SearchFindsTheFirstNameContainingTheTextCaseSensitively) {
    OpenWith({ValidModel(1, "AB"), ValidModel(2, "xaby"), ValidModel(3, "ab")});
    window->Edit1->setText("   ");
    EXPECT_EQ(window->CurrentRow(), 1);
    window->Edit1->setText(" ab ");
    EXPECT_EQ(window->CurrentRow(), 2);
    window->Edit1->setText("zz");
    EXPECT_EQ(window->CurrentRow(), 2);
}

TEST_F(ModelList, SearchInEditModeStoresTheModelBeingLeft) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    EnterEditMode();
    Keys().SetCell(4, 2, "");
    window->Edit1->setText("Fan");
    EXPECT_EQ(dialogs.shown, QStringList{"KeyIdx is err at line :2"});
    EXPECT_EQ(window->CurrentRow(), 1);
}

TEST_F(ModelList, CopyAddOnAnEmptyListMakesOneBlankModel) {
    Open();
    EnterEditMode();
    window->Action5->trigger();
    ASSERT_EQ(List().Rows(), 1);
    EXPECT_EQ(List().CellText(1, 1), "");
    EXPECT_EQ(List().CellText(2, 1), "0000");
    EXPECT_EQ(List().CellText(3, 1), "");
    EXPECT_EQ(window->Models.size(), 1u);
    // A blank model shows two key rows and one page.
    EXPECT_EQ(Keys().Rows(), 2);
    EXPECT_EQ(window->tsGrid3->Rows(), 0);
}

TEST_F(ModelList, CopyAddTakesTheLowestFreeIdAndStaysOnTheSource) {
    TMyModelRecords models = {ValidModel(0, "TV"), ValidModel(1, "Fan"), ValidModel(3, "Box")};
    models[0].Blob = {1, 2, 3};
    OpenWith(models);
    EnterEditMode();
    Keys().SetCell(2, 1, "unsaved");
    window->Action5->trigger();
    ASSERT_EQ(window->Models.size(), 4u);
    EXPECT_EQ(window->Models[3].ModelID, 2);
    EXPECT_EQ(window->Models[3].ModelType.Str(), "TV");
    EXPECT_EQ(window->Models[3].BtnInfo[0].Name.Str(), "Key1"); // copied from the record
    EXPECT_EQ(window->Models[3].Blob, window->Models[0].Blob);
    EXPECT_EQ(List().CellText(2, 4), "0002");
    EXPECT_EQ(window->CurrentRow(), 1);
    EXPECT_EQ(Keys().CellText(2, 1), "Key1"); // unsaved grid edits were dropped
}

TEST_F(ModelList, DeleteAsksAndKeepsTheOnlyModel) {
    OpenWith({ValidModel(1, "TV")});
    EnterEditMode();
    window->Action4->trigger();
    EXPECT_EQ(dialogs.shown, QStringList{"Can not delete! there are only one remote!"});
    EXPECT_EQ(window->Models.size(), 1u);
}

TEST_F(ModelList, DeleteRemovesTheCurrentModelOnYes) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    EnterEditMode();
    List().SetCurrentRow(2);
    window->Action4->trigger(); // answered No
    EXPECT_EQ(dialogs.shown, QStringList{"Are you sure to delete current?"});
    EXPECT_EQ(window->Models.size(), 2u);
    dialogs.QueueConfirm(true);
    window->Action4->trigger();
    ASSERT_EQ(window->Models.size(), 1u);
    EXPECT_EQ(window->Models[0].ModelID, 1);
    EXPECT_EQ(window->CurrentRow(), 1); // the new last row
    EXPECT_EQ(List().Rows(), 1);
}

TEST_F(ModelList, RepeatedIdentifierIsRefusedAtTheNextStore) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    EnterEditMode();
    List().SetCell(2, 1, "2");
    emit List().CellEdit(2, 1);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    window->Action3->trigger();
    EXPECT_EQ(dialogs.shown, QStringList{"remte control id can not be repeated"});
}

} // namespace
} // namespace mm
