#pragma once
// An exclusive advisory lock (flock) on a file while it is written, so that two programs saving
// one database take turns instead of mixing their bytes. While the file does not exist yet its
// folder is locked instead. Locks of one file within one process nest: an inner lock of a file
// the process already holds succeeds at once.
#include <chrono>
#include <string>
#include <sys/types.h>

namespace mm {

class TFileLock {
public:
    static constexpr std::chrono::milliseconds kDefaultWait{2000};

    // Waits up to `wait` for another holder to let go, then raises FileLockedError naming the
    // file; raises FileOpenError when the file can be neither read nor written. Nothing is
    // locked for a name that is not a regular file (a device, a pipe), in a folder that cannot
    // be opened (where the write fails on its own), or on a file system without locks.
    explicit TFileLock(const std::string& fileName, std::chrono::milliseconds wait = kDefaultWait);
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

private:
    bool held_ = false;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

} // namespace mm
