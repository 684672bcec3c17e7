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

TEST(FileStream, OpenAndReadErrorsNameTheFileAndTheReason) {
    test::TempDir dir;
    const std::string missing = dir.File("none.bin");
    const struct {
        std::string name;
        const char* reason;
    } cases[] = {
        {missing, "No such file or directory."},
        {dir.Dir(), "Is a directory."},
    };
    for (const auto& c : cases) {
        try {
            TFileStream stream(c.name, TFileStream::Mode::OpenRead);
            ADD_FAILURE() << c.name;
        } catch (const FileOpenError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Cannot open file \"" + c.name + "\". " + c.reason);
        }
    }
    // The start of the process's own memory cannot be read: the system's error, not an end.
    TFileStream memory("/proc/self/mem", TFileStream::Mode::OpenRead);
    uint8_t buffer[16];
    try {
        memory.Read(buffer, sizeof buffer);
        FAIL();
    } catch (const FileReadError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot read file \"/proc/self/mem\". Input/output error.");
    }
}

} // namespace
} // namespace mm
