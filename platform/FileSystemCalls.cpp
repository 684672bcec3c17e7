#include "FileSystemCalls.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mm {

namespace {

const TFileSystemCalls kSystemCalls{
    [](int dirFd, const char* path, int flags, mode_t mode) {
        return ::openat(dirFd, path, flags, mode);
    },
    ::write,
    ::writev,
    ::fsync,
    ::fchmod,
    ::fchown,
    ::renameat,
    ::linkat,
    ::unlinkat,
    ::flock,
    ::close,
};

const TFileSystemCalls* current = &kSystemCalls;

} // namespace

const TFileSystemCalls& FileSystem() {
    return *current;
}

TFileSystemCalls SystemFileCalls() {
    return kSystemCalls;
}

TFileSystemOverride::TFileSystemOverride(const TFileSystemCalls& calls)
    : previous_(current), calls_(calls) {
    current = &calls_;
}

TFileSystemOverride::~TFileSystemOverride() {
    current = previous_;
}

} // namespace mm
