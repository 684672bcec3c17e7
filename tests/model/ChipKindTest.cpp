#include "model/ChipKind.h"

#include <gtest/gtest.h>
#include <string>

namespace mm {
namespace {

TEST(ChipKind, ItemTextsAreTheOnesTheUserKnows) {
    EXPECT_STREQ(kCommTypeItems[0], "Ir Communicate");
    EXPECT_STREQ(kCommTypeItems[1], "USB for HID");
    EXPECT_STREQ(kCommTypeItems[2], "USB for Commport");
    const std::string ir[] = {"R41/R41a/R40无音道下载",
                              "R41/R41a/R40有音道下载",
                              "R42",
                              "R45",
                              "Quorin Universal",
                              "Other Universal",
                              "RX90/R77",
                              "Universal",
                              "Universal",
                              "9:R77万能",
                              "Ble",
                              "AC REMOTE",
                              "RX91(8IN1)"};
    ASSERT_EQ(std::size(ir), kIrChipItems.size());
    for (size_t i = 0; i < kIrChipItems.size(); ++i)
        EXPECT_EQ(kIrChipItems[i], ir[i]) << i;
    EXPECT_STREQ(kUsbChipItems[0], "ZENTRA/万能+usb+红外");
    EXPECT_STREQ(kUsbChipItems[1], "R50/R73/USB");
    EXPECT_STREQ(kChipGroupCaption, "Quorin Chip Model");
}

TEST(ChipKind, ValuesBeyondTheGroupSelectItsLastItem) {
    struct Case {
        uint8_t commType;
        uint8_t chipKind;
        int item;
    };
    const Case cases[] = {
        {0, 0, 0},   {0, 3, 3}, {0, 12, 12}, {0, 13, 12}, {0, 255, 12}, // IR chip group
        {1, 0, 0},   {1, 1, 1}, {1, 2, 1},   {2, 5, 1},   {1, 255, 1},  // USB chip group
        {7, 255, 1},                                                    // unknown: USB group
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChipGroupItemIndex(c.commType, c.chipKind), c.item)
            << int{c.commType} << "/" << int{c.chipKind};
}

TEST(ChipKind, CodeTabsFollowTheKindWhenShownAndTheIrGroupWhenClicked) {
    for (int kind : {0, 1, 2, 10, 11, 12, 255})
        EXPECT_FALSE(CodeTabsVisibleForKind(kind)) << kind;
    for (int kind = 3; kind <= 9; ++kind)
        EXPECT_TRUE(CodeTabsVisibleForKind(kind)) << kind;
    for (int index : {-1, 0, 2})
        EXPECT_FALSE(CodeTabsVisibleForIrSelection(index)) << index;
    for (int index : {3, 9, 10, 12})
        EXPECT_TRUE(CodeTabsVisibleForIrSelection(index)) << index;
    EXPECT_TRUE(IsFixedCodeKind(3));
    EXPECT_FALSE(IsUniversalKind(3));
    EXPECT_TRUE(IsUniversalKind(4));
    EXPECT_TRUE(IsUniversalKind(9));
    EXPECT_FALSE(IsUniversalKind(10));
}

TEST(ChipKind, GroupVisibilityAndStoredValuesFollowTheSelection) {
    EXPECT_TRUE(IrChipGroupVisible(0));
    for (int index : {-1, 1, 2})
        EXPECT_FALSE(IrChipGroupVisible(index)) << index;

    EXPECT_EQ(ChipKindFromSelection(-1), 255);
    EXPECT_EQ(ChipKindFromSelection(0), 0);
    EXPECT_EQ(ChipKindFromSelection(12), 12);

    for (int commType : {0, 1, 2})
        EXPECT_EQ(CommTypeItemIndex(static_cast<uint8_t>(commType)), commType);
    EXPECT_EQ(CommTypeItemIndex(3), -1);
    EXPECT_EQ(CommTypeItemIndex(255), -1);
    EXPECT_EQ(CommTypeFromSelection(2, 0), 2);
    EXPECT_EQ(CommTypeFromSelection(-1, 7), 7); // a stored value the list lacks is kept
}

TEST(ChipKind, FirstCodeTabCaptionNamesTheFixedCodeKind) {
    EXPECT_STREQ(CodeTabCaption(3), "Fixed Code");
    for (int kind : {0, 4, 9, 10, 255})
        EXPECT_STREQ(CodeTabCaption(kind), "Universal Code") << kind;
    EXPECT_STREQ(kProtocolTabCaption, "Universal protocol");
}

} // namespace
} // namespace mm
