#include "model/ModelFile.h"
#include "FileFaults.h"
#include "ModelBytes.h"
#include "TestSupport.h"
#include "model/RemoteFile.h"
#include "platform/Errors.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace mm {
namespace {

using test::Bytes;

TMyModelRecords Read(const Bytes& file, bool* ok = nullptr) {
    TMemoryStream stream(file);
    TMyModelRecords models;
    const bool read = ReadModels(stream, models);
    if (ok)
        *ok = read;
    return models;
}

Bytes Written(const TMyModelRecords& models, double saveTime = 0) {
    TMemoryStream stream;
    WriteModels(stream, models, saveTime);
    return stream.TakeBytes();
}

TEST(ModelFile, EmptyDatabaseIsJustTheHeader) {
    const Bytes file = Written({}, 45000.5);
    ASSERT_EQ(file.size(), 512u);
    EXPECT_EQ(test::GetI32(file, 0), 0);
    EXPECT_EQ(file[4], 0);
    EXPECT_EQ(file[260], 0x03);
    EXPECT_EQ(file[261], 0xF0);
    EXPECT_EQ(file[262], 19);
    EXPECT_EQ(std::string(file.begin() + 263, file.begin() + 282), "this is quorin file");
    double saveTime = 0;
    std::memcpy(&saveTime, file.data() + 328, 8);
    EXPECT_EQ(saveTime, 45000.5);
    for (size_t i : {size_t{282}, size_t{327}, size_t{336}, size_t{511}})
        EXPECT_EQ(file[i], 0) << i;
    bool ok = false;
    EXPECT_TRUE(Read(file, &ok).empty());
    EXPECT_TRUE(ok);
}

TEST(ModelFile, RecordsFollowEachOtherWithTheirBlobs) {
    TMyModelRecords models(2);
    models[0].ModelID = 0x1234;
    models[0].Blob = {7, 7, 7}; // longer than BlobSize 0: only BlobSize bytes belong to it
    models[1].BlobSize = 5;
    models[1].Blob = {1, 2, 3, 4, 5};
    models[1].ModelType.Assign("TV");
    const Bytes file = Written(models);
    ASSERT_EQ(file.size(), 7077u);
    EXPECT_EQ(file[512 + 3128], 0x34);
    EXPECT_EQ(file[512 + 3280 + 3101], 2);

    const TMyModelRecords back = Read(file);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].ModelID, 0x1234);
    EXPECT_TRUE(back[0].Blob.empty());
    EXPECT_EQ(back[1].Blob, models[1].Blob);
    EXPECT_EQ(back[1].ModelType.Str(), "TV");
    EXPECT_EQ(Written(back), file);
}

TEST(ModelFile, FixedPartIsWrittenFromMemoryByteForByte) {
    Bytes record = test::CurrentRecord(5, "A");
    record[3101 + 5] = 'z'; // leftover after the text
    record[23] = 0xAB;      // Spare of the first key
    record[3126] = 0x11;    // Spare1
    Bytes file = test::Header(1);
    test::Append(file, record);
    const Bytes again = Written(Read(file));
    EXPECT_TRUE(std::equal(record.begin(), record.end(), again.begin() + 512));
}

TEST(ModelFile, CountLimitsAndUnreadableLayouts) {
    struct Case {
        int32_t count;
        uint16_t version;
        bool read;
    } cases[] = {
        {10000, 0xF003, true}, {10001, 0xF003, false}, {-1, 0xF003, false}, {0, 0xF003, true}};
    for (const Case& c : cases) {
        bool ok = !c.read;
        Read(test::Header(c.count, c.version), &ok);
        EXPECT_EQ(ok, c.read) << c.count;
    }
}

TEST(ModelFile, ShortFileGivesZeroFilledRecordsOnlyForBytesThatExist) {
    Bytes file = test::Header(3);
    Bytes record = test::CurrentRecord(9, "X", 1000);
    test::Append(file, record);
    file.insert(file.end(), {1, 2, 3}); // 3 of the 1000 blob bytes
    const TMyModelRecords models = Read(file);
    ASSERT_EQ(models.size(), 1u); // the two records the file never began are not invented
    EXPECT_EQ(models[0].Blob, (TSSByteArray{1, 2, 3}));
    EXPECT_EQ(models[0].BlobSize, 3);

    Bytes truncated = test::Header(1);
    truncated.push_back(0x77); // a record cut after its first byte
    const TMyModelRecords partial = Read(truncated);
    ASSERT_EQ(partial.size(), 1u);
    EXPECT_EQ(partial[0].BtnInfo[0].Name.Len, 0x77);
    EXPECT_EQ(partial[0].ModelID, 0);
}

TEST(ModelFile, RoomIsReservedOnlyForRecordsTheBytesCanHold) {
    const struct {
        uint16_t version;
        size_t records; // whole or begun
        size_t recordBytes;
    } cases[] = {{0xF003, 0, 0}, {0xF003, 1, 3280}, {0xF003, 2, 3281}, {0x0000, 1, 3281}};
    for (const auto& c : cases) {
        Bytes file = test::Header(10000, c.version);
        file.resize(file.size() + c.recordBytes);
        TMemoryStream stream(file);
        TMyModelRecords models;
        ASSERT_TRUE(ReadModels(stream, models));
        EXPECT_EQ(models.size(), c.records) << c.recordBytes;
        EXPECT_LE(models.capacity(), c.records) << c.recordBytes;
    }
}

