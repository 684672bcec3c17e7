#include "model/RemoteFile.h"
#include "ModelBytes.h"
#include "TestSupport.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

using test::Bytes;

// A file of the given size with int32 fields set at the given offsets.
Bytes SizedFile(size_t size, std::initializer_list<std::pair<size_t, int32_t>> fields) {
    Bytes b(size, 0);
    for (const auto& [at, value] : fields)
        test::PutI32(b, at, value);
    return b;
}

std::optional<TRecordLayout> LayoutOf(const Bytes& file) {
    TMemoryStream stream(file);
    return RemoteFileLayout(stream);
}

TEST(RemoteFile, SizeTestsPickTheLayout) {
    using L = TRecordLayout;
    const struct {
        const char* what;
        Bytes file;
        std::optional<TRecordLayout> layout;
    } cases[] = {
        {"F003", SizedFile(3280 + 5, {{3276, 5}}), L::F003},
        {"F003 without blob", SizedFile(3280, {}), L::F003},
        {"3279 bytes", SizedFile(3279, {}), std::nullopt},
        {"empty", {}, std::nullopt},
        {"F002", SizedFile(3032 + 16, {{3028, 16}}), L::F002},
        {"F001", SizedFile(2733 + 10, {{2729, 10}}), L::F001},
        {"F000", SizedFile(2728 + 4, {{166, 4}}), L::F000},
        {"1237", SizedFile(3198 + 20, {{166, 20}}), L::V1237},
        {"1237 one byte long", SizedFile(3198 + 21, {{166, 20}}), L::V1237},
        {"1236 passes the tolerant 1237 test too", SizedFile(3197 + 21, {{166, 21}}), L::V1236},
        {"1236 without picture", SizedFile(3197, {}), L::V1236},
        {"1235", SizedFile(2838 + 5, {{166, 5}}), L::V1235},
        {"1234", SizedFile(2505 + 7, {{2497, 7}}), L::V1234},
        {"1234 size field elsewhere", SizedFile(2505 + 7, {{166, 7}}), std::nullopt},
        {"oldest", SizedFile(103860, {}), L::Oldest},
        {"oldest over 1235", SizedFile(103860, {{166, 103860 - 2838}}), L::Oldest},
        {"first group before oldest", SizedFile(103860, {{3276, 103860 - 3280}}), L::F003},
        {"first match of the first group", SizedFile(3280 + 252, {{3276, 252}, {3028, 500}}),
         L::F003},
        {"negative size field", SizedFile(3280, {{3276, -3280}}), std::nullopt},
        {"fits nothing", SizedFile(5000, {}), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayoutOf(c.file), c.layout) << c.what;
}

// Claims an enormous size and counts the bytes asked of it.
class HugeStream : public TStream {
public:
    size_t Read(void* buffer, size_t count) override {
        const size_t n = static_cast<size_t>(std::min<int64_t>(count, Size() - position_));
        std::memset(buffer, 0x11, n);
        position_ += static_cast<int64_t>(n);
        bytesRead += n;
        return n;
    }
    size_t Write(const void*, size_t) override { return 0; }
    int64_t Size() const override { return int64_t{1} << 40; }
    int64_t Position() const override { return position_; }
    void SetPosition(int64_t position) override { position_ = position; }

    size_t bytesRead = 0;

private:
    int64_t position_ = 0;
};

TEST(RemoteFile, AHugeFileThatFitsNothingIsNotReadWhole) {
    HugeStream stream;
    TMyModelRecord record;
    EXPECT_FALSE(ReadRemoteRecord(stream, record));
    EXPECT_LE(stream.bytesRead, 64u);
}

TEST(RemoteFile, ReadsAnOldLayoutFromItsFile) {
    Bytes file(3197 + 3, 0);
    test::PutText(file, 0, "Old TV");
    file[32] = 1;
    test::PutU16(file, 33, 0x0777);
    test::PutI32(file, 166, 3);
    test::PutText(file, 174, "Power");
    file[3197] = 0xAA;
    TMemoryStream stream(file);
    TMyModelRecord record;
    record.Remark.Assign("old"); // whatever the record held before is gone
    ASSERT_TRUE(ReadRemoteRecord(stream, record));
    EXPECT_EQ(record.ModelType.Str(), "Old TV");
    EXPECT_EQ(+record.ModelID, 0x0777);
    EXPECT_EQ(record.KeyCount, 1);
    EXPECT_EQ(record.BtnInfo[0].Name.Str(), "Power");
    EXPECT_EQ(record.Remark.Len, 0);
    EXPECT_EQ(record.Blob, (TSSByteArray{0xAA, 0, 0}));
}

TEST(RemoteFile, ARefusedFileLeavesAZeroRecord) {
    TMemoryStream stream(SizedFile(5000, {}));
    TMyModelRecord record;
    record.ModelID = 9;
    record.Blob = {1};
    EXPECT_FALSE(ReadRemoteRecord(stream, record));
    EXPECT_EQ(+record.ModelID, 0);
    EXPECT_TRUE(record.Blob.empty());
}

TMyModelRecord Model(uint16_t id, int32_t blobSize) {
    TMyModelRecord m;
    m.ModelID = id;
    m.ModelType.Assign("Model");
    m.PageCount = 1;
    m.PicSize = blobSize;
    m.BlobSize = blobSize;
    m.Blob.resize(static_cast<size_t>(blobSize));
    for (size_t i = 0; i < m.Blob.size(); ++i)
        m.Blob[i] = static_cast<uint8_t>(i * 13);
    return m;
}

bool SameModel(const TMyModelRecord& a, const TMyModelRecord& b) {
    return std::memcmp(&a.Fixed(), &b.Fixed(), sizeof(TModelFixedPart)) == 0 && a.Blob == b.Blob;
}

class RemoteFileOnDisk : public testing::Test {
protected:
    test::TempDir dir;
    std::string file = dir.File("remote.bin");
};

TEST_F(RemoteFileOnDisk, ExportedModelImportsIdentically) {
    const TMyModelRecord model = Model(0x00A1, 5000);
    WriteRemoteFile(file, model);
    EXPECT_EQ(test::ReadBytes(file).size(), 8280u);
    EXPECT_EQ(RemoteFileLayout(file), TRecordLayout::F003);
    TMyModelRecord imported;
    ASSERT_TRUE(ReadRemoteFile(file, imported));
    TMyModelRecords models(1);
    models[0].ModelID = 1;
    EXPECT_EQ(ImportRemote(models, imported), 1);
    ASSERT_EQ(models.size(), 2u);
    EXPECT_TRUE(SameModel(models[1], model));
}

TEST_F(RemoteFileOnDisk, ExportWritesOnlyTheBlobBytesThatBelongToTheModel) {
    TMyModelRecord model = Model(0x0042, 10);
    model.Blob.resize(300, 0xEE); // left over after a chip-kind change
    WriteRemoteFile(file, model);
    EXPECT_EQ(test::ReadBytes(file).size(), 3290u);
    TMyModelRecord imported;
    ASSERT_TRUE(ReadRemoteFile(file, imported));
    model.Blob.resize(10);
    EXPECT_TRUE(SameModel(imported, model));
}

TEST_F(RemoteFileOnDisk, ImportingTwiceGivesTheLowestFreeID) {
    const TMyModelRecord model = Model(0x0005, 3);
    TMyModelRecords models{Model(0x0005, 0), Model(0x0001, 0)};
    WriteRemoteFile(file, model);
    for (uint16_t expected : {0x0000, 0x0002}) {
        TMyModelRecord imported;
        ASSERT_TRUE(ReadRemoteFile(file, imported));
        const int index = ImportRemote(models, imported);
        ASSERT_EQ(index, static_cast<int>(models.size()) - 1);
        EXPECT_EQ(+models.back().ModelID, expected);
        EXPECT_EQ(models.back().Blob, model.Blob);
    }
    EXPECT_EQ(+models[0].ModelID, 0x0005); // the model already there keeps its identifier
}

TEST(RemoteFile, ImportCopiesOnlyBlobSizeBytesAndStopsAtTheDatabaseLimit) {
    TMyModelRecord imported = Model(7, 4);
    imported.Blob.resize(100, 1);
    TMyModelRecords models;
    ASSERT_EQ(ImportRemote(models, imported), 0);
    EXPECT_EQ(models[0].Blob.size(), 4u);
    EXPECT_EQ(+models[0].ModelID, 7);

    TMyModelRecords full(static_cast<size_t>(kMaxModelCount));
    EXPECT_EQ(ImportRemote(full, imported), -1);
    EXPECT_EQ(full.size(), static_cast<size_t>(kMaxModelCount));
}

TEST_F(RemoteFileOnDisk, FileErrorsNameTheFile) {
    TMyModelRecord record;
    try {
        ReadRemoteFile(dir.File("none"), record);
        FAIL();
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + dir.File("none") + "\". No such file or directory.");
    }
    const std::string out = dir.File("no/such/file");
    try {
        WriteRemoteFile(out, Model(1, 0));
        FAIL();
    } catch (const FileCreateError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file \"" + out + "\". No such file or directory.");
    }
}

} // namespace
} // namespace mm
