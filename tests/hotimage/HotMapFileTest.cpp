#include "hotimage/core/HotMapFile.h"
#include "HotMapBytes.h"
#include "SpotSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

using test::ErrorOf;
using test::MakeSpot;

class HotMapFileTest : public testing::Test {
protected:
    test::TempDir dir;
    THotSpots spots;
    THotMapFile file{spots};
    std::string name = dir.File("Model0101.hmt");

    void WriteTwoSpots() {
        THotSpots two;
        two.Add(MakeSpot(TSpotShape::Rectangle, {{1, 1}, {5, 5}}, 1));
        two.Add(MakeSpot(TSpotShape::Ellipse, {{6, 1}, {9, 5}}, 2));
        two.SaveToFile(name);
    }
};

TEST_F(HotMapFileTest, AMissingFileGivesAnEmptyListWithoutChanges) {
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{1, 1}, {5, 5}}, 7));
    file.Load(name);
    EXPECT_EQ(file.FileName(), name);
    EXPECT_EQ(spots.Count(), 0);
    EXPECT_FALSE(file.HoldsUnsavedChanges());
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{1, 1}, {5, 5}}, 7));
    EXPECT_TRUE(file.HoldsUnsavedChanges());
}

TEST_F(HotMapFileTest, ChangesCountFromTheLastLoadOrSave) {
    WriteTwoSpots();
    const std::vector<uint8_t> written = test::ReadBytes(name);
    file.Load(name);
    EXPECT_EQ(spots.Count(), 2);
    EXPECT_FALSE(file.HoldsUnsavedChanges());
    spots.Items(1)->ID = 3;
    EXPECT_TRUE(file.HoldsUnsavedChanges());
    spots.Items(1)->ID = 2; // back as it was: nothing to save
    EXPECT_FALSE(file.HoldsUnsavedChanges());
    spots.Delete(0);
    file.Save();
    EXPECT_FALSE(file.HoldsUnsavedChanges());
    THotSpots again;
    again.LoadFromFile(name);
    EXPECT_TRUE(SameSpots(again, spots));
    EXPECT_NE(test::ReadBytes(name), written);
}

TEST_F(HotMapFileTest, ADamagedFileIsRefusedNamingItAndAText) {
    // "HMAP" whatever the name says, and a text file is not read as text.
    test::WriteBytes(name, test::THotMapBytes().Tag("HOTMAP (HotImage v2.2)\r\n").Bytes());
    EXPECT_EQ(ErrorOf([&] { file.Load(name); }),
              "Cannot read file \"" + name +
                  "\". HotMap: Invalid Stream format: it does not start with \"HMAP\" or "
                  "\"HMAp\".");
    EXPECT_EQ(spots.Count(), 0);
}

TEST_F(HotMapFileTest, SavingIntoAMissingFolderFailsNamingTheFile) {
    const std::string lost = dir.File("no/Model0101.hmt");
    file.Load(lost);
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{1, 1}, {5, 5}}, 7));
    EXPECT_EQ(ErrorOf([&] { file.Save(); }),
              "Cannot create file \"" + lost + "\". No such file or directory.");
    EXPECT_TRUE(file.HoldsUnsavedChanges());
}

} // namespace
} // namespace mm
