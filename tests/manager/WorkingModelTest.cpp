// The working copy of the model under edit, without a window: what each gesture's edit does,
// that each is one labelled command (typing in one cell merging into one), and that undoing
// every edit and store gives the catalogue and its file of the start again.
#include "ModelChecks.h"
#include "TestSupport.h"
#include "manager/ModelDocument.h"
#include "model/ModelFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace mm {
namespace {

// A valid model of `keys` keys without SHIFT, its page named.
TMyModelRecord Model(uint16_t id, const std::string& name, int keys) {
    TMyModelRecord record = test::ModelWithKeys(id, name, keys);
    record.PageName[0].Assign("Main");
    return record;
}

class Working : public testing::Test {
protected:
    test::TempDir dir;
    TModelDocument document{dir.Dir()};

    void SetUp() override { std::filesystem::create_directory(dir.Dir() + "data"); }
    std::string DatabasePath() const { return ModelDatabasePath(dir.Dir()); }

    void LoadModels(const TMyModelRecords& models) {
        SaveModelFile(DatabasePath(), models, 0);
        ASSERT_TRUE(document.Load().empty());
        document.Save(0); // the start, as the program writes it
        document.SetEditMode(true);
    }
    QStringList Labels() {
        QStringList labels;
        for (int c = 0; c < document.UndoStack().count(); ++c)
            labels << document.UndoStack().text(c);
        return labels;
    }
    const TStoreInput& Input() const { return document.Working().Input; }
};

TEST_F(Working, OpenedAndStoredUnchangedIsTheRecordUnchanged) {
    TMyModelRecord shift = Model(2, "Shift", 6);
    shift.HasShift = 1;
    LoadModels({Model(1, "TV", 100), shift});
    for (int index : {0, 1}) {
        document.OpenWorking(index);
        EXPECT_EQ(document.WorkingIndex(), index);
        EXPECT_FALSE(document.StoreWorking().has_value());
    }
    EXPECT_FALSE(document.Unsaved());
    EXPECT_EQ(Input().KeyCounts, 3); // SHIFT: 6 entries, 3 keys a page
    EXPECT_TRUE(document.Working().ShiftTabShown);
    // Outside edit mode nothing is edited: the working copy takes what the controls show, no
    // command, nothing unsaved.
    document.SetEditMode(false);
    document.EditWorking(QStringLiteral("Edit codes"), 0,
                         [](TWorkingModel& m) { m.Memo1 = {"1=2"}; });
    EXPECT_EQ(document.Working().Memo1, TStrArray{"1=2"});
    EXPECT_EQ(document.UndoStack().count(), 0);
    EXPECT_FALSE(document.Unsaved());
    document.OpenWorking(5);
    EXPECT_EQ(document.WorkingIndex(), -1);
    document.EditWorking(QStringLiteral("nothing"), 0,
                         [](TWorkingModel& m) { SetKeyCounts(m, 9); });
    EXPECT_EQ(document.UndoStack().count(), 0);
}

// Each gesture's edit, its command's label, and its undo.
TEST_F(Working, EachEditIsOneCommandThatUndoRestores) {
    LoadModels({Model(1, "TV", 100)});
    document.OpenWorking(0);
    const TWorkingModel start = document.Working();
    struct Case {
        const char* label;
        std::function<void(TWorkingModel&)> edit;
        std::function<bool(const TWorkingModel&)> done;
    } cases[] = {
        {"Change key count", [](TWorkingModel& m) { SetKeyCounts(m, 999); },
         [](const TWorkingModel& m) {
             return m.Input.KeyCounts == 123 && m.Input.Normal.size() == 123 &&
                    m.Input.Normal[122] == TKeyRowTexts{};
         }},
        {"Tick Has Shift", [](TWorkingModel& m) { SetHasShift(m, true); },
         [](const TWorkingModel& m) {
             return m.Input.KeyCounts == 62 && m.Input.Shift.size() == 62 && m.ShiftTabShown &&
                    m.Input.Shift[61].FollowSno == "255";
         }},
        {"Change page count", [](TWorkingModel& m) { SetPageCounts(m, 9); },
         [](const TWorkingModel& m) { return m.Input.PageNames.size() == 8; }},
        {"Rename key 5", [](TWorkingModel& m) { SetKeyCell(m, false, 2, 5, "Power"); },
         [](const TWorkingModel& m) { return m.Input.Normal[4].Name == "Power"; }},
        {"Change chip kind", [](TWorkingModel& m) { SetChip(m, false, 4); },
         [](const TWorkingModel& m) { return m.Input.IrChip == 4 && m.CodeTabsShown; }},
        {"Change communication type", [](TWorkingModel& m) { SetCommType(m, 1); },
         [](const TWorkingModel& m) { return m.Input.CommType == 1; }},
        {"Edit codes", [](TWorkingModel& m) { m.Memo1 = {"0005=0018"}; },
         [](const TWorkingModel& m) { return m.Memo1 == TStrArray{"0005=0018"}; }},
    };
    for (const Case& c : cases) {
        const int before = document.UndoStack().index();
        document.EditWorking(QString::fromLatin1(c.label), 0, c.edit);
        ASSERT_EQ(document.UndoStack().index(), before + 1) << c.label;
        EXPECT_EQ(document.UndoStack().undoText(), QString::fromLatin1(c.label));
        EXPECT_TRUE(c.done(document.Working())) << c.label;
        document.UndoStack().undo();
        EXPECT_EQ(document.Working(), start) << c.label;
        document.UndoStack().redo();
        document.UndoStack().undo();
    }
    // Cell edits outside the tables change nothing, and nothing is no command.
    document.EditWorking(QStringLiteral("outside"), 0,
                         [](TWorkingModel& m) { SetKeyCell(m, true, 2, 101, "x"); });
    document.EditWorking(QStringLiteral("outside"), 0,
                         [](TWorkingModel& m) { SetKeyCell(m, false, 8, 1, "x"); });
    EXPECT_NE(document.UndoStack().undoText(), QStringLiteral("outside"));
}

TEST_F(Working, TypingInOneCellIsOneCommandAndTypedBackNone) {
    LoadModels({Model(1, "TV", 4)});
    document.OpenWorking(0);
    const auto type = [&](int row, const char* text) {
        document.EditWorking(QStringLiteral("Rename key %1").arg(row), 100 + row,
                             [&](TWorkingModel& m) { SetKeyCell(m, false, 2, row, text); });
    };
    type(1, "P");
    type(1, "Po");
    type(1, "Pow");
    type(2, "V");
    EXPECT_EQ(Labels(), (QStringList{"Rename key 1", "Rename key 2"}));
    type(2, "K1"); // as it was: nothing left to undo
    EXPECT_EQ(Labels(), QStringList{"Rename key 1"});
    document.UndoStack().undo();
    EXPECT_EQ(Input().Normal[0].Name, "K0");
}

// A store writes the working copy with the rules' messages; undoing the store and then the
// edits gives the record and the working copy of before, in the order they were made.
TEST_F(Working, AStoreIsItsOwnCommandAndABrokenRuleItsMessage) {
    LoadModels({Model(1, "TV", 4), Model(2, "Fan", 4)});
    document.OpenWorking(0);
    document.EditWorking(QStringLiteral("Change key 2"), 0,
                         [](TWorkingModel& m) { SetKeyCell(m, false, 3, 2, "1"); });
    const auto broken = document.StoreWorking();
    ASSERT_TRUE(broken.has_value());
    EXPECT_FALSE(broken->empty());
    document.UndoStack().undo(); // what the broken store wrote before the rule
    document.EditWorking(QStringLiteral("Change key 2"), 0,
                         [](TWorkingModel& m) { SetKeyCell(m, false, 3, 2, "9"); });
    document.EditWorking(QStringLiteral("Rename key 1"), 0,
                         [](TWorkingModel& m) { SetKeyCell(m, false, 2, 1, "Power"); });
    EXPECT_FALSE(document.StoreWorking().has_value());
    EXPECT_EQ(document.Models()[0].BtnInfo[0].Name.Str(), "Power");
    EXPECT_EQ(document.Models()[0].BtnInfo[1].KNo, 9);
    EXPECT_EQ(document.UndoStack().undoText(), QStringLiteral("Edit model TV"));
    document.OpenWorking(1); // switching to the next model is no command
    document.UndoStack().undo();
    EXPECT_EQ(document.Models()[0].BtnInfo[0].Name.Str(), "K0");
    EXPECT_EQ(document.WorkingIndex(), 1); // the store's undo leaves the working copy alone
    document.UndoStack().undo();
    EXPECT_EQ(document.WorkingIndex(), 0); // the edit's undo brings its model back
    EXPECT_EQ(Input().Normal[0].Name, "K0");
    EXPECT_EQ(Input().Normal[1].SNo, "9");
}

// Insertions and removals before the working copy keep it on its model.
TEST_F(Working, TheWorkingCopyStaysOnItsModelWhenOthersComeAndGo) {
    LoadModels({Model(1, "TV", 4), Model(2, "Fan", 4), Model(3, "Box", 4)});
    document.OpenWorking(1);
    document.Delete(0);
    EXPECT_EQ(document.WorkingIndex(), 0);
    document.UndoStack().undo();
    EXPECT_EQ(document.WorkingIndex(), 1);
    document.Delete(1);
    EXPECT_EQ(document.WorkingIndex(), -1);
}

// Random gestures on random models, with stores and switches between them: undone all the
// way they give the catalogue and its file of the start byte for byte, redone the edited state.
TEST_F(Working, RandomEditsUndoneGiveTheStartAndRedoneTheEdits) {
    TMyModelRecord shift = Model(3, "Shift", 8);
    shift.HasShift = 1;
    LoadModels({Model(1, "TV", 100), Model(2, "Fan", 5), shift});
    const auto start = test::ReadBytes(DatabasePath());
    const TMyModelRecords startModels = document.Models();
    std::mt19937 random(17);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    document.OpenWorking(0);
    for (int step = 0; step < 300; ++step) {
        const int keys = Input().KeyCounts;
        const int row = 1 + pick(keys);
        const std::string text = std::to_string(step % 200);
        switch (pick(9)) {
        case 0:
            document.EditWorking(QStringLiteral("count"), 1,
                                 [&](TWorkingModel& m) { SetKeyCounts(m, 2 + pick(130)); });
            break;
        case 1:
            document.EditWorking(QStringLiteral("shift"), 0,
                                 [&](TWorkingModel& m) { SetHasShift(m, !m.Input.HasShift); });
            break;
        case 2:
            document.EditWorking(QStringLiteral("name"), 2000 + row, [&](TWorkingModel& m) {
                SetKeyCell(m, pick(2) == 1, 2, row, "N" + text);
            });
            break;
        case 3: // a distinct serial number, so that most stores pass
            document.EditWorking(QStringLiteral("sno"), 0,
                                 [&](TWorkingModel& m) { SetKeyCell(m, false, 3, row, text); });
            break;
        case 4:
            document.EditWorking(QStringLiteral("pages"), 0,
                                 [&](TWorkingModel& m) { SetPageCounts(m, 1 + pick(8)); });
            break;
        case 5:
            document.EditWorking(QStringLiteral("chip"), 0,
                                 [&](TWorkingModel& m) { SetChip(m, false, pick(13)); });
            break;
        case 6:
            document.EditWorking(QStringLiteral("codes"), 0, [&](TWorkingModel& m) {
                m.Memo1 = {std::to_string(pick(99)) + "=" + std::to_string(pick(99))};
            });
            break;
        case 7:
            document.StoreWorking();
            break;
        default: // leaving the model stores it first; a broken rule keeps the user on it
            if (!document.StoreWorking())
                document.OpenWorking(pick(document.Count()));
            break;
        }
    }
    ASSERT_TRUE(document.Unsaved());
    const TMyModelRecords changed = document.Models();
    const TWorkingModel changedWorking = document.Working();
    test::ExpectUndoAllAndRedoAll(document, startModels, start, changed);
    EXPECT_EQ(document.Working(), changedWorking);
}

} // namespace
} // namespace mm
