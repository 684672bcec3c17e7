#include "platform/FileLock.h"
#include "TestSupport.h"
#include "platform/Errors.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace mm {
namespace {

using namespace std::chrono_literals;

// A lock held the way another program holds it: through a descriptor of its own.
class OtherHolder {
public:
    explicit OtherHolder(const std::string& name, int flags = O_RDONLY)
        : fd_(open(name.c_str(), flags | O_CLOEXEC)) {}
    ~OtherHolder() { close(fd_); }
    bool Lock() { return flock(fd_, LOCK_EX | LOCK_NB) == 0; }
    void Unlock() { flock(fd_, LOCK_UN); }

private:
    int fd_;
};

bool FreeToLock(const std::string& name, int flags = O_RDONLY) {
    return OtherHolder(name, flags).Lock();
}

TEST(FileLock, ASecondWriterWaitsBrieflyThenFailsNamingTheFile) {
    test::TempDir dir;
    const std::string name = dir.File("db.RMF");
    test::WriteBytes(name, {1});
    OtherHolder other(name);
    ASSERT_TRUE(other.Lock());
    const auto start = std::chrono::steady_clock::now();
    try {
        TFileLock lock(name, 150ms);
        FAIL();
    } catch (const FileLockedError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot lock file \"" + name + "\". It is being written by another program.");
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);
    other.Unlock();
    const TFileLock lock(name, 0ms);
    EXPECT_FALSE(FreeToLock(name));
}

TEST(FileLock, LocksOfOneFileNestWithinTheProcess) {
    test::TempDir dir;
    const std::string name = dir.File("db.RMF");
    test::WriteBytes(name, {1});
    {
        const TFileLock outer(name, 0ms);
        {
            const TFileLock inner(name, 0ms);
            EXPECT_FALSE(FreeToLock(name));
        }
        EXPECT_FALSE(FreeToLock(name));
    }
    EXPECT_TRUE(FreeToLock(name));
}

TEST(FileLock, AnAbsentFileLocksItsFolder) {
    test::TempDir dir;
    const std::string name = dir.File("new.RMF");
    {
        const TFileLock lock(name, 0ms);
        EXPECT_FALSE(FreeToLock(dir.Dir(), O_RDONLY | O_DIRECTORY));
    }
    OtherHolder other(dir.Dir(), O_RDONLY | O_DIRECTORY);
    ASSERT_TRUE(other.Lock());
    EXPECT_THROW(TFileLock(name, 50ms), FileLockedError);
    // Nothing to lock where there is no folder, nor for a device: the write reports the rest.
    EXPECT_NO_THROW(TFileLock(dir.File("no/such.RMF"), 0ms));
    EXPECT_NO_THROW(TFileLock("/dev/null", 0ms));
}

TEST(FileLock, AWaiterLocksTheFileThatReplacedTheOneItWaitedFor) {
    test::TempDir dir;
    const std::string name = dir.File("db.RMF");
    test::WriteBytes(name, {1});
    OtherHolder other(name);
    ASSERT_TRUE(other.Lock());
    // The other writer puts its new file in place, then lets go of the old one.
    std::thread writer([&] {
        std::this_thread::sleep_for(100ms);
        test::WriteBytes(dir.File("next"), {2});
        std::rename(dir.File("next").c_str(), name.c_str());
        other.Unlock();
    });
    {
        const TFileLock lock(name, 2000ms);
        writer.join();
        EXPECT_FALSE(FreeToLock(name)); // the lock is on the file the name stands for now
    }
    EXPECT_TRUE(FreeToLock(name));
}

} // namespace
} // namespace mm
