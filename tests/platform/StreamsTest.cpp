#include "platform/Streams.h"
#include "TestSupport.h"
#include "platform/Errors.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace mm {
namespace {

TEST(MemoryStream, ShortReadBufferRaisesStreamReadError) {
    TMemoryStream stream(TSSByteArray{1, 2, 3});
    uint8_t buffer[4] = {};
    EXPECT_EQ(stream.Read(buffer, 4), 3u);
    stream.SetPosition(1);
    try {
        stream.ReadBuffer(buffer, 3);
        FAIL();
    } catch (const ReadError& error) {
        EXPECT_STREQ(error.what(), "Stream read error");
    }
}

TEST(MemoryStream, WritesGrowAndOverwrite) {
    TMemoryStream stream;
    stream.WriteValue<uint32_t>(0x04030201);
    stream.SetPosition(2);
    stream.WriteValue<uint16_t>(0x0605);
    stream.WriteValue<uint8_t>(7);
    EXPECT_EQ(stream.Bytes(), (TSSByteArray{1, 2, 5, 6, 7}));
}

TEST(FileStream, OpenErrorsNameTheFileAndTheReason) {
    test::TempDir dir;
    const std::string missing = dir.File("none.bin");
    try {
        TFileStream stream(missing, TFileStream::Mode::OpenRead);
        FAIL();
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + missing + "\". No such file or directory.");
    }
    const std::string inMissingFolder = dir.File("no/such.bin");
    try {
        TFileStream stream(inMissingFolder, TFileStream::Mode::Create);
        FAIL();
    } catch (const FileCreateError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file \"" + inMissingFolder + "\". No such file or directory.");
    }
}

TEST(FileStream, SizeFollowsWritesAndSeeks) {
    test::TempDir dir;
    TFileStream stream(dir.File("s.bin"), TFileStream::Mode::Create);
    stream.WriteValue<uint32_t>(1);
    stream.SetPosition(1);
    stream.WriteValue<uint8_t>(2);
    EXPECT_EQ(stream.Size(), 4);
    stream.SetPosition(4);
    stream.WriteValue<uint16_t>(3);
    EXPECT_EQ(stream.Size(), 6);
    EXPECT_EQ(stream.Position(), 6);
}

TEST(AtomicFileWriter, OldFileStaysWholeUntilCommit) {
    test::TempDir dir;
    const std::string name = dir.File("f.bin");
    test::WriteBytes(name, {9, 9});
    {
        TAtomicFileWriter writer(name);
        writer.Stream().WriteValue<uint8_t>(1);
        // Dropped without commit: the old file is untouched and nothing else is left behind.
    }
    EXPECT_EQ(test::ReadBytes(name), (std::vector<uint8_t>{9, 9}));
    EXPECT_FALSE(std::filesystem::exists(name + ".tmp"));

    TAtomicFileWriter writer(name);
    writer.Stream().WriteValue<uint8_t>(1);
    writer.Commit(name + ".bak");
    EXPECT_EQ(test::ReadBytes(name), (std::vector<uint8_t>{1}));
    EXPECT_EQ(test::ReadBytes(name + ".bak"), (std::vector<uint8_t>{9, 9}));
}

TEST(AtomicFileWriter, RefusesAReadOnlyFile) {
    test::TempDir dir;
    const std::string name = dir.File("ro.bin");
    test::WriteBytes(name, {1});
    std::filesystem::permissions(name, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read);
    EXPECT_THROW(TAtomicFileWriter writer(name), FileOpenError);
    EXPECT_EQ(test::ReadBytes(name), (std::vector<uint8_t>{1}));
}

} // namespace
} // namespace mm
