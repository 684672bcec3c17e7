#pragma once
// The system calls the file writer and the file lock make, gathered in one table so that tests
// can make any one of them fail (a full disk, a failed sync or rename) without a real fault.
// Nothing else goes through it.
#include <sys/types.h>
#include <sys/uio.h>

namespace mm {

struct TFileSystemCalls {
    int (*Openat)(int dirFd, const char* path, int flags, mode_t mode);
    ssize_t (*Write)(int fd, const void* buffer, size_t count);
    ssize_t (*Writev)(int fd, const iovec* pieces, int count);
    int (*Fsync)(int fd);
    int (*Fchmod)(int fd, mode_t mode);
    int (*Fchown)(int fd, uid_t owner, gid_t group);
    int (*Renameat)(int fromDirFd, const char* from, int toDirFd, const char* to);
    int (*Linkat)(int fromDirFd, const char* from, int toDirFd, const char* to, int flags);
    int (*Unlinkat)(int dirFd, const char* path, int flags);
    int (*Flock)(int fd, int operation);
    int (*Close)(int fd);
};

// The table in force: the system's own calls unless a test replaced them.
const TFileSystemCalls& FileSystem();

// The system's own calls, for a test's table that fails some and passes the rest on.
TFileSystemCalls SystemFileCalls();

// Puts a table in force while it lives (tests only; one at a time).
class TFileSystemOverride {
public:
    explicit TFileSystemOverride(const TFileSystemCalls& calls);
    ~TFileSystemOverride();
    TFileSystemOverride(const TFileSystemOverride&) = delete;
    TFileSystemOverride& operator=(const TFileSystemOverride&) = delete;

private:
    const TFileSystemCalls* previous_;
    TFileSystemCalls calls_;
};

} // namespace mm
