#include "model/ModelRecord.h"
#include "platform/Errors.h"

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

TEST(ModelRecord, IdentifierTextIsHexadecimalKeptTo16Bits) {
    EXPECT_EQ(ModelIdFromText("1a"), 0x001A);
    EXPECT_EQ(ModelIdFromText("12345"), 0x2345);
    EXPECT_EQ(ModelIdFromText(""), 0);
    EXPECT_EQ(ModelIdFromText("FFFFFFFF"), 0xFFFF);
    EXPECT_EQ(TryModelIdFromText("1a"), 0x001A);
    for (const char* bad : {"1g", " 1", "-1", "0x1", "123456789"}) {
        EXPECT_EQ(TryModelIdFromText(bad), std::nullopt) << bad;
        try {
            ModelIdFromText(bad);
            ADD_FAILURE() << bad;
        } catch (const ConvertError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "'$" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

// Records made in a catalogue keep their blobs in its memory, however they got there; moving
// or swapping catalogues takes the memory along, and a copy is a catalogue of its own.
TEST(ModelRecord, RecordsAndBlobsLiveInTheirCatalogue) {
    const auto inside = [](const TMyModelRecords& models) {
        for (const TMyModelRecord& record : models)
            if (record.Blob.get_allocator().resource() != models.Memory())
                return false;
        return models.get_allocator().Resource() == models.Memory();
    };
    TMyModelRecord loose;
    loose.Blob = {1, 2, 3};
    TMyModelRecords models(2);
    models[0].Blob = {4, 5};
    models.push_back(loose);
    models.push_back(models[0]);
    models.emplace_back(std::move(loose));
    models.erase(models.begin());
    ASSERT_TRUE(inside(models));
    EXPECT_EQ(models[1].Blob, (TSSByteArray{1, 2, 3}));
    EXPECT_EQ(models[2].Blob, (TSSByteArray{4, 5}));

    TMyModelRecords copy = models;
    EXPECT_NE(copy.Memory(), models.Memory());
    EXPECT_TRUE(inside(copy));
    EXPECT_EQ(copy[1].Blob, models[1].Blob);

    TCatalogueMemory* const memory = models.Memory();
    TMyModelRecords moved = std::move(models);
    EXPECT_EQ(moved.Memory(), memory);
    EXPECT_TRUE(inside(moved));
    models.push_back(moved[1]); // a moved-from catalogue is usable again
    EXPECT_EQ(models[0].Blob, (TSSByteArray{1, 2, 3}));

    copy = std::move(moved);
    EXPECT_EQ(copy.Memory(), memory);
    EXPECT_TRUE(inside(copy));
    copy.swap(moved);
    EXPECT_EQ(moved.Memory(), memory);
    EXPECT_TRUE(inside(moved));
    EXPECT_TRUE(copy.empty());
    EXPECT_EQ(moved[2].Blob, (TSSByteArray{4, 5}));
}

TEST(ModelRecord, NameSearchTakesTheFirstRecordHoldingTheText) {
    TMyModelRecords models(3);
    models[0].ModelType.Assign("AB");
    models[1].ModelType.Assign("xaby");
    models[2].ModelType.Assign("ab");
    EXPECT_EQ(FindModelByName(models, " ab "), 1);
    EXPECT_EQ(FindModelByName(models, "AB"), 0);
    EXPECT_EQ(FindModelByName(models, "   "), -1);
    EXPECT_EQ(FindModelByName(models, "zz"), -1);
}

} // namespace
} // namespace mm
