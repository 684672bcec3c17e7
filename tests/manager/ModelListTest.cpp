// The model list under the user's clicks and keys: leaving a model, editing names and IDs in
// place, search, copy and delete.
#include "WindowFixture.h"

#include <QLineEdit>

namespace mm {
namespace {

class ModelList : public test::WindowTest {
protected:
    TtsGrid* List() { return Grid("tsGrid1"); }
    TtsGrid* Keys() { return Grid("tsGridKeyList1"); }

    // Makes the cell current with a click unless it already is (a click on the current cell
    // starts its edit).
    void SelectCell(int col, int row) {
        if (List()->currentIndex() == List()->model()->index(row - 1, col - 1))
            return;
        ClickCell(List(), col, row);
        QTest::qWait(QApplication::doubleClickInterval() + 50); // no double click
        Settle();
    }
    // The first key opens the cell's editor with itself; the rest go to the editor.
    void TypeIntoSelectedCell(const QString& text) {
        List()->setFocus();
        Type(text);
        ASSERT_NE(CellEditor(List()), nullptr);
        Key(CellEditor(List()), Qt::Key_Return);
    }
    // F2, select all, Backspace, the new text, Enter.
    void RetypeCell(int col, int row, const QString& text) { EditCell(List(), col, row, text); }
};

TEST_F(ModelList, LeavingAModelThatFailsItsStoreStaysOnIt) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    EnterEditMode();
    EditCell(Keys(), 3, 1, "x");
    ClickCell(List(), 1, 2);
    EXPECT_EQ(dialogs.shown, QStringList{"S No is err at line :1"});
    EXPECT_EQ(List()->CurrentRow(), 1);
    EXPECT_EQ(Keys()->CellText(3, 1), "x"); // the user's text is kept

    dialogs.Clear();
    EditCell(Keys(), 3, 1, "7");
    EditCell(Keys(), 2, 1, "Power");
    Key(List(), Qt::Key_Down); // by keyboard as well as by mouse
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("|").toStdString();
    EXPECT_EQ(List()->CurrentRow(), 2);
    EXPECT_EQ(Models()[0].BtnInfo[0].KNo, 7);
    EXPECT_EQ(Models()[0].BtnInfo[0].Name.Str(), "Power");
    EXPECT_EQ(Keys()->CellText(2, 1), "Key1"); // the second model is shown
}

TEST_F(ModelList, AConversionErrorInTheStoreShowsTheTextAsTyped) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    EnterEditMode();
    EditCell(Keys(), 6, 2, QString::fromUtf8("中")); // "Follow Sno" is converted outside the rules
    ClickCell(List(), 1, 2);
    EXPECT_EQ(dialogs.shown, QStringList{QString::fromUtf8("'中' is not a valid integer value")});
    EXPECT_EQ(List()->CurrentRow(), 1);
}

TEST_F(ModelList, ViewModeShowsTheChosenModelWithoutStoring) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    ClickCell(List(), 2, 2);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(List()->CurrentRow(), 2);
    EXPECT_EQ(Grid("tsGridKeyList1")->CellText(2, 1), "Key1");
    EXPECT_FALSE(Models()[0].BtnInfo[0].Reserved);
}