TEST(ModelFile, KeyCountBeyondTheTableIsKeptWithinIt) {
    for (uint8_t stored : {124, 125, 154, 176, 206, 255}) {
        Bytes file = test::Header(1);
        Bytes record = test::CurrentRecord(1, "A");
        record[3127] = stored;
        test::Append(file, record);
        EXPECT_EQ(Read(file)[0].KeyCount, kMaxKeyEntries) << int{stored};
        // The same record as an exchange file.
        TMemoryStream exchange(record);
        TMyModelRecord single;
        ASSERT_TRUE(ReadRemoteRecord(exchange, single));
        EXPECT_EQ(single.KeyCount, kMaxKeyEntries) << int{stored};
    }
}

TEST(ModelFile, HostileBlobSizesAllocateNothingBeyondTheFile) {
    for (int32_t claimed : {-5, INT32_MIN, INT32_MAX}) {
        Bytes file = test::Header(1);
        test::Append(file, test::CurrentRecord(1, "A", claimed));
        const TMyModelRecords models = Read(file);
        ASSERT_EQ(models.size(), 1u);
        EXPECT_TRUE(models[0].Blob.empty()) << claimed;
        EXPECT_EQ(models[0].BlobSize, 0) << claimed;
    }
}

class ModelFileOnDisk : public testing::Test {
protected:
    test::TempDir dir;
    std::string Path() const { return ModelDatabasePath(dir.Dir()); }
};

TEST_F(ModelFileOnDisk, MissingFileLoadsNothing) {
    TMyModelRecords models(2);
    const TModelFileLoad load = LoadModelFile(Path(), models);
    EXPECT_FALSE(load.Exists);
    EXPECT_FALSE(load.KeepOnSave());
    EXPECT_TRUE(models.empty());
}

TEST_F(ModelFileOnDisk, AFolderOrAnUnreadableNameIsNoMissingFile) {
    std::filesystem::create_directories(Path());
    TMyModelRecords models;
    try {
        LoadModelFile(Path(), models);
        FAIL();
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + Path() + "\". Is a directory.");
    }
}

TEST_F(ModelFileOnDisk, ASaveWaitsForAnotherWriterThenFailsAndChangesNothing) {
    std::filesystem::create_directory(dir.Dir() + "data");
    SaveModelFile(Path(), TMyModelRecords(1), 0);
    const Bytes before = test::ReadBytes(Path());
    const int other = open(Path().c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    try {
        SaveModelFile(Path(), TMyModelRecords(3), 0);
        FAIL();
    } catch (const FileLockedError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot lock file \"" + Path() + "\". It is being written by another program.");
    }
    close(other);
    EXPECT_EQ(test::ReadBytes(Path()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Dir() + "data"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ModelFileOnDisk, TheBackupIsMadeBeforeTheNewFileTakesTheName) {
    std::filesystem::create_directory(dir.Dir() + "data");
    const Bytes refused = test::Header(10001);
    test::WriteBytes(Path(), refused);
    {
        // The new file cannot be put in place: the database keeps its bytes, and its copy is
        // there as well.
        const test::FileFault fault(test::FileCall::Renameat, EIO, 2);
        EXPECT_THROW(SaveModelFile(Path(), TMyModelRecords(1), 0, true), FileCreateError);
    }
    EXPECT_EQ(test::ReadBytes(Path()), refused);
    EXPECT_EQ(test::ReadBytes(Path() + ".bak"), refused);
    SaveModelFile(Path(), TMyModelRecords(1), 0, true);
    EXPECT_EQ(test::ReadBytes(Path() + ".bak"), refused);
    EXPECT_EQ(test::ReadBytes(Path()).size(), 512u + 3280);
}

TEST_F(ModelFileOnDisk, SaveThenLoadAndEveryReservedByteIs255) {
    std::filesystem::create_directory(dir.Dir() + "data");
    TMyModelRecords models(2);
    models[1].ModelID = 2;
    MarkReserved(models);
    SaveModelFile(Path(), models, 1.0);
    const Bytes file = test::ReadBytes(Path());
    for (size_t r = 0; r < 2; ++r)
        for (size_t k = 0; k < 124; ++k)
            ASSERT_EQ(file[512 + r * 3280 + k * 25 + 21], 255);
    TMyModelRecords back;
    const TModelFileLoad load = LoadModelFile(Path(), back);
    EXPECT_TRUE(load.Read);
    EXPECT_FALSE(load.KeepOnSave());
    EXPECT_EQ(back.size(), 2u);
}

TEST_F(ModelFileOnDisk, FailedSaveReportsAndKeepsTheOldFile) {
    // No data folder: the standard creation error names the database file.
    try {
        SaveModelFile(Path(), {}, 0);
        FAIL();
    } catch (const FileCreateError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file \"" + Path() + "\". No such file or directory.");
    }
    std::filesystem::create_directory(dir.Dir() + "data");
    SaveModelFile(Path(), TMyModelRecords(1), 0);
    const Bytes before = test::ReadBytes(Path());
    std::filesystem::permissions(Path(), std::filesystem::perms::owner_read);
    EXPECT_THROW(SaveModelFile(Path(), {}, 0), FileOpenError);
    EXPECT_EQ(test::ReadBytes(Path()), before);
}

TEST_F(ModelFileOnDisk, RefusedFileIsKeptAsBackupByTheNextSave) {
    std::filesystem::create_directory(dir.Dir() + "data");
    const Bytes refused = test::Header(10001);
    test::WriteBytes(Path(), refused);
    TMyModelRecords models;
    const TModelFileLoad load = LoadModelFile(Path(), models);
    EXPECT_TRUE(load.Exists);
    EXPECT_FALSE(load.Read);
    EXPECT_TRUE(load.KeepOnSave());
    SaveModelFile(Path(), models, 0, load.KeepOnSave());
    EXPECT_EQ(test::ReadBytes(Path() + ".bak"), refused);
    EXPECT_EQ(test::ReadBytes(Path()).size(), 512u);
}

} // namespace
} // namespace mm
