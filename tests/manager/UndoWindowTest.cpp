// Undo in the main window, driven as a user drives it: random gestures on the real controls
// (cells typed, check boxes and chips clicked, counts typed, codes typed, models switched and
// saved), then Ctrl+Z until nothing is left gives the catalogue and its file of the start, and
// Ctrl+Y until nothing is left gives the edited catalogue and controls again.
#include "ModelChecks.h"
#include "WindowFixture.h"
#include "controls/RadioGroup.h"
#include "controls/SpinEdit.h"
#include "model/ModelFile.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <cstring>
#include <random>

namespace mm {
namespace {

using test::WindowTest;

constexpr size_t kHeaderBytes = sizeof(TModelFileHeader); // holds the time of the save

class UndoWindow : public WindowTest {
protected:
    TtsGrid* Keys() { return Grid("tsGridKeyList1"); }
    TSpinEdit* KeyCounts() { return Find<TSpinEdit>("SpinEdit1"); }
    const QUndoStack& Stack() const { return window->Document().UndoStack(); }

    // Ctrl+Z or Ctrl+Y on the key table: a text box would take them as its own undo.
    void UndoKey(bool undo) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Keys()->setFocus(Qt::OtherFocusReason);
        Key(Keys(), undo ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
    }

    std::vector<uint8_t> RecordBytes() {
        const auto bytes = test::ReadBytes(DatabasePath());
        return std::vector<uint8_t>(bytes.begin() + kHeaderBytes, bytes.end());
    }

    // The key table shows the working copy.
    void ExpectKeysShown(const char* when) {
        const TKeyRows& rows = window->Document().Working().Input.Normal;
        ASSERT_EQ(Keys()->Rows(), static_cast<int>(rows.size())) << when;
        for (int r = 1; r <= Keys()->Rows(); ++r)
            EXPECT_EQ(GbkFromQString(Keys()->CellText(2, r)), rows[static_cast<size_t>(r - 1)].Name)
                << when << " row " << r;
    }
};

TEST_F(UndoWindow, RandomGesturesUndoneGiveTheStartAndRedoneTheEdits) {
    OpenWith({test::ModelWithKeys(1, "TV", 8), test::ModelWithKeys(2, "Fan", 5),
              test::ModelWithKeys(3, "Box", 12)});
    EnterEditMode();
    Save(); // the start, as the program writes it
    ASSERT_TRUE(dialogs.shown.isEmpty());
    const auto startRecords = RecordBytes();
    const TMyModelRecords start = Models();

    std::mt19937 random(1717);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 40; ++step) {
        const int row = 1 + pick(Keys()->Rows());
        switch (pick(8)) {
        case 0:
            EditCell(Keys(), 2, row, QStringLiteral("N%1").arg(step));
            break;
        case 1: // a serial number beyond the others, so that most stores pass
            EditCell(Keys(), 3, row, QString::number(60 + step));
            break;
        case 2:
            ClickCheckBox(Keys(), 1 + 4 + 2 * pick(2), row);
            break;
        case 3:
            Click(KeyCounts());
            KeyCounts()->selectAll();
            Type(KeyCounts(), QString::number(2 + pick(20)));
            Key(KeyCounts(), Qt::Key_Return);
            break;
        case 4:
            Click(Find("CheckBox1"));
            break;
        case 5: {
            auto* memo = Find<QPlainTextEdit>("Memo1");
            Click(memo);
            Type(memo, QStringLiteral("%1=%2").arg(pick(9)).arg(pick(9)));
            break;
        }
        case 6:
            ClickCell(Grid("tsGrid1"), 1, 1 + pick(3));
            break;
        default:
            Save();
            break;
        }
        Settle();
    }
    dialogs.shown.clear();
    const TMyModelRecords changed = Models();
    const TWorkingModel changedWorking = window->Document().Working();
    ASSERT_GT(Stack().count(), 10);

    for (int guard = 0; Stack().canUndo() && guard < 1000; ++guard)
        UndoKey(true);
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("Undone: "));
    EXPECT_TRUE(test::SameModels(Models(), start)) << "undone";
    ExpectKeysShown("undone");
    Save();
    EXPECT_FALSE(window->Document().Unsaved());
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('|').toStdString();
    EXPECT_EQ(RecordBytes(), startRecords);

