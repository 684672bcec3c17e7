#include "platform/FileWriter.h"
#include "FileFaults.h"
#include "TestSupport.h"
#include "platform/Errors.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mm {
namespace {

using test::FileCall;
using test::FileFault;
namespace fs = std::filesystem;

std::vector<uint8_t> Text(const std::string& text) {
    return {text.begin(), text.end()};
}

struct stat Stat(const std::string& name) {
    struct stat info {};
    lstat(name.c_str(), &info);
    return info;
}

mode_t ModeOf(const std::string& name) {
    return Stat(name).st_mode & 07777;
}

std::string WithName(std::string form, const std::string& name) {
    return form.replace(form.find("%s"), 2, name);
}

TEST(FileWriter, EveryFaultLeavesTheOldFileAndNoTemporaryFile) {
    const std::vector<uint8_t> big(300 * 1024, 'n'); // more than the writer gathers at once
    const struct {
        const char* what;
        FileCall call;
        int error;
        int nth;
        bool bigFile;
        bool withBackup;
        bool backupMade;
        const char* message; // %s: the file the message names
    } cases[] = {
        {"full disk while writing", FileCall::Write, ENOSPC, 1, true, false, false,
         "Stream write error in file \"%s\". No space left on device."},
        {"full disk for the last bytes", FileCall::Write, ENOSPC, 1, false, false, false,
         "Stream write error in file \"%s\". No space left on device."},
        {"the sync fails", FileCall::Fsync, EIO, 1, false, false, false,
         "Stream write error in file \"%s\". Input/output error."},
        {"closing reports a late write error", FileCall::Close, EIO, 1, false, false, false,
         "Stream write error in file \"%s\". Input/output error."},
        {"the rename fails", FileCall::Renameat, EIO, 1, true, false, false,
         "Cannot create file \"%s\". Input/output error."},
        {"the backup's rename fails", FileCall::Renameat, EIO, 1, false, true, false,
         "Cannot create file \"%s.bak\". Input/output error."},
        {"the rename after the backup fails", FileCall::Renameat, EIO, 2, false, true, true,
         "Cannot create file \"%s\". Input/output error."},
        {"the folder is read-only", FileCall::Openat, EROFS, 2, false, false, false,
         "Cannot create file \"%s\". Read-only file system."},
        {"the folder cannot be opened", FileCall::Openat, EACCES, 1, false, true, false,
         "Cannot create file \"%s\". Permission denied."},
        {"the mode cannot be kept", FileCall::Fchmod, EPERM, 1, false, false, false,
         "Cannot create file \"%s\". Operation not permitted."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        const std::string name = dir.File("f.bin");
        test::WriteBytes(name, Text("old"));
        chmod(name.c_str(), 0640);
        test::WriteBytes(name + ".bak", Text("older"));
        const std::vector<std::string> before = dir.Names();
        try {
            const FileFault fault(c.call, c.error, c.nth);
            TAtomicFileWriter writer(name);
            writer.Stream().WriteBuffer(big.data(), c.bigFile ? big.size() : 10);
            writer.Commit(c.withBackup ? name + ".bak" : std::string());
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.what(), WithName(c.message, name));
        }
        EXPECT_EQ(test::ReadBytes(name), Text("old"));
        EXPECT_EQ(ModeOf(name), 0640u);
        EXPECT_EQ(test::ReadBytes(name + ".bak"), Text(c.backupMade ? "old" : "older"));
        EXPECT_EQ(dir.Names(), before);
    }
}

TEST(FileWriter, AFailedFolderSyncIsReportedWithTheNewFileInPlace) {
    test::TempDir dir;
    const std::string name = dir.File("f.bin");
    test::WriteBytes(name, Text("old"));
    {
        const FileFault fault(FileCall::Fsync, EIO, 2); // the file's sync passes, the folder's not
        TAtomicFileWriter writer(name);
        writer.Stream().WriteBuffer("new", 3);
        try {
            writer.Commit();
            ADD_FAILURE() << "no error";
        } catch (const FolderSyncError& error) {
            EXPECT_EQ(error.what(),
                      WithName("File \"%s\" is written, but its folder could not be synced, so "
                               "the new file may not survive a power loss. Input/output error.",
                               name));
        }
        EXPECT_EQ(fault.Made(), 2);
    }
    EXPECT_EQ(test::ReadBytes(name), Text("new"));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"f.bin"});
}

