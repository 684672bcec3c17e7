// Every file the model layer writes goes through the one writer: a full disk leaves the file
// that was there whole and says why, and a link or a mode survives the write.
#include "FileFaults.h"
#include "TestSupport.h"
#include "model/JsonExport.h"
#include "model/ModelFile.h"
#include "model/Picture.h"
#include "model/RemoteFile.h"
#include "model/uUniversalModel.h"
#include "platform/Errors.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace mm {
namespace {

namespace fs = std::filesystem;

TMyModelRecord Model() {
    TMyModelRecord m;
    m.ModelID = 0x0A01;
    m.ModelType.Assign("TV");
    m.PageCount = 1;
    m.KeyCount = 1;
    m.BtnInfo[0].Name.Assign("Power");
    m.PicSize = m.BlobSize = 4;
    m.Blob = {0xFF, 0xD8, 0xFF, 0xD9};
    return m;
}

const struct {
    const char* what;
    std::function<void(const std::string&)> write;
} kWriters[] = {
    {"database",
     [](const std::string& f) {
         SaveModelFile(f, {Model(), Model()}, 0);
     }},
    {"exchange file", [](const std::string& f) { WriteRemoteFile(f, Model()); }},
    {"JSON export", [](const std::string& f) { SaveJsonExport(f, {Model()}); }},
    {"brand list", [](const std::string& f) { SaveBrandList(f, TMDFYFile(), TCodeMap()); }},
    {"picture", [](const std::string& f) { WriteWholeFile(f, Model().Blob.data(), 4); }},
};

TEST(ModelFileWriters, AFullDiskLeavesThePreviousFileWholeAndSaysWhy) {
    for (const auto& w : kWriters) {
        SCOPED_TRACE(w.what);
        test::TempDir dir;
        const std::string file = dir.File("out");
        const std::vector<uint8_t> previous(5000, 'p');
        test::WriteBytes(file, previous);
        try {
            const test::FileFault full(test::FileCall::Write, ENOSPC);
            w.write(file);
            ADD_FAILURE() << "no error";
        } catch (const WriteError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Stream write error in file \"" + file + "\". No space left on device.");
        }
        EXPECT_EQ(test::ReadBytes(file), previous);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Dir()), fs::directory_iterator()), 1);
    }
}

TEST(ModelFileWriters, ALinkAndAModeSurviveTheWrite) {
    for (const auto& w : kWriters) {
        SCOPED_TRACE(w.what);
        test::TempDir dir;
        const std::string real = dir.File("real");
        test::WriteBytes(real, {1});
        chmod(real.c_str(), 0600);
        fs::create_symlink("real", dir.File("link"));
        w.write(dir.File("link"));
        EXPECT_TRUE(fs::is_symlink(dir.File("link")));
        EXPECT_GT(fs::file_size(real), 1u);
        struct stat info {};
        stat(real.c_str(), &info);
        EXPECT_EQ(info.st_mode & 07777, 0600u);
    }
}

} // namespace
} // namespace mm
