#include "model/ModelRecord.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

TEST(ModelRecord, NewRecordIsAllZero) {
    const TMyModelRecord record;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&record.Fixed());
    for (size_t i = 0; i < sizeof(TModelFixedPart); ++i)
        ASSERT_EQ(bytes[i], 0) << "byte " << i;
    EXPECT_TRUE(record.Blob.empty());
}

TEST(ModelRecord, NormalCountHalvesTheTableWithShift) {
    TMyModelRecord record;
    record.KeyCount = 10;
    EXPECT_EQ(NormalCount(record), 10);
    record.HasShift = 1;
    EXPECT_EQ(NormalCount(record), 5);
}

TEST(ModelRecord, TextUsesOnlyItsLengthAndCutsOnAssign) {
    TMyModelRecord record;
    std::memcpy(record.BtnInfo[0].Name.Chars, "PowerXYZ", 8);
    record.BtnInfo[0].Name.Len = 3;
    EXPECT_EQ(record.BtnInfo[0].Name.Str(), "Pow");
    record.ModelType.Assign("abcdefghijklmnopqrstuvwxy");
    EXPECT_EQ(record.ModelType.Str(), "abcdefghijklmnopqrs");
    record.Remark.Len = 200; // damaged length: never read past the field
    EXPECT_EQ(record.Remark.Str().size(), 4u);
}

TEST(ModelRecord, CopiesNeverShareTheBlob) {
    TMyModelRecords models(1);
    models[0].Blob = {1, 2, 3};
    models.push_back(models[0]);
    models[1].Blob[0] = 9;
    EXPECT_EQ(models[0].Blob[0], 1);
}

TEST(ModelRecord, PictureBytesStayInsideTheBlob) {
    TMyModelRecord record;
    record.Blob = {1, 2, 3};
    for (int32_t size : {0, -1, 4, INT32_MIN})
        EXPECT_TRUE((record.PicSize = size, PictureBytes(record).empty())) << size;
    record.PicSize = 2;
    EXPECT_EQ(PictureBytes(record).size(), 2u);
}

TEST(ModelRecord, MarkReservedSetsEveryEntryOfEveryRecord) {
    TMyModelRecords models(2);
    MarkReserved(models);
    for (const auto& record : models)
        for (const auto& key : record.BtnInfo)
            ASSERT_EQ(key.Reserved, 255);
}

TEST(ModelRecord, IdentifiersFoundAndLowestFreeChosen) {
    TMyModelRecords models(3);
    models[0].ModelID = 0;
    models[1].ModelID = 1;
    models[2].ModelID = 3;
    EXPECT_EQ(FindModelByID(models, 3), 2);
    EXPECT_EQ(FindModelByID(models, 2), -1);
    EXPECT_EQ(LowestFreeModelID(models), 2);
    EXPECT_EQ(LowestFreeModelID({}), 0);
    TMyModelRecords full(65536);
    for (size_t i = 0; i < full.size(); ++i)
        full[i].ModelID = static_cast<uint16_t>(i);
    EXPECT_EQ(LowestFreeModelID(full), 0);
}

} // namespace
} // namespace mm