TEST(FileWriter, TheReplacedFileKeepsItsMode) {
    for (const mode_t mode : {0600u, 0660u, 0644u, 0604u, 0640u}) {
        SCOPED_TRACE(mode);
        test::TempDir dir;
        const std::string name = dir.File("db.RMF");
        test::WriteBytes(name, Text("old"));
        chmod(name.c_str(), mode);
        WriteWholeFile(name, "new", 3);
        EXPECT_EQ(test::ReadBytes(name), Text("new"));
        EXPECT_EQ(ModeOf(name), mode);
    }
    // A new file gets what the umask leaves, as any new file does.
    test::TempDir dir;
    const mode_t mask = umask(022);
    WriteWholeFile(dir.File("new.bin"), "n", 1);
    umask(mask);
    EXPECT_EQ(ModeOf(dir.File("new.bin")), 0644u);
}

TEST(FileWriter, TheReplacedFileKeepsItsOwnerWhereTheProcessMayGiveIt) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only a privileged process may give a file away";
    test::TempDir dir;
    const std::string name = dir.File("db.RMF");
    test::WriteBytes(name, Text("old"));
    ASSERT_EQ(chown(name.c_str(), 65534, 65534), 0);
    chmod(name.c_str(), 0660);
    WriteWholeFile(name, "new", 3);
    EXPECT_EQ(Stat(name).st_uid, 65534u);
    EXPECT_EQ(Stat(name).st_gid, 65534u);
    EXPECT_EQ(ModeOf(name), 0660u);
}

TEST(FileWriter, ALinkIsWrittenThroughToTheFileItNames) {
    test::TempDir dir;
    fs::create_directory(dir.File("real"));
    const std::string real = dir.File("real/db.RMF");
    const struct {
        const char* link;
        std::string target;
        const char* written; // the file that gets the bytes
    } cases[] = {
        {"relative", "real/db.RMF", "real/db.RMF"},
        {"absolute", real, "real/db.RMF"},
        {"chain", "relative", "real/db.RMF"},
        {"dangling", "real/new.RMF", "real/new.RMF"},
    };
    test::WriteBytes(real, Text("old"));
    chmod(real.c_str(), 0600);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        const std::string link = dir.File(c.link);
        fs::create_symlink(c.target, link);
        WriteWholeFile(link, c.link, std::string(c.link).size());
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link).string(), c.target);
        EXPECT_EQ(test::ReadBytes(dir.File(c.written)), Text(c.link));
    }
    EXPECT_EQ(ModeOf(real), 0600u);
    EXPECT_EQ(dir.Names("real"), (std::vector<std::string>{"db.RMF", "new.RMF"}));
}

TEST(FileWriter, APlantedTemporaryNameIsNeverFollowed) {
    test::TempDir dir;
    const std::string name = dir.File("db.RMF");
    const std::string victim = dir.File("victim");
    test::WriteBytes(victim, Text("victim"));
    test::WriteBytes(name, Text("old"));
    // The name older releases used.
    fs::create_symlink(victim, name + ".tmp");
    WriteWholeFile(name, "new", 3);
    EXPECT_EQ(test::ReadBytes(name), Text("new"));
    EXPECT_EQ(test::ReadBytes(victim), Text("victim"));
    EXPECT_TRUE(fs::is_symlink(name + ".tmp"));

    // A link planted under the very name the writer picks, between its choice and its open.
    static std::string plantedVictim;
    static std::vector<std::string> planted;
    plantedVictim = victim;
    planted.clear();
    TFileSystemCalls calls = SystemFileCalls();
    calls.Openat = [](int folder, const char* path, int flags, mode_t mode) {
        if ((flags & O_CREAT) && planted.empty()) {
            symlinkat(plantedVictim.c_str(), folder, path);
            planted.push_back(path);
        }
        return SystemFileCalls().Openat(folder, path, flags, mode);
    };
    {
        const TFileSystemOverride plant(calls);
        WriteWholeFile(name, "newer", 5);
    }
    ASSERT_EQ(planted.size(), 1u);
    EXPECT_EQ(test::ReadBytes(name), Text("newer"));
    EXPECT_EQ(test::ReadBytes(victim), Text("victim"));
    EXPECT_TRUE(fs::is_symlink(dir.File(planted[0]))); // someone else's file: left alone
}

