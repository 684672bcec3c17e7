// The window's document without a window: what is unsaved, the ".bak" decision, and the rules
// of the commands.
#include "manager/ModelDocument.h"
#include "ModelChecks.h"
#include "TestSupport.h"
#include "model/ModelFile.h"
#include "model/RemoteFile.h"
#include "platform/Errors.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace mm {
namespace {

class Document : public testing::Test {
protected:
    test::TempDir dir;
    TModelDocument document{dir.Dir()};

    void SetUp() override { std::filesystem::create_directory(dir.Dir() + "data"); }
    std::string DatabasePath() const { return ModelDatabasePath(dir.Dir()); }

    static TMyModelRecord Named(uint16_t id, const std::string& name) {
        TMyModelRecord record;
        record.ModelID = id;
        record.ModelType.Assign(name);
        return record;
    }
};

TEST_F(Document, EveryChangeIsUnsavedUntilASaveSucceeds) {
    SaveModelFile(DatabasePath(), {Named(1, "TV"), Named(2, "Fan")}, 0);
    EXPECT_TRUE(document.Load().empty());
    EXPECT_FALSE(document.Unsaved());
    const std::string exchange = dir.File("tv.rmt");
    document.Export(0, exchange);
    EXPECT_FALSE(document.Unsaved()); // writing elsewhere changes nothing

    struct Change {
        const char* what;
        std::function<void()> run;
    } changes[] = {
        {"import", [&] { document.Import(exchange); }},
        {"rename", [&] { document.SetName(0, "TV2"); }},
        {"identifier", [&] { document.SetId(0, "3F"); }},
        {"remark", [&] { document.SetRemark(0, "r"); }},
        {"copy", [&] { document.CopyAdd(0); }},
        {"delete", [&] { document.Delete(1); }},
    };
    for (const Change& change : changes) {
        change.run();
        EXPECT_TRUE(document.Unsaved()) << change.what;
        EXPECT_EQ(document.Save(0), document.Models().size()) << change.what;
        EXPECT_FALSE(document.Unsaved()) << change.what;
    }

    // Refused edits change nothing.
    EXPECT_FALSE(document.SetName(0, ""));
    EXPECT_FALSE(document.SetId(0, "0x1"));
    EXPECT_FALSE(document.SetName(7, "beyond"));
    document.Delete(-1);
    EXPECT_FALSE(document.Unsaved());
    EXPECT_EQ(document.Models()[0].ModelID, 0x3F);

    // A failed save leaves the changes unsaved.
    document.SetName(0, "Again");
    std::filesystem::rename(dir.Dir() + "data", dir.Dir() + "gone");
    EXPECT_THROW(document.Save(0), std::exception);
    EXPECT_TRUE(document.Unsaved());
}

// Closing speaks of imported models only when an import is among the changes never written.
TEST_F(Document, UnsavedImportsAreTheImportsDoneSinceTheLastSave) {
    SaveModelFile(DatabasePath(), {Named(1, "TV")}, 0);
    EXPECT_TRUE(document.Load().empty());
    const std::string exchange = dir.File("tv.rmt");
    document.Export(0, exchange);
    QUndoStack& stack = document.UndoStack();
    struct Step {
        const char* what;
        std::function<void()> run;
        bool unsaved;
        bool unsavedImports;
    } steps[] = {
        {"import", [&] { document.Import(exchange); }, true, true},
        {"rename after it", [&] { document.SetName(0, "TV2"); }, true, true},
        {"save", [&] { document.Save(0); }, false, false},
        {"undo the rename", [&] { stack.undo(); }, true, false},
        {"undo the import", [&] { stack.undo(); }, true, false},
        {"redo both",
         [&] {
             stack.redo();
             stack.redo();
         },
         false, false},
        {"import again", [&] { document.Import(exchange); }, true, true},
        {"undo it", [&] { stack.undo(); }, false, false},
    };
    for (const Step& step : steps) {
        step.run();
        EXPECT_EQ(document.Unsaved(), step.unsaved) << step.what;
        EXPECT_EQ(document.UnsavedImports(), step.unsavedImports) << step.what;
    }
}

TEST_F(Document, AnOlderOrRefusedDatabaseIsKeptByTheFirstSaveOnly) {
    // A header whose count no release wrote: refused, reported, kept.
    test::WriteBytes(DatabasePath(), std::vector<uint8_t>(512, 0xFF));
    const std::vector<std::string> report = document.Load();
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0], "The model database \"" + DatabasePath() +
                             "\" could not be read and has been kept; the first save keeps it "
                             "as \"" +
                             DatabasePath() + ".bak\".");
    document.CopyAdd(-1);
    document.Save(0);
    EXPECT_EQ(test::ReadBytes(DatabasePath() + ".bak"), std::vector<uint8_t>(512, 0xFF));
    std::filesystem::remove(DatabasePath() + ".bak");
    document.Save(0);
    EXPECT_FALSE(std::filesystem::exists(DatabasePath() + ".bak"));

    // The current layout needs no copy.
    TModelDocument again(dir.Dir());
    EXPECT_TRUE(again.Load().empty());
    again.Save(0);
    EXPECT_FALSE(std::filesystem::exists(DatabasePath() + ".bak"));
}

