// modeltool against full disks, full standard output, outputs that are inputs, locked and
// shared databases, and inputs that never end.
#include "TestSupport.h"
#include "ToolRunner.h"
#include "hotimage/core/HotSpots.h"
#include "model/BrandTableBytes.h"
#include "model/ModelFile.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace mm {
namespace {

using test::Bytes;
using test::RunShell;
using test::RunTool;
namespace fs = std::filesystem;

const std::string kTool = MODELTOOL;

TMyModelRecords Models(size_t count, size_t pictureBytes, uint8_t keys = 0) {
    TMyModelRecords models(count);
    for (size_t i = 0; i < count; ++i) {
        models[i].ModelID = static_cast<uint16_t>(i);
        models[i].ModelType.Assign("Model " + std::to_string(i));
        models[i].PageCount = 1;
        models[i].KeyCount = keys;
        models[i].Blob.assign(pictureBytes, static_cast<uint8_t>(i));
        models[i].PicSize = models[i].BlobSize = static_cast<int32_t>(pictureBytes);
    }
    // The first is universal, with codes 5=18 and 9=3 behind its picture, for the brand list.
    models[0].ChipKind = 5;
    models[0].UniversalCount = 2;
    for (uint8_t b : {5, 0, 18, 0, 9, 0, 3, 0})
        models[0].Blob.push_back(b);
    models[0].BlobSize += 8;
    return models;
}

class FileSafety : public testing::Test {
protected:
    test::TempDir dir;
    std::string db = dir.File("model.RMF");
    std::string remote = dir.File("remote.db");
    std::string map = dir.File("map.hmt");
    std::string exchange = dir.File("tv.rmt");

    void SetUp() override {
        SaveModelFile(db, Models(3, 10), 0);
        test::WriteBytes(remote, test::Deflated(test::BrandPayload({"A"}, {{0, 5}})));
        const std::string text = "HOTMAP (HotImage v2.2)\r\n\r\n<ID=7,\r\nSHAPE=polyline>\r\n";
        test::WriteBytes(map, Bytes(text.begin(), text.end()));
        ASSERT_EQ(RunTool("export " + db + " 1 " + exchange).status, 0);
    }
};

TEST_F(FileSafety, AFullStandardOutputIsAFailureNamingIt) {
    for (const std::string& args :
         {"dump " + db, "list " + db, "hotmap show " + map, "hotmap check " + db + " 1 " + map,
          "identify " + exchange, "import " + db + " " + exchange + " --out " + dir.File("out.RMF"),
          std::string("--help"), std::string("--version"), std::string("list --help")}) {
        const auto result = RunShell(kTool + " " + args + " 2>&1 >/dev/full");
        EXPECT_EQ(result.status, 1) << args;
        EXPECT_EQ(result.out, "standard output: write error: No space left on device.\n") << args;
    }
    // A closed standard output is no success either.
    const auto closed = RunShell(kTool + " list " + db + " 2>&1 >&-");
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.out, "standard output: write error: Bad file descriptor.\n");
}

TEST_F(FileSafety, AnOutputThatIsAnInputIsRefused) {
    const std::string link = dir.File("link.RMF");
    fs::create_symlink(db, link);
    const struct {
        std::string args;
        std::string input;
        std::string output;
    } cases[] = {
        {"json " + db + " " + db, db, db},
        {"json " + db + " " + link, db, link},
        {"export " + db + " 1 " + db, db, db},
        {"picture " + db + " 1 " + db, db, db},
        {"brands " + db + " 0 " + remote + " " + db, db, db},
        {"brands " + db + " 0 " + remote + " " + remote, remote, remote},
        {"hotmap convert " + map + " " + map, map, map},
        {"hotmap render " + db + " 1 " + map + " " + db, db, db},
        {"hotmap render " + db + " 1 " + map + " " + map, map, map},
        {"import " + db + " " + exchange + " --out " + exchange, exchange, exchange},
    };
    for (const auto& c : cases) {
        const Bytes before = test::ReadBytes(c.input);
        const auto result = RunTool(c.args, true);
        EXPECT_EQ(result.status, 1) << c.args;
        EXPECT_EQ(result.out,
                  c.output + ": is the input file " + c.input + "; nothing was written\n")
            << c.args;
        EXPECT_EQ(test::ReadBytes(c.input), before) << c.args;
    }
    EXPECT_TRUE(fs::is_symlink(link));
}