TEST(FileWriter, TheBackupIsALinkToTheOldFileOrElseACopy) {
    test::TempDir dir;
    const std::string name = dir.File("db.RMF");
    test::WriteBytes(name, Text("old"));
    chmod(name.c_str(), 0640);
    const ino_t oldInode = Stat(name).st_ino;
    {
        TAtomicFileWriter writer(name);
        writer.Stream().WriteBuffer("new", 3);
        writer.Commit(name + ".bak");
    }
    EXPECT_EQ(test::ReadBytes(name), Text("new"));
    EXPECT_EQ(test::ReadBytes(name + ".bak"), Text("old"));
    EXPECT_EQ(Stat(name + ".bak").st_ino, oldInode);

    {
        const FileFault noLinks(FileCall::Linkat, EPERM);
        TAtomicFileWriter writer(name);
        writer.Stream().WriteBuffer("newer", 5);
        writer.Commit(name + ".bak");
        EXPECT_EQ(noLinks.Made(), 1);
    }
    EXPECT_EQ(test::ReadBytes(name), Text("newer"));
    EXPECT_EQ(test::ReadBytes(name + ".bak"), Text("new"));
    EXPECT_EQ(ModeOf(name + ".bak"), 0640u);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"db.RMF", "db.RMF.bak"}));

    // Nothing to keep yet: no backup either.
    WriteWholeFile(dir.File("fresh"), "f", 1);
    TAtomicFileWriter writer(dir.File("other"));
    writer.Commit(dir.File("other.bak"));
    EXPECT_FALSE(fs::exists(dir.File("other.bak")));
}

TEST(FileWriter, WithoutCommitNothingChanges) {
    test::TempDir dir;
    const std::string name = dir.File("f.bin");
    test::WriteBytes(name, {9, 9});
    {
        TAtomicFileWriter writer(name);
        writer.Stream().WriteValue<uint8_t>(1);
    }
    EXPECT_EQ(test::ReadBytes(name), (std::vector<uint8_t>{9, 9}));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"f.bin"}));
}

TEST(FileWriter, RefusesAReadOnlyFileAFolderAndAMissingFolder) {
    test::TempDir dir;
    const std::string name = dir.File("ro.bin");
    test::WriteBytes(name, {1});
    fs::permissions(name, fs::perms::owner_read | fs::perms::group_read);
    try {
        TAtomicFileWriter writer(name);
        FAIL();
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + name + "\". Permission denied.");
    }
    EXPECT_EQ(test::ReadBytes(name), (std::vector<uint8_t>{1}));
    const std::string folder = dir.File("folder");
    fs::create_directory(folder);
    const std::string inMissingFolder = dir.File("no/such.bin");
    const struct {
        std::string name;
        const char* reason;
    } cases[] = {
        {folder, "Is a directory."},
        {folder + "/", "Is a directory."},
        {inMissingFolder, "No such file or directory."},
    };
    for (const auto& c : cases) {
        try {
            TAtomicFileWriter writer(c.name);
            ADD_FAILURE() << c.name;
        } catch (const FileCreateError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Cannot create file \"" + c.name + "\". " + c.reason);
        }
    }
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"folder", "ro.bin"}));
}

TEST(FileWriter, ARealReadOnlyFolder) {
    if (geteuid() == 0)
        GTEST_SKIP() << "a privileged process writes into any folder";
    test::TempDir dir;
    const std::string name = dir.File("f.bin");
    test::WriteBytes(name, Text("old"));
    fs::permissions(dir.Dir(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(WriteWholeFile(name, "new", 3), FileCreateError);
    fs::permissions(dir.Dir(), fs::perms::owner_all);
    EXPECT_EQ(test::ReadBytes(name), Text("old"));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"f.bin"}));
}

TEST(FileWriter, ADeviceIsWrittenInPlaceNeverReplaced) {
    WriteWholeFile("/dev/null", "x", 1);
    EXPECT_TRUE(S_ISCHR(Stat("/dev/null").st_mode));
}

TEST(FileWriter, TheStreamFollowsWritesAndSeeks) {
    test::TempDir dir;
    const std::string name = dir.File("s.bin");
    TAtomicFileWriter writer(name);
    TStream& stream = writer.Stream();
    stream.WriteValue<uint32_t>(1);
    stream.SetPosition(1);
    stream.WriteValue<uint8_t>(2);
    EXPECT_EQ(stream.Size(), 4);
    stream.SetPosition(4);
    stream.WriteValue<uint16_t>(3);
    EXPECT_EQ(stream.Size(), 6);
    EXPECT_EQ(stream.Position(), 6);
    writer.Commit();
    EXPECT_EQ(test::ReadBytes(name), (std::vector<uint8_t>{1, 2, 0, 0, 3, 0}));
}

} // namespace
} // namespace mm
