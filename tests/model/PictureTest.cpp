#include "model/Picture.h"
#include "ModelBytes.h"
#include "TestSupport.h"
#include "model/CodePages.h"
#include "model/ModelFile.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

using test::Bytes;

TEST(Picture, OnlyJpgAndJpegExtensionsAreTaken) {
    for (const char* name : {"a.JPEG", "a.jpeg", "a.JPG", "a.jpg", "a.JpG", "/x.y/b.c.jpg", ".jpg"})
        EXPECT_TRUE(HasJpegExtension(name)) << name;
    for (const char* name : {"a.jpe", "a", "a.png", "a.jpg.bak", "/dir.jpg/a", "a.", "jpg", ""})
        EXPECT_FALSE(HasJpegExtension(name)) << name;
}

class PictureFile : public testing::Test {
protected:
    test::TempDir dir;

    std::string Write(const std::string& name, size_t size) {
        Bytes bytes(size);
        for (size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<uint8_t>(i * 7);
        test::WriteBytes(dir.File(name), bytes);
        return dir.File(name);
    }

    static std::string Refusal(const std::string& fileName) {
        try {
            ReadPictureFile(fileName);
        } catch (const PictureRefused& refused) {
            return refused.what();
        }
        return "accepted";
    }
};

TEST_F(PictureFile, ExactlyOneHundredKIsTakenOneByteMoreRefused) {
    const std::string limit = Write("limit.JPEG", 100 * 1024);
    const TSSByteArray bytes = ReadPictureFile(limit);
    EXPECT_EQ(bytes, test::ReadBytes(limit));
    EXPECT_EQ(Refusal(Write("over.jpg", 100 * 1024 + 1)),
              "the image file can not bigger than 100K");
    EXPECT_EQ(Refusal(Write("small.jpg", 10)), "accepted");
}

TEST_F(PictureFile, WrongExtensionIsRefusedBeforeTheFileIsOpened) {
    EXPECT_EQ(Refusal(dir.File("missing.jpe")), "Must be jpg image file");
    EXPECT_EQ(Refusal(Write("big.png", 200 * 1024)), "Must be jpg image file");
    EXPECT_THROW(ReadPictureFile(dir.File("missing.jpg")), FileOpenError);
}

// A universal model with a 3-byte picture, codes 5 | 18 << 16 and 7, and protocol number 23.
TMyModelRecord UniversalModel() {
    TMyModelRecord r;
    r.ChipKind = 5;
    r.PicSize = 3;
    r.UniversalCount = 2;
    r.ProtocolCount = 1;
    r.Blob = {0xFF, 0xD8, 0x01, 5, 0, 18, 0, 7, 0, 0, 0, 23, 0};
    r.BlobSize = 13;
    return r;
}

TEST(Picture, ReplacingKeepsTheCodeRegionBehindTheNewPicture) {
    TMyModelRecord r = UniversalModel();
    r.Blob.push_back(0x99); // bytes beyond BlobSize are not the record's
    ReplacePicture(r, {0xFF, 0xD8, 0xEE, 0xEE, 0xD9});
    const Bytes expected = {0xFF, 0xD8, 0xEE, 0xEE, 0xD9, 5, 0, 18, 0, 7, 0, 0, 0, 23, 0};
    EXPECT_EQ(r.Blob, expected);
    EXPECT_EQ(int32_t{r.PicSize}, 5);
    EXPECT_EQ(int32_t{r.BlobSize}, 15);
    EXPECT_EQ(int32_t{r.UniversalCount}, 2);
    EXPECT_EQ(int32_t{r.ProtocolCount}, 1);
}

TEST(Picture, ReplacingDropsARegionBlobDoesNotHold) {
    for (int32_t blobSize : {20, 2, -1}) {
        TMyModelRecord r = UniversalModel();
        r.BlobSize = blobSize;
        ReplacePicture(r, {1, 2});
        EXPECT_EQ(r.Blob, (Bytes{1, 2})) << blobSize;
        EXPECT_EQ(int32_t{r.BlobSize}, 2) << blobSize;
        EXPECT_EQ(int32_t{r.UniversalCount}, 0) << blobSize;
        EXPECT_EQ(int32_t{r.ProtocolCount}, 0) << blobSize;
    }
}

TEST(Picture, LoadingIntoAUniversalModelThenStoringAndSaving) {
    TMyModelRecords models(1, UniversalModel());
    TMyModelRecord& r = models[0];
    const TCodePages pages = CodePagesFromRecord(r, true);
    const Bytes picture(40, 0xAB);
    ReplacePicture(r, picture);
    StoreCodePages(r, pages.Memo1, pages.Memo2);
    EXPECT_EQ(int32_t{r.PicSize}, 40);
    EXPECT_EQ(int32_t{r.BlobSize}, r.PicSize + 4 * r.UniversalCount + 2 * r.ProtocolCount);
    EXPECT_EQ(int32_t{r.BlobSize}, 40 + 8 + 2);

    TMemoryStream file;
    WriteModels(file, models, 0);
    const Bytes& bytes = file.Bytes();
    const size_t blob = 512 + 3280;
    ASSERT_EQ(bytes.size(), blob + 50);
    EXPECT_EQ(Bytes(bytes.begin() + blob, bytes.begin() + blob + 40), picture);
    EXPECT_EQ(test::GetI32(bytes, blob + 40), 5 + 18 * 65536);
    EXPECT_EQ(test::GetI32(bytes, blob + 44), 7);
    EXPECT_EQ(bytes[blob + 48], 23);
}

TEST(Picture, LoadingIntoAModelWithoutCodesThenStoring) {
    TMyModelRecord r;
    r.ChipKind = 1;
    r.PicSize = 3;
    r.BlobSize = 3;
    r.Blob = {1, 2, 3};
    ReplacePicture(r, Bytes(9, 4));
    StoreCodePages(r, {}, {});
    EXPECT_EQ(int32_t{r.PicSize}, 9);
    EXPECT_EQ(int32_t{r.BlobSize}, 9);
    EXPECT_EQ(r.Blob, Bytes(9, 4));
}

TEST(Picture, PresenceAndBytesStayWithinBlob) {
    TMyModelRecord r = UniversalModel();
    EXPECT_TRUE(HasPicture(r));
    EXPECT_EQ(PictureBytes(r).size(), 3u);
    r.PicSize = 1000; // damaged: still a picture, but no bytes to decode
    EXPECT_TRUE(HasPicture(r));
    EXPECT_TRUE(PictureBytes(r).empty());
    r.PicSize = 0;
    EXPECT_FALSE(HasPicture(r));
}

} // namespace
} // namespace mm