    for (int guard = 0; Stack().canRedo() && guard < 1000; ++guard)
        UndoKey(false);
    EXPECT_TRUE(test::SameModels(Models(), changed)) << "redone";
    EXPECT_TRUE(window->Document().Working() == changedWorking);
    ExpectKeysShown("redone");
}

// Each gesture is one command named for what it did; Ctrl+Z names it and shows the model as it
// was, Ctrl+Y as the gesture left it.
TEST_F(UndoWindow, EachGestureIsOneNamedStepBackAndForth) {
    OpenWith({test::ModelWithKeys(1, "TV", 70)});
    EnterEditMode();
    const struct {
        const char* label;
        std::function<void()> gesture;
        std::function<QString()> shown;
    } gestures[] = {
        {"Tick Has Shift", // 70 keys: the question, answered Yes, cuts them to 62
         [&] {
             dialogs.QueueConfirm(true);
             Click(Find("CheckBox1"));
             Settle();
         },
         [&] {
             return QStringLiteral("%1 %2")
                 .arg(Keys()->Rows())
                 .arg(Find<QCheckBox>("CheckBox1")->isChecked());
         }},
        {"Rename key 3", [&] { EditCell(Keys(), 2, 3, "Power"); },
         [&] { return Keys()->CellText(2, 3); }},
        {"Change key 4", [&] { ClickCheckBox(Keys(), 5, 4); },
         [&] { return Keys()->CellText(5, 4); }},
        {"Change key count",
         [&] {
             Click(KeyCounts());
             KeyCounts()->selectAll();
             Type(KeyCounts(), "5");
             Key(KeyCounts(), Qt::Key_Return);
         },
         [&] { return QString::number(Keys()->Rows()); }},
        {"Rename page 1", [&] { EditCell(Grid("tsGrid3"), 1, 1, "Front"); },
         [&] { return Grid("tsGrid3")->CellText(1, 1); }},
        {"Change chip kind",
         [&] {
             QRadioButton* chip = Find("chipType")->findChildren<QRadioButton*>()[4];
             Click(chip, Qt::LeftButton, {8, chip->height() / 2});
         },
         [&] { return QString::number(Find<TRadioGroup>("chipType")->ItemIndex()); }},
        {"Edit Universal Code",
         [&] {
             auto* memo = Find<QPlainTextEdit>("Memo1");
             Click(memo);
             Type(memo, "1=2");
         },
         [&] {
             return Find<QPlainTextEdit>("Memo1")
                 ->toPlainText()
                 .split('\n', Qt::SkipEmptyParts)
                 .join('|');
         }},
        {"Inser a button", [&] { ChooseFromCellMenu(Keys(), 2, 1, "Inser a button"); },
         [&] { return QString::number(Keys()->Rows()); }},
    };
    for (const auto& g : gestures) {
        const QString before = g.shown();
        g.gesture();
        const QString after = g.shown();
        EXPECT_NE(after, before) << g.label;
        UndoKey(true);
        EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Undone: ") + g.label);
        EXPECT_EQ(g.shown(), before) << g.label;
        UndoKey(false);
        EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Redone: ") + g.label);
        EXPECT_EQ(g.shown(), after) << g.label;
    }
    EXPECT_EQ(dialogs.shown, QStringList{"Keys 63 to 70 will be removed. Continue?"});
}

// Escape after typing in the model list gives the record its name back too.
TEST_F(UndoWindow, EscapeInTheModelListLeavesTheRecordAsItWas) {
    OpenWith({test::ModelWithKeys(1, "TV", 3)});
    const TMyModelRecord start = Models()[0];
    EnterEditMode();
    TtsGrid* list = Grid("tsGrid1");
    ClickCell(list, 1, 1);
    Key(list, Qt::Key_F2);
    ASSERT_NE(CellEditor(list), nullptr);
    Type(CellEditor(list), "Radio");
    EXPECT_EQ(Models()[0].ModelType.Str(), "Radio");
    Key(CellEditor(list), Qt::Key_Escape);
    EXPECT_EQ(list->CellText(1, 1), "TV");
    EXPECT_EQ(Models()[0].ModelType.Str(), "TV");
    EXPECT_FALSE(window->Document().Unsaved());
    // The name's bytes as they were, the unused ones the file keeps included.
    EXPECT_EQ(std::memcmp(&Models()[0].ModelType, &start.ModelType, sizeof start.ModelType), 0);
}

} // namespace
} // namespace mm
