#include "Streams.h"

#include "Errors.h"
#include "ReadFully.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mm {

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (count != 0 && Read(buffer, count) != count)
        throw ReadError();
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (count != 0 && Write(buffer, count) != count)
        throw WriteError();
}

void TStream::WritePieces(std::span<const TBytePiece> pieces) {
    for (const TBytePiece& piece : pieces)
        WriteBuffer(piece.Data, piece.Size);
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    const int64_t available = std::max<int64_t>(0, Size() - position_);
    const size_t n = static_cast<size_t>(std::min<int64_t>(available, static_cast<int64_t>(count)));
    if (n != 0)
        std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += static_cast<int64_t>(n);
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0)
        return 0;
    const size_t end = static_cast<size_t>(position_) + count;
    if (end > bytes_.size())
        bytes_.resize(end);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ = static_cast<int64_t>(end);
    return count;
}

void TMemoryStream::SetPosition(int64_t position) {
    position_ = std::max<int64_t>(0, position);
}

namespace {
// Reads smaller than this are gathered from a read-ahead of this size; larger ones (a record's
// fixed part, its blob) go straight to where the caller wants them.
constexpr size_t kReadAhead = 1024;
} // namespace

TFileStream::TFileStream(const std::string& fileName, Mode, const std::string& nameInErrors)
    : fileName_(nameInErrors.empty() ? fileName : nameInErrors) {
    fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        throw FileOpenError(fileName_, SystemReason(errno));
    struct stat info {};
    if (fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd_);
        throw FileOpenError(fileName_, SystemReason(error));
    }
    size_ = info.st_size;
}

TFileStream::~TFileStream() {
    ::close(fd_);
}

size_t ReadFully(int fd, void* buffer, size_t count, const std::string& fileName) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd, bytes + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileReadError(fileName, SystemReason(errno));
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

size_t TFileStream::ReadFromSystem(void* buffer, size_t count) {
    return ReadFully(fd_, buffer, count, fileName_);
}

size_t TFileStream::Read(void* buffer, size_t count) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    const size_t buffered = std::min(count, held_ - taken_);
    if (buffered != 0)
        std::memcpy(bytes, buffer_.data() + taken_, buffered);
    taken_ += buffered;
    size_t done = buffered;
    if (done < count) {
        if (count - done >= kReadAhead) {
            done += ReadFromSystem(bytes + done, count - done);
        } else {
            buffer_.resize(kReadAhead);
            held_ = ReadFromSystem(buffer_.data(), buffer_.size());
            taken_ = std::min(count - done, held_);
            if (taken_ != 0)
                std::memcpy(bytes + done, buffer_.data(), taken_);
            done += taken_;
        }
    }
    position_ += static_cast<int64_t>(done);
    return done;
}

size_t TFileStream::Write(const void*, size_t) {
    return 0;
}

void TFileStream::SetPosition(int64_t position) {
    if (position < 0 || ::lseek(fd_, position, SEEK_SET) < 0)
        throw ReadError();
    position_ = position;
    taken_ = held_ = 0;
}

bool FileExists(const std::string& fileName) {
    struct stat info {};
    return stat(fileName.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool FileIsAbsent(const std::string& fileName) {
    struct stat info {};
    return stat(fileName.c_str(), &info) != 0 && errno == ENOENT;
}

TSSByteArray ReadWholeFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    TSSByteArray bytes(static_cast<size_t>(stream.Size()));
    stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

} // namespace mm