TEST_F(ModelList, IdentifiersAreTypedInHexadecimal) {
    OpenWith({ValidModel(1, "TV")});
    EnterEditMode();
    struct Case {
        QString text;
        uint16_t id;
    } cases[] = {{"1a", 0x001A}, {"12345", 0x2345}, {"", 0}, {"FFFF", 0xFFFF}};
    for (const Case& c : cases) {
        RetypeCell(2, 1, c.text);
        EXPECT_EQ(Models()[0].ModelID, c.id) << c.text.toStdString();
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
    Click("ToolButton3"); // a refresh shows the identifier as four digits
    EXPECT_EQ(List()->CellText(2, 1), "FFFF");
}

TEST_F(ModelList, ANonHexadecimalIdentifierIsReportedOnceWhenTheCellIsLeft) {
    OpenWith({ValidModel(0x10, "TV"), ValidModel(2, "Fan")});
    EnterEditMode();
    for (const QString& typed : {QString("g"), QString("0x10"), QString::fromUtf8("中")}) {
        dialogs.Clear();
        SelectCell(2, 1);
        TypeIntoSelectedCell(typed);
        EXPECT_EQ(dialogs.shown, QStringList{"'$" + typed + "' is not a valid integer value"});
        EXPECT_EQ(Models()[0].ModelID, 0x10); // as before the edit, not "0" from "0x10"
        EXPECT_EQ(List()->CellText(2, 1), "0010");
        EXPECT_EQ(CellEditor(List()), nullptr);
    }
    // The same when the cell is left by clicking another model.
    dialogs.Clear();
    SelectCell(2, 1);
    List()->setFocus();
    Type("zz");
    ClickCell(List(), 1, 2);
    EXPECT_EQ(dialogs.shown, QStringList{"'$zz' is not a valid integer value"});
    EXPECT_EQ(Models()[0].ModelID, 0x10);
}

TEST_F(ModelList, ClearingANameIsReportedOnceAndRenamingWorks) {
    OpenWith({ValidModel(1, "TV")});
    EnterEditMode();
    ClickCell(List(), 1, 1);
    Key(List(), Qt::Key_F2);
    QLineEdit* editor = CellEditor(List());
    ASSERT_NE(editor, nullptr);
    Key(editor, Qt::Key_A, Qt::ControlModifier);
    Key(editor, Qt::Key_Backspace);
    EXPECT_TRUE(dialogs.shown.isEmpty()); // typing on after clearing must stay possible
    Key(editor, Qt::Key_Return);
    EXPECT_EQ(dialogs.shown, QStringList{"Please input a name"});
    EXPECT_EQ(Models()[0].ModelType.Str(), "TV");
    EXPECT_EQ(List()->CellText(1, 1), "TV");

    dialogs.Clear();
    RetypeCell(1, 1, "Television");
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(Models()[0].ModelType.Str(), "Television");
}

TEST_F(ModelList, TypingIntoAClickedCellLosesNoKey) {
    OpenWith({ValidModel(1, "TV")});
    EnterEditMode();
    for (int attempt = 0; attempt < 2; ++attempt) {
        SelectCell(1, 1);
        ClickCell(List(), 1, 1); // a click on the current cell starts its edit a little later
        TypeIntoSelectedCell("NewRemote"); // typed at once
        EXPECT_EQ(Models()[0].ModelType.Str(), "NewRemote") << attempt;
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        Settle();
        EXPECT_EQ(CellEditor(List()), nullptr);
    }
    // Clicked and left alone, the cell opens for editing with its text selected.
    SelectCell(1, 1);
    ClickCell(List(), 1, 1);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QLineEdit* editor = CellEditor(List());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->selectedText(), "NewRemote");
    Type(editor, "Box");
    Key(editor, Qt::Key_Return);
    EXPECT_EQ(Models()[0].ModelType.Str(), "Box");
}

TEST_F(ModelList, NamesAndRemarksAreCutAtWholeCharacters) {
    OpenWith({ValidModel(1, "TV")});
    EnterEditMode();
    RetypeCell(1, 1, "abcdefghijklmnopqrstuvwxy");
    EXPECT_EQ(Models()[0].ModelType.Str(), "abcdefghijklmnopqrs");
    RetypeCell(1, 1, QString::fromUtf8("遥控器遥控器遥控器遥控器")); // 24 bytes of GBK
    EXPECT_EQ(Models()[0].ModelType.Str(), "\xD2\xA3\xBF\xD8\xC6\xF7\xD2\xA3\xBF\xD8\xC6\xF7"
                                           "\xD2\xA3\xBF\xD8\xC6\xF7");
    RetypeCell(3, 1, QString::fromUtf8("备注备注"));
    EXPECT_EQ(Models()[0].Remark.Str(), "\xB1\xB8\xD7\xA2");
    RetypeCell(3, 1, QString::fromUtf8("a备注"));
    EXPECT_EQ(Models()[0].Remark.Str(), "a\xB1\xB8");
    EXPECT_EQ(List()->CellText(1, 1), QString::fromUtf8("遥控器遥控器遥控器"));
    EXPECT_EQ(List()->CellText(3, 1), QString::fromUtf8("a备"));
}