TEST_F(FileSafety, ErrorsCarryTheSystemsReason) {
    const std::string folder = dir.File("folder");
    fs::create_directory(folder);
    const auto list = RunTool("list " + folder, true);
    EXPECT_EQ(list.status, 1);
    EXPECT_EQ(list.out, folder + ": Cannot open file \"" + folder + "\". Is a directory.\n");

    const std::string text = "加载错误,remote.db文件是否和本exe文件一个目录: ";
    const std::string damaged = dir.File("damaged.db");
    test::WriteBytes(damaged, {'h', 'e', 'l', 'l', 'o'});
    Bytes shortPayload = test::BrandPayload({"A"}, {});
    test::PutI32(shortPayload, 16, 1000);
    const std::string wrongLength = dir.File("short.db");
    test::WriteBytes(wrongLength, test::Deflated(shortPayload));
    const std::string missing = dir.File("none.db");
    const struct {
        std::string table;
        std::string reason;
    } cases[] = {
        {missing, "Cannot open file \"" + missing + "\". No such file or directory."},
        {folder, "Cannot open file \"" + folder + "\". Is a directory."},
        {damaged, "not a valid zlib stream (incorrect header check)"},
        {wrongLength, "the header gives 1000 bytes, the stream inflates to " +
                          std::to_string(shortPayload.size())},
    };
    for (const auto& c : cases) {
        const auto result =
            RunTool("brands " + db + " 0 " + c.table + " " + dir.File("brands.txt"), true);
        EXPECT_EQ(result.status, 1) << c.table;
        EXPECT_EQ(result.out, c.table + ": " + text + c.reason + "\n");
    }
    EXPECT_FALSE(fs::exists(dir.File("brands.txt")));
}

TEST_F(FileSafety, ALockedDatabaseIsLeftAloneWithAMessage) {
    const std::string other = dir.File("other.RMF");
    SaveModelFile(other, Models(1, 1), 0);
    const Bytes before = test::ReadBytes(db);
    const std::vector<std::string> files = dir.Names();
    const int holder = open(db.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    for (const std::string& args : {"save " + other + " " + db, "import " + db + " " + exchange}) {
        const auto result = RunTool(args, true);
        EXPECT_EQ(result.status, 1) << args;
        EXPECT_EQ(result.out, db + ": Cannot lock file \"" + db +
                                  "\". It is being written by another program.\n")
            << args;
    }
    close(holder);
    EXPECT_EQ(test::ReadBytes(db), before);
    EXPECT_EQ(dir.Names(), files);
}

TEST_F(FileSafety, TwoWritersAtOnceLeaveOneWholeOutput) {
    const std::string big = dir.File("big.RMF");
    const std::string small = dir.File("small.RMF");
    SaveModelFile(big, Models(1500, 40000), 0); // 60 MB
    SaveModelFile(small, Models(20, 100), 0);
    // What each writer alone makes of its database, apart from the save time.
    const auto image = [](const std::string& file) {
        Bytes bytes = test::ReadBytes(file);
        if (bytes.size() >= 336)
            std::fill(bytes.begin() + 328, bytes.begin() + 336, 0);
        return bytes;
    };
    const std::string out = dir.File("out.RMF");
    ASSERT_EQ(RunTool("save " + big + " " + out).status, 0);
    const Bytes bigImage = image(out);
    ASSERT_EQ(RunTool("save " + small + " " + out).status, 0);
    const Bytes smallImage = image(out);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        // The second writer starts once the first one's new file has appeared beside the
        // output, that is while the first one writes it.
        const std::string whenFirstWrites =
            "for i in $(seq 1000); do ls out.RMF*.tmp >/dev/null 2>&1 && break; sleep 0.002; done";
        const auto run =
            RunShell("cd " + dir.Dir() + " && { (" + kTool +
                     " save big.RMF out.RMF 2>e1; echo $? >s1) & (" + whenFirstWrites + "; " +
                     kTool + " save small.RMF out.RMF 2>e2; echo $? >s2) & wait; }");
        ASSERT_EQ(run.status, 0);
        const auto status = [&](const char* name) {
            const Bytes text = test::ReadBytes(dir.File(name));
            return std::string(text.begin(), text.end());
        };
        const std::string s1 = status("s1"), s2 = status("s2");
        EXPECT_TRUE(s1 == "0\n" || s1 == "1\n") << s1;
        EXPECT_TRUE(s2 == "0\n" || s2 == "1\n") << s2;
        EXPECT_TRUE(s1 == "0\n" || s2 == "0\n");
        for (const auto& [s, e] : {std::pair{s1, "e1"}, std::pair{s2, "e2"}}) {
            if (s == "1\n") {
                EXPECT_NE(status(e).find("It is being written by another program."),
                          std::string::npos);
            }
        }
        const Bytes now = image(out);
        EXPECT_TRUE((s1 == "0\n" && now == bigImage) || (s2 == "0\n" && now == smallImage));
        for (const std::string& name : dir.Names())
            EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
    }
}

TEST_F(FileSafety, ImportsAtOnceKeepEachOthersModels) {
    const std::string shared = dir.File("shared.RMF");
    SaveModelFile(shared, Models(1, 10), 0);
    std::string command = "cd " + dir.Dir() + " && (";
    for (int i = 0; i < 4; ++i)
        command += std::string(i ? " & " : "") + kTool + " import shared.RMF tv.rmt >/dev/null";
    const auto run = RunShell(command + "; wait)");
    ASSERT_EQ(run.status, 0);
    TMyModelRecords models;
    LoadModelFile(shared, models);
    EXPECT_EQ(models.size(), 5u);
}