TEST_F(Document, CopyAndImportTakeTheLowestFreeIdentifier) {
    document.CopyAdd(5); // an empty array gets one blank model, whatever the index
    ASSERT_EQ(document.Count(), 1);
    EXPECT_EQ(document.Models()[0].ModelID, 0);
    document.CopyAdd(0);
    document.CopyAdd(9); // beyond a non-empty array: nothing
    ASSERT_EQ(document.Count(), 2);
    EXPECT_EQ(document.Models()[1].ModelID, 1);
    const std::string exchange = dir.File("one.rmt");
    WriteRemoteFile(exchange, Named(0, "Imported"));
    EXPECT_EQ(document.Import(exchange), TModelDocument::ImportResult::Imported);
    EXPECT_EQ(document.Models()[2].ModelID, 2);
    test::WriteBytes(exchange, {1, 2, 3});
    EXPECT_EQ(document.Import(exchange), TModelDocument::ImportResult::NotAModelFile);
    EXPECT_EQ(document.Count(), 3);
}

// A model's button outlines follow it: a changed ID takes its file along, a copy gets a copy,
// a deleted model leaves its file alone, and a name already taken refuses the save beforehand.
TEST_F(Document, OutlineFilesFollowTheirModelsWhenSaved) {
    const auto hmt = [&](const char* id) { return dir.Dir() + "data/Model" + id + ".hmt"; };
    const auto write = [](const std::string& file, const std::string& text) {
        test::WriteBytes(file, std::vector<uint8_t>(text.begin(), text.end()));
    };
    const auto read = [](const std::string& file) {
        const auto bytes = test::ReadBytes(file);
        return std::string(bytes.begin(), bytes.end());
    };
    SaveModelFile(DatabasePath(), {Named(1, "TV"), Named(2, "Fan"), Named(5, "Box")}, 0);
    write(hmt("0001"), "tv");
    write(hmt("0002"), "fan");
    write(hmt("0009"), "someone else's");
    ASSERT_TRUE(document.Load().empty());

    document.SetId(0, "3"); // renamed: 0001 -> 0003
    document.CopyAdd(1);    // copied: 0002 -> the lowest free ID, 0000
    document.Delete(2);     // Box had no file: nothing
    document.Save(0);
    EXPECT_FALSE(std::filesystem::exists(hmt("0001")));
    EXPECT_EQ(read(hmt("0003")), "tv");
    EXPECT_EQ(read(hmt("0002")), "fan");
    EXPECT_EQ(read(hmt("0000")), "fan");
    EXPECT_FALSE(std::filesystem::exists(hmt("0005")));

    // Deleting keeps the file; moving onto a taken name refuses the whole save.
    document.Delete(2);
    document.SetId(0, "9");
    const auto before = test::ReadBytes(DatabasePath());
    try {
        document.Save(0);
        ADD_FAILURE() << "saved over Model0009.hmt";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot move the button outlines \"" + hmt("0003") + "\" to \"" + hmt("0009") +
                      "\": a file of that name is there already. Nothing was saved.");
    }
    EXPECT_EQ(test::ReadBytes(DatabasePath()), before);
    EXPECT_EQ(read(hmt("0003")), "tv");
    EXPECT_EQ(read(hmt("0009")), "someone else's");
    EXPECT_TRUE(document.Unsaved());
    document.SetId(0, "7");
    document.Save(0);
    EXPECT_EQ(read(hmt("0007")), "tv");
    EXPECT_EQ(read(hmt("0000")), "fan"); // the deleted copy's file stayed
}