TEST_F(ModelList, SearchFindsTheFirstNameContainingTheTextCaseSensitively) {
    OpenWith({ValidModel(1, "AB"), ValidModel(2, "xaby"), ValidModel(3, "ab")});
    auto* search = Find<QLineEdit>("Edit1");
    Type(search, "   ");
    EXPECT_EQ(List()->CurrentRow(), 1);
    Type(search, "ab ");
    EXPECT_EQ(List()->CurrentRow(), 2);
    Type(search, "zz");
    EXPECT_EQ(List()->CurrentRow(), 2);
}

TEST_F(ModelList, SearchInEditModeStoresTheModelBeingLeft) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    EnterEditMode();
    EditCell(Keys(), 4, 2, "");
    Type(Find("Edit1"), "Fan");
    EXPECT_EQ(dialogs.shown, QStringList{"KeyIdx is err at line :2"});
    EXPECT_EQ(List()->CurrentRow(), 1);
}

TEST_F(ModelList, CopyAddOnAnEmptyListMakesOneBlankModel) {
    Open();
    EnterEditMode();
    ChooseFromContextMenu(List()->viewport(), {20, 20}, "Copy/Add");
    ASSERT_EQ(List()->Rows(), 1);
    EXPECT_EQ(List()->CellText(1, 1), "");
    EXPECT_EQ(List()->CellText(2, 1), "0000");
    EXPECT_EQ(List()->CellText(3, 1), "");
    EXPECT_EQ(Models().size(), 1u);
    // A blank model shows two key rows and one page.
    EXPECT_EQ(Keys()->Rows(), 2);
    EXPECT_EQ(Grid("tsGrid3")->Rows(), 0);
}

TEST_F(ModelList, CopyAddTakesTheLowestFreeIdAndStaysOnTheSource) {
    TMyModelRecords models = {ValidModel(0, "TV"), ValidModel(1, "Fan"), ValidModel(3, "Box")};
    models[0].Blob = {1, 2, 3};
    OpenWith(models);
    EnterEditMode();
    EditCell(Keys(), 2, 1, "unsaved");
    ChooseFromCellMenu(List(), 1, 1, "Copy/Add");
    ASSERT_EQ(Models().size(), 4u);
    EXPECT_EQ(Models()[3].ModelID, 2);
    EXPECT_EQ(Models()[3].ModelType.Str(), "TV");
    // The grid edits were stored first, as leaving the model stores them, and copied.
    EXPECT_EQ(Models()[0].BtnInfo[0].Name.Str(), "unsaved");
    EXPECT_EQ(Models()[3].BtnInfo[0].Name.Str(), "unsaved");
    EXPECT_EQ(Models()[3].Blob, Models()[0].Blob);
    EXPECT_EQ(List()->CellText(2, 4), "0002");
    EXPECT_EQ(List()->CurrentRow(), 1);
    EXPECT_EQ(Keys()->CellText(2, 1), "unsaved");
}

TEST_F(ModelList, DeleteAsksAndKeepsTheOnlyModel) {
    OpenWith({ValidModel(1, "TV")});
    ChooseFromCellMenu(List(), 1, 1, "Delete"); // disabled in view mode
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EnterEditMode();
    ChooseFromCellMenu(List(), 1, 1, "Delete");
    EXPECT_EQ(dialogs.shown, QStringList{"Can not delete! there are only one remote!"});
    EXPECT_EQ(Models().size(), 1u);
}

TEST_F(ModelList, DeleteRemovesTheCurrentModelOnYes) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    EnterEditMode();
    ChooseFromCellMenu(List(), 1, 2, "Delete"); // answered No
    EXPECT_EQ(dialogs.shown, QStringList{"Are you sure to delete current?"});
    EXPECT_EQ(Models().size(), 2u);
    dialogs.QueueConfirm(true);
    ChooseFromCellMenu(List(), 1, 2, "Delete");
    ASSERT_EQ(Models().size(), 1u);
    EXPECT_EQ(Models()[0].ModelID, 1);
    EXPECT_EQ(List()->CurrentRow(), 1); // the new last row
    EXPECT_EQ(List()->Rows(), 1);
}

TEST_F(ModelList, RepeatedIdentifierIsRefusedAtTheNextStore) {
    OpenWith({ValidModel(1, "TV"), ValidModel(2, "Fan")});
    EnterEditMode();
    RetypeCell(2, 1, "2");
    EXPECT_TRUE(dialogs.shown.isEmpty());
    Save();
    EXPECT_EQ(dialogs.shown, QStringList{"remte control id can not be repeated"});
}

} // namespace
} // namespace mm