// A small file system of its own, where the machine lets an unprivileged user mount one.
bool CanMountTmpfs(const std::string& at) {
    return RunShell("unshare -Urm sh -c 'mount -t tmpfs -o size=64k none " + at +
                    "' >/dev/null 2>&1")
               .status == 0;
}

TEST_F(FileSafety, AFullDiskLeavesThePreviousFileWhole) {
    const std::string disk = dir.File("disk");
    fs::create_directory(disk);
    if (!CanMountTmpfs(disk))
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const std::string big = dir.File("big.RMF");
    SaveModelFile(big, Models(40, 10000, 124), 0); // its file and its JSON pass 400 KB
    // On a disk of 512 KB, 300 KB of it taken by three copies of one previous file.
    const std::string script =
        "mount -t tmpfs -o size=512k none " + disk + " && cd " + disk +
        " && head -c 100000 /dev/urandom >previous && cp previous out.json && cp previous "
        "db.RMF && chmod 600 db.RMF && " +
        kTool + " json " + big + " out.json; echo \"json $?\" && " + kTool + " save " + big +
        " db.RMF; echo \"save $?\" && cmp previous out.json && cmp previous db.RMF && echo same "
        "&& stat -c %a db.RMF && ls";
    const auto result = RunShell("unshare -Urm sh -c '" + script + "' 2>&1");
    EXPECT_EQ(result.out,
              "out.json: Stream write error in file \"out.json\". No space left on device.\n"
              "json 1\n"
              "db.RMF: Stream write error in file \"db.RMF\". No space left on device.\n"
              "save 1\n"
              "same\n600\ndb.RMF\nout.json\nprevious\n");
}

TEST_F(FileSafety, AFailedSyncOfTheFolderFailsTheCommandWithTheNewFileInPlace) {
    // strace makes the second fsync, the folder's after the rename, fail. The leak checker of a
    // sanitizer build cannot run under a tracer.
    if (RunShell("strace -o /dev/null true >/dev/null 2>&1 && echo yes").out != "yes\n")
        GTEST_SKIP() << "strace cannot trace here";
    const std::string in = dir.File("in.hmt");
    const std::string out = dir.File("out.hmp");
    THotSpots spots;
    spots.Add(std::make_unique<TSpot>(TSpotShape::Rectangle));
    spots.SaveToFile(in);
    const auto result = RunShell("cd " + dir.Dir() +
                                 " && ASAN_OPTIONS=detect_leaks=0 strace -f -o /dev/null "
                                 "-e trace=fsync -e inject=fsync:error=EIO:when=2 " +
                                 kTool + " hotmap convert in.hmt out.hmp 2>&1; echo \"exit $?\"");
    EXPECT_EQ(result.out,
              "out.hmp: File \"out.hmp\" is written, but its folder could not be synced, "
              "so the new file may not survive a power loss. Input/output error.\n"
              "exit 1\n");
    EXPECT_EQ(test::ReadBytes(out), test::ReadBytes(in));
}

TEST_F(FileSafety, ReadersThatCouldGrowWithoutEndStayWithinAMemoryCap) {
    const std::string oneLine = dir.File("one-line.hmt");
    test::WriteBytes(oneLine, Bytes(100 << 20, 'x'));
    const std::string bomb = dir.File("bomb.db");
    test::WriteBytes(bomb, test::DeflatedBomb(128 << 20));
    const rlim_t cap = 512 << 20;
    // What the program holds anyway (much more under the sanitizers), and 64 MiB on top.
    const auto idle = test::RunToolCapped({"--version"}, cap);
    ASSERT_EQ(idle.status, 0);
    const long peakKilobytes = idle.peakKilobytes + (64 << 10);
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"hotmap", "show", "/dev/zero"},
         "/dev/zero: Cannot read file \"/dev/zero\". Line 1 is longer than 1048576 bytes.\n"},
        {{"hotmap", "show", oneLine},
         oneLine + ": Cannot read file \"" + oneLine +
             "\". Line 1 is longer than 1048576 bytes.\n"},
        {{"brands", db, "0", bomb, dir.File("brands.txt")},
         bomb + ": 加载错误,remote.db文件是否和本exe文件一个目录: the header gives 134217748 "
                "bytes, more than 67108864\n"},
    };
    for (const auto& c : cases) {
        const auto result = test::RunToolCapped(c.args, cap);
        EXPECT_EQ(result.status, 1) << c.args[2];
        EXPECT_EQ(result.err, c.message);
        EXPECT_LT(result.peakKilobytes, peakKilobytes) << c.args[2];
    }
}

} // namespace
} // namespace mm
