#pragma once
// Faults for the file writer: one of its system calls fails, from its n-th call on, with an
// error number, through the platform's file-system table.
#include "platform/FileSystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace mm::test {

enum class FileCall { Openat, Write, Fsync, Fchmod, Renameat, Linkat, Close };

inline const char* CallName(FileCall call) {
    constexpr const char* kNames[] = {"openat",   "write",  "fsync", "fchmod",
                                      "renameat", "linkat", "close"};
    return kNames[static_cast<int>(call)];
}

class FileFault {
public:
    FileFault(FileCall call, int error, int nth = 1) : override_(Calls()) {
        state() = {call, error, nth, 0};
    }
    ~FileFault() { state() = {}; }
    FileFault(const FileFault&) = delete;
    FileFault& operator=(const FileFault&) = delete;

    // How many times the failing call was made.
    int Made() const { return state().made; }

private:
    struct State {
        FileCall call = FileCall::Openat;
        int error = 0;
        int nth = 0;
        int made = 0;
    };
    static State& state() {
        static State s;
        return s;
    }
    // True (errno set) when this call is to fail.
    static bool Fails(FileCall call) {
        State& s = state();
        if (s.nth == 0 || s.call != call)
            return false;
        if (++s.made < s.nth)
            return false;
        errno = s.error;
        return true;
    }
    static TFileSystemCalls Calls() {
        TFileSystemCalls calls = SystemFileCalls();
        calls.Openat = [](int dir, const char* path, int flags, mode_t mode) {
            return Fails(FileCall::Openat) ? -1 : SystemFileCalls().Openat(dir, path, flags, mode);
        };
        calls.Write = [](int fd, const void* buffer, size_t count) -> ssize_t {
            return Fails(FileCall::Write) ? -1 : SystemFileCalls().Write(fd, buffer, count);
        };
        calls.Writev = [](int fd, const iovec* pieces, int count) -> ssize_t {
            return Fails(FileCall::Write) ? -1 : SystemFileCalls().Writev(fd, pieces, count);
        };
        calls.Fsync = [](int fd) {
            return Fails(FileCall::Fsync) ? -1 : SystemFileCalls().Fsync(fd);
        };
        calls.Fchmod = [](int fd, mode_t mode) {
            return Fails(FileCall::Fchmod) ? -1 : SystemFileCalls().Fchmod(fd, mode);
        };
        calls.Renameat = [](int fromDir, const char* from, int toDir, const char* to) {
            return Fails(FileCall::Renameat) ? -1
                                             : SystemFileCalls().Renameat(fromDir, from, toDir, to);
        };
        calls.Linkat = [](int fromDir, const char* from, int toDir, const char* to, int flags) {
            return Fails(FileCall::Linkat)
                       ? -1
                       : SystemFileCalls().Linkat(fromDir, from, toDir, to, flags);
        };
        // A failing close still closes, as a late write error on a network disk does.
        calls.Close = [](int fd) {
            const bool fails = Fails(FileCall::Close);
            const int result = SystemFileCalls().Close(fd);
            if (fails)
                errno = state().error;
            return fails ? -1 : result;
        };
        return calls;
    }

    TFileSystemOverride override_;
};

} // namespace mm::test