// Every change of the array is one labelled command: random changes undone all the way give the
// array and the file of the start byte for byte, and redone give the changed array again.
TEST_F(Document, RandomChangesUndoneGiveTheStartAndRedoneTheChanges) {
    SaveModelFile(DatabasePath(), {Named(1, "TV"), Named(2, "Fan"), Named(3, "Box")}, 0);
    ASSERT_TRUE(document.Load().empty());
    document.Save(0); // the start, as the program writes it
    const auto start = test::ReadBytes(DatabasePath());
    const TMyModelRecords startModels = document.Models();
    const std::string exchange = dir.File("tv.rmt");
    document.Export(0, exchange);
    const std::string picture = dir.File("p.jpg");
    test::WriteBytes(picture, {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 0xFF, 0xD9});

    std::mt19937 random(20261211);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 200; ++step) {
        const int index = pick(document.Count());
        switch (pick(8)) {
        case 0:
            document.SetName(index, "N" + std::to_string(step));
            break;
        case 1:
            document.SetId(index, std::to_string(10 + step));
            break;
        case 2:
            document.SetRemark(index, "r" + std::to_string(step));
            break;
        case 3:
            if (document.Count() < 20)
                document.CopyAdd(index);
            break;
        case 4:
            if (document.Count() > 1)
                document.Delete(index);
            break;
        case 5:
            if (document.Count() < 20)
                document.Import(exchange);
            break;
        case 6:
            document.LoadPicture(index, picture);
            break;
        default:
            document.SetName(index, "typed on");
            break; // merges with a rename before it
        }
    }
    ASSERT_TRUE(document.Unsaved());
    const TMyModelRecords changed = document.Models();
    QUndoStack& stack = document.UndoStack();
    EXPECT_GT(stack.count(), 20);
    for (int c = 0; c < stack.count(); ++c)
        EXPECT_FALSE(stack.text(c).isEmpty()) << c;

    test::ExpectUndoAllAndRedoAll(document, startModels, start, changed);
    EXPECT_TRUE(document.Unsaved());
}

TEST_F(Document, CommandsAreNamedForWhatTheyDid) {
    SaveModelFile(DatabasePath(), {Named(1, "TV"), Named(2, "Fan")}, 0);
    ASSERT_TRUE(document.Load().empty());
    document.SetName(0, "T");
    document.SetName(0, "TV2"); // typing on in the same cell: one command
    document.SetRemark(1, "r");
    document.CopyAdd(1);
    document.Delete(0);
    document.SetId(0, "7");
    document.SetId(0, "2"); // typed back as it was: nothing left to undo
    QStringList labels;
    for (int c = 0; c < document.UndoStack().count(); ++c)
        labels << document.UndoStack().text(c);
    EXPECT_EQ(labels, (QStringList{"Rename model", "Change remark", "Copy/Add model Fan",
                                   "Delete model TV2"}));
}

} // namespace
} // namespace mm
