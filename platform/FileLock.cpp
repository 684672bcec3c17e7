#include "FileLock.h"

#include "Errors.h"
#include "FileSystemCalls.h"
#include "FileTarget.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace mm {

namespace {

constexpr std::chrono::milliseconds kRetryEvery{20};

struct THeldLock {
    int fd;
    int count;
};

// The locks this process holds, by device and inode, so that a nested lock does not wait for
// its own process.
std::mutex heldMutex;
std::map<std::pair<dev_t, ino_t>, THeldLock> held;

enum class TLockKind { File, Folder, None };

// What to lock for the name: the file, its folder while it is absent, or nothing.
TLockKind KindOf(const std::string& fileName, std::string& path) {
    struct stat info {};
    if (stat(fileName.c_str(), &info) == 0) {
        path = fileName;
        return S_ISREG(info.st_mode) ? TLockKind::File : TLockKind::None;
    }
    if (errno != ENOENT)
        throw FileOpenError(fileName, SystemReason(errno));
    path = ResolveFileTarget(fileName).Folder;
    return TLockKind::Folder;
}

int OpenToLock(const std::string& path, TLockKind kind) {
    const int flags = O_CLOEXEC | O_NOCTTY | (kind == TLockKind::Folder ? O_DIRECTORY : 0);
    const int fd = FileSystem().Openat(AT_FDCWD, path.c_str(), O_RDONLY | flags, 0);
    if (fd >= 0 || errno != EACCES || kind == TLockKind::Folder)
        return fd;
    return FileSystem().Openat(AT_FDCWD, path.c_str(), O_WRONLY | flags, 0); // a write-only file
}

// The name still stands for what was locked: a writer that held the lock before may have
// replaced the file, or made the one that was absent.
bool StillNames(const std::string& fileName, TLockKind kind, const struct stat& locked) {
    struct stat now {};
    if (stat(fileName.c_str(), &now) != 0)
        return kind == TLockKind::Folder && errno == ENOENT;
    return kind == TLockKind::File && now.st_dev == locked.st_dev && now.st_ino == locked.st_ino;
}

} // namespace

TFileLock::TFileLock(const std::string& fileName, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        std::string path;
        const TLockKind kind = KindOf(fileName, path);
        if (kind == TLockKind::None)
            return;
        const int fd = OpenToLock(path, kind);
        if (fd < 0 && kind == TLockKind::Folder)
            return; // no folder to write in: the write fails on its own, with its own reason
        if (fd < 0 && errno == ENOENT)
            continue; // the file went between the look and the open
        if (fd < 0)
            throw FileOpenError(fileName, SystemReason(errno));
        struct stat locked {};
        fstat(fd, &locked);
        {
            const std::lock_guard<std::mutex> guard(heldMutex);
            if (auto it = held.find({locked.st_dev, locked.st_ino}); it != held.end()) {
                FileSystem().Close(fd);
                ++it->second.count;
                held_ = true;
                device_ = locked.st_dev;
                inode_ = locked.st_ino;
                return;
            }
        }
        int result = 0;
        while ((result = FileSystem().Flock(fd, LOCK_EX | LOCK_NB)) != 0 &&
               (errno == EINTR ||
                (errno == EWOULDBLOCK && std::chrono::steady_clock::now() < deadline)))
            if (errno == EWOULDBLOCK)
                std::this_thread::sleep_for(kRetryEvery);
        if (result != 0) {
            const int error = errno;
            FileSystem().Close(fd);
            if (error == EWOULDBLOCK)
                throw FileLockedError(fileName);
            return; // a file system without locks: the write goes ahead unlocked
        }
        if (!StillNames(fileName, kind, locked)) {
            FileSystem().Close(fd);
            continue;
        }
        const std::lock_guard<std::mutex> guard(heldMutex);
        held[{locked.st_dev, locked.st_ino}] = {fd, 1};
        held_ = true;
        device_ = locked.st_dev;
        inode_ = locked.st_ino;
        return;
    }
}

TFileLock::~TFileLock() {
    if (!held_)
        return;
    const std::lock_guard<std::mutex> guard(heldMutex);
    const auto it = held.find({device_, inode_});
    if (it == held.end() || --it->second.count > 0)
        return;
    FileSystem().Close(it->second.fd); // closing the last descriptor lets the lock go
    held.erase(it);
}

} // namespace mm
