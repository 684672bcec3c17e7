// The hot-map editor's document without a window: list texts, the next ID, every command and
// its undo, loading and saving by the file's name.
#include "hotedit/core/HotMapDocument.h"
#include "HostileMaps.h"
#include "HotMapBinary.h"
#include "HotMapBytes.h"
#include "SpotSupport.h"
#include "TestSupport.h"
#include "hotimage/core/HotMapFormats.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace mm {
namespace {

using test::BinaryOf;
using test::MakeSpot;

std::vector<uint8_t> BinaryOf(const THotMapDocument& document) {
    return BinaryOf(document.Spots());
}

std::vector<int32_t> IdsOf(const THotSpots& spots) {
    std::vector<int32_t> ids;
    for (int i = 0; i < spots.Count(); ++i)
        ids.push_back(spots.Items(i)->ID);
    return ids;
}

// Five spots with IDs 0 to 4, the third with a mask, the fourth disabled.
void FillFive(THotSpots& spots) {
    for (int i = 0; i < 5; ++i) {
        TSpot* spot = spots.Add(MakeSpot(TSpotShape::Rectangle, {{10 * i, 0}, {10 * i + 8, 8}}, i));
        spot->Hint = "Key " + std::to_string(i);
    }
    spots.Items(2)->SetMask({kMaskOverPoint | kMaskDownPoint, {1, 2}, {3, 4}});
    spots.Items(3)->Enabled = false;
}

TEST(SpotListText, ShowsTheFirst24CharactersControlsAsBlanksAndDots) {
    const struct {
        std::string hint;
        std::string text;
    } cases[] = {
        {"", "..."},
        {"Power\nOn", "Power On..."},
        {"Power\r\nOn", "Power  On..."},
        {std::string("a\0b\tc\x0d\x0e", 7), std::string("a b c \x0e...")},
        {std::string(30, 'x'), std::string(24, 'x') + "..."},
        {std::string(24, 'y'), std::string(24, 'y') + "..."},
        // Half of a Chinese character is never shown: the cut falls before it.
        {std::string(23, 'z') + "\xD6\xD0", std::string(23, 'z') + "..."},
        {std::string(22, 'z') + "\xD6\xD0", std::string(22, 'z') + "\xD6\xD0..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpotListText(c.hint), c.text) << c.hint;
}

TEST(NextSpotID, IsOneMoreThanTheGreatestAtLeastZero) {
    const struct {
        std::vector<int32_t> ids;
        int32_t next;
    } cases[] = {
        {{}, 1},
        {{3, 7, 5}, 8},
        {{-4, -1}, 1},
        {{0}, 1},
        {{INT32_MAX - 1}, INT32_MAX},
        {{INT32_MAX}, INT32_MIN}, // 32-bit arithmetic, without overflow
    };
    for (const auto& c : cases) {
        THotSpots spots;
        for (int32_t id : c.ids)
            spots.Add(MakeSpot(TSpotShape::Polyline, {}, id));
        EXPECT_EQ(NextSpotID(spots), c.next) << ::testing::PrintToString(c.ids);
    }
}

TEST(HotMapDocument, WorksOnACopyWithMasksAndHandsItBack) {
    THotSpots source;
    FillFive(source);
    source.Items(0)->CheckMarks = {true, true};
    THotMapDocument document(source);
    EXPECT_EQ(BinaryOf(document), BinaryOf(source));
    EXPECT_EQ(document.Selected(), -1);
    EXPECT_EQ(document.UndoStack().count(), 0);
    document.Select(1);
    document.DeleteSelected();
    EXPECT_EQ(source.Count(), 5); // the caller's map is untouched
    THotSpots target;
    document.HandBack(target);
    EXPECT_EQ(IdsOf(target), (std::vector<int32_t>{0, 2, 3, 4}));
    EXPECT_TRUE(target.Items(1)->HasMask());
    EXPECT_FALSE(target.Items(2)->Enabled);
}

TEST(HotMapDocument, NewCopyDeleteAndClearSelectAsTheEditorShows) {
    THotSpots source;
    source.Add(MakeSpot(TSpotShape::Ellipse, {{1, 2}, {30, 40}}, 4))->Hint = "Vol";
    source.Items(0)->SetMask({kMaskOverPoint, {5, 6}, {}});
    source.Add(MakeSpot(TSpotShape::Polyline, {}, 9));
    THotMapDocument document(source);

    EXPECT_EQ(document.NewSpot(), (TSpotData{TSpotShape::Polyline,
                                             {},
                                             kDefaultNormalColor,
                                             kDefaultToggleColor,
                                             "",
                                             10,
                                             true,
                                             0,
                                             {}}));
    document.Append(document.NewSpot());
    EXPECT_EQ(document.Count(), 3);
    EXPECT_EQ(document.Selected(), 2);

    document.Select(0);
    document.CopySelected();
    ASSERT_EQ(document.Count(), 4);
    EXPECT_EQ(document.Selected(), 3);
    const TSpot& copy = *document.Spots().Items(3);
    EXPECT_EQ(copy.ID, 11);
    EXPECT_EQ(copy.Shape(), TSpotShape::Ellipse);
    EXPECT_EQ(copy.Points(), document.Spots().Items(0)->Points());
    EXPECT_EQ(copy.Hint, "Vol");
    EXPECT_FALSE(copy.HasMask());

    document.Select(-1);
    document.CopySelected(); // nothing selected: a new spot with the next ID
    TSpotData fresh;
    fresh.ID = 12;
    EXPECT_EQ(document.Spots().Items(4)->Data(), fresh);

    document.Select(1);
    document.DeleteSelected();
    EXPECT_EQ(IdsOf(document.Spots()), (std::vector<int32_t>{4, 10, 11, 12}));
    EXPECT_EQ(document.Selected(), -1);
    document.DeleteSelected(); // nothing selected: nothing happens
    EXPECT_EQ(document.Count(), 4);

    document.Select(7);
    EXPECT_EQ(document.Selected(), -1);
    document.Clear();
    EXPECT_EQ(document.Count(), 0);
    EXPECT_EQ(document.Selected(), -1);
}

TEST(HotMapDocument, ReplaceChangesOneSpotAndIsNoCommandWhenNothingChanged) {
    THotSpots source;
    FillFive(source);
    THotMapDocument document(source);
    TSpotData edited = source.Items(2)->Data();
    document.Replace(2, edited);
    EXPECT_EQ(document.UndoStack().count(), 0);
    EXPECT_EQ(document.Selected(), 2);
    edited.Points = {{1, 1}, {2, 2}};
    edited.Hint = "edited";
    document.Replace(2, edited);
    EXPECT_EQ(document.Spots().Items(2)->Data(), edited);
    EXPECT_TRUE(document.Spots().Items(2)->HasMask());
    EXPECT_EQ(document.UndoStack().count(), 1);
    document.Replace(5, edited); // beyond the list
    EXPECT_EQ(document.UndoStack().count(), 1);
}

TEST(HotMapDocument, DraggingMovesTheSelectedSpotToTheTarget) {
    const struct {
        int from, to;
        std::vector<int32_t> order;
    } cases[] = {
        {0, 3, {1, 2, 3, 0, 4}},  {3, 0, {3, 0, 1, 2, 4}},
        {4, 3, {0, 1, 2, 4, 3}},  {1, 1, {0, 1, 2, 3, 4}}, // onto itself: nothing
        {1, 5, {0, 1, 2, 3, 4}},                           // beyond the entries: nothing
        {1, -1, {0, 1, 2, 3, 4}},                          // on no entry: nothing
    };
    for (const auto& c : cases) {
        THotSpots source;
        FillFive(source);
        THotMapDocument document(source);
        document.Select(c.from);
        document.MoveSelectedTo(c.to);
        EXPECT_EQ(IdsOf(document.Spots()), c.order) << c.from << " onto " << c.to;
        const bool moved = c.order != std::vector<int32_t>{0, 1, 2, 3, 4};
        EXPECT_EQ(document.Selected(), moved ? c.to : c.from);
        EXPECT_EQ(document.UndoStack().count(), moved ? 1 : 0);
    }
    THotSpots source;
    FillFive(source);
    THotMapDocument document(source);
    document.MoveSelectedTo(2); // nothing selected
    EXPECT_EQ(IdsOf(document.Spots()), (std::vector<int32_t>{0, 1, 2, 3, 4}));
}

TEST(HotMapDocument, UndoAndRedoRestoreTheSpotsAndTheSelection) {
    THotSpots source;
    FillFive(source);
    THotMapDocument document(source);
    document.Select(3);
    document.DeleteSelected();
    document.Undo();
    EXPECT_EQ(document.Count(), 5);
    EXPECT_EQ(document.Selected(), 3);
    document.Redo();
    EXPECT_EQ(document.Count(), 4);
    EXPECT_EQ(document.Selected(), -1);
    document.Undo();
    document.Undo(); // nothing before the opening
    EXPECT_EQ(BinaryOf(document), BinaryOf(source));
}

// Hot-map files beside each other: a binary one, a text one, a damaged one.
class HotMapFiles : public testing::Test {
protected:
    test::TempDir dir;
    THotSpots five;
    void SetUp() override { FillFive(five); }
};

// Loading goes by the file's first bytes, whatever its name; saving by the format given.
TEST_F(HotMapFiles, LoadReadsByContentAndSaveWritesTheFormatGiven) {
    THotSpots empty;
    THotMapDocument document(empty);
    const struct {
        const char* name;
        bool binary;
    } files[] = {{"a.HMP", true},  {"Model0001.hmt", true}, {"c", true},
                 {"d.txt", false}, {"e.hmp", false},        {"f.hmt", false}};
    for (const auto& f : files) {
        if (f.binary)
            five.SaveToFile(dir.File(f.name));
        else
            SaveHotMapText(dir.File(f.name), five);
        document.Clear();
        document.Load(dir.File(f.name));
        EXPECT_EQ(BinaryOf(document), BinaryOf(five)) << f.name;
        EXPECT_EQ(document.Selected(), 0) << f.name;
    }
    const std::string text = HotMapText(five);
    for (const char* name : {"out.HMP", "out.hmt", "out"}) {
        document.Save(dir.File(name), THotMapFormat::Binary);
        EXPECT_EQ(test::ReadBytes(dir.File(name)), BinaryOf(five)) << name;
        document.Save(dir.File(name), THotMapFormat::Text);
        EXPECT_EQ(test::ReadBytes(dir.File(name)), std::vector<uint8_t>(text.begin(), text.end()))
            << name;
    }
}

TEST_F(HotMapFiles, AModelsOwnFileIsReadAsBinary) {
    THotSpots one;
    one.Add(MakeSpot(TSpotShape::Rectangle, {{1, 2}, {3, 4}}, 5));
    one.SaveToFile(dir.File("Model0001.hmt"));
    THotMapDocument document(five);
    document.Load(dir.File("Model0001.hmt"));
    EXPECT_EQ(BinaryOf(document), BinaryOf(one));
    EXPECT_EQ(document.Selected(), 0);
    EXPECT_TRUE(document.HoldsChanges());
    document.Undo();
    EXPECT_EQ(BinaryOf(document), BinaryOf(five));
    EXPECT_FALSE(document.HoldsChanges());
}

TEST_F(HotMapFiles, AFailedLoadKeepsWhatTheReaderLeftAsAnUndoableChange) {
    THotMapDocument document(five);
    document.Select(2);
    // A shape the format does not know, in the first spot: no spot read, one change to undo.
    test::WriteBytes(dir.File("shape.hmp"),
                     test::THotMapBytes().Tag("HMAP").Ints({0, 1}).U8(3).Bytes());
    EXPECT_EQ(test::ErrorOf([&] { document.Load(dir.File("shape.hmp")); }),
              "Cannot read file \"" + dir.File("shape.hmp") +
                  "\". HotMap: Invalid Stream format: the shape byte of spot 0 is 3; a shape is 0 "
                  "(polyline), 1 (rectangle) or 2 (ellipse).");
    EXPECT_EQ(document.Count(), 0);
    EXPECT_EQ(document.Selected(), -1);
    document.Undo();
    EXPECT_EQ(BinaryOf(document), BinaryOf(five));
    EXPECT_EQ(document.UndoStack().index(), 0);
    // Cut short after one whole spot: that spot stays, and Ctrl+Z brings the five back.
    const auto bytes = test::THotMapBytes()
                           .Tag("HMAP")
                           .Ints({0, 3})
                           .U8(1)
                           .Fields(42)
                           .Ints({1, 2, 3, 4})
                           .U8(1)
                           .Bytes();
    test::WriteBytes(dir.File("short.hmp"), bytes);
    EXPECT_EQ(test::ErrorOf([&] { document.Load(dir.File("short.hmp")); }),
              "Cannot read file \"" + dir.File("short.hmp") +
                  "\". Stream read error: the file ends inside the ID of spot 1.");
    EXPECT_EQ(IdsOf(document.Spots()), (std::vector<int32_t>{42, 0}));
    EXPECT_EQ(document.Selected(), -1);
    document.Undo();
    EXPECT_EQ(BinaryOf(document), BinaryOf(five));
    // A missing file changes nothing; its format is unknown, so the message names the file.
    const std::string missing = dir.File("missing.txt");
    EXPECT_EQ(test::ErrorOf([&] { document.Load(missing); }),
              "Cannot open file \"" + missing + "\". No such file or directory.");
    EXPECT_EQ(BinaryOf(document), BinaryOf(five));
}

TEST_F(HotMapFiles, AMapBeyondTheBoundOnWorkIsRefusedInEitherFormat) {
    THotSpots heavy;
    for (int i = 0; i < 100; ++i)
        heavy.Add(MakeSpot(TSpotShape::Polyline, test::kTallTriangle, 1));
    for (const char* name : {"heavy.hmp", "heavy.hmt"}) {
        THotMapDocument document(five);
        const std::string file = dir.File(name);
        SaveHotMap(file, heavy, HotMapFormatOfName(file));
        EXPECT_EQ(test::ErrorOf([&] { document.Load(file); }), test::HostileRefusal(file, 16));
        EXPECT_EQ(document.Count(), 0); // nothing of the refused map, and Ctrl+Z brings the five
        document.Undo();
        EXPECT_EQ(BinaryOf(document), BinaryOf(five));
    }
}

TEST_F(HotMapFiles, AFailedSaveChangesNothing) {
    THotMapDocument document(five);
    const std::string name = dir.File("missing/out.hmp");
    EXPECT_EQ(test::ErrorOf([&] { document.Save(name, THotMapFormat::Binary); }),
              "Cannot create file \"" + name + "\". No such file or directory.");
    EXPECT_EQ(BinaryOf(document), BinaryOf(five));
    EXPECT_EQ(document.UndoStack().count(), 0);
}

// Any sequence of commands: as many undos give the opening bytes back, each undo the bytes
// before its command, and as many redos the edited bytes.
TEST_F(HotMapFiles, UndoAndRedoRetraceAnySequenceByteForByte) {
    five.SaveToFile(dir.File("five.hmp"));
    SaveHotMapText(dir.File("five.hmt"), five);
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
        THotSpots opening;
        FillFive(opening);
        opening.Items(0)->Hint = "seed " + std::to_string(seed);
        THotMapDocument document(opening);
        std::vector<std::vector<uint8_t>> states{BinaryOf(document)};
        for (int step = 0; step < 25; ++step) {
            document.Select(pick(document.Count() + 2) - 1);
            switch (pick(8)) {
            case 0:
                document.Append(document.NewSpot());
                break;
            case 1: {
                TSpotData data =
                    document.SelectedSpot() ? document.SelectedSpot()->Data() : document.NewSpot();
                data.Points.push_back({pick(100), pick(100)});
                data.Hint += "e";
                document.Replace(document.Selected(), data);
                break;
            }
            case 2:
                document.CopySelected();
                break;
            case 3:
                document.DeleteSelected();
                break;
            case 4:
                if (pick(4) == 0)
                    document.Clear();
                break;
            case 5:
                document.MoveSelectedTo(pick(document.Count() + 1));
                break;
            case 6:
                document.Load(dir.File(pick(2) ? "five.hmp" : "five.hmt"));
                break;
            default:
                if (document.UndoStack().canUndo() && pick(3) == 0) {
                    document.Undo();
                    states.pop_back();
                }
                continue;
            }
            if (BinaryOf(document) != states.back())
                states.push_back(BinaryOf(document));
        }
        ASSERT_EQ(document.UndoStack().index() + 1, static_cast<int>(states.size())) << seed;
        const std::vector<uint8_t> edited = BinaryOf(document);
        const int top = document.UndoStack().index(); // undone commands may lie beyond
        for (size_t back = states.size() - 1; back > 0; --back) {
            document.Undo();
            ASSERT_EQ(BinaryOf(document), states[back - 1]) << "seed " << seed;
        }
        EXPECT_FALSE(document.UndoStack().canUndo());
        EXPECT_EQ(BinaryOf(document), BinaryOf(opening)) << "seed " << seed;
        for (int redo = 0; redo < top; ++redo)
            document.Redo();
        EXPECT_EQ(BinaryOf(document), edited) << "seed " << seed;
    }
}

// Each change is named on the undo stack for its spot: by its hint, else by its KeyIdx.
TEST(HotMapDocument, EachChangeIsLabelledWithItsSpot) {
    THotSpots source;
    FillFive(source);
    THotMapDocument document(source);
    TSpotData unnamed = document.NewSpot();
    const std::vector<std::pair<std::function<void()>, QString>> steps = {
        {[&] { document.Append(unnamed); }, "Add spot KeyIdx 5"},
        {[&] { document.Select(1), document.DeleteSelected(); }, "Delete spot Key 1"},
        {[&] { document.Select(0), document.MoveSelectedTo(2); }, "Move spot Key 0"},
        {[&] {
             TSpotData renamed = document.Spots().Items(1)->Data();
             renamed.Hint = "Power\r\nOn";
             document.Replace(1, renamed);
         },
         "Edit spot Power On"},
        {[&] { document.Clear(); }, "Clear spots"},
    };
    for (const auto& [step, label] : steps) {
        step();
        EXPECT_EQ(document.UndoStack().undoText(), label);
    }
}

} // namespace
} // namespace mm
