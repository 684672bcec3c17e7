#include "Streams.h"

#include "Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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

TFileStream::TFileStream(const std::string& fileName, Mode, const std::string& nameInErrors)
    : fileName_(nameInErrors.empty() ? fileName : nameInErrors) {
    file_ = std::fopen(fileName.c_str(), "rb");
    if (!file_)
        throw FileOpenError(fileName_, SystemReason(errno));
    struct stat info {};
    if (fstat(fileno(file_), &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        std::fclose(file_);
        throw FileOpenError(fileName_, SystemReason(error));
    }
    size_ = info.st_size;
}

TFileStream::~TFileStream() {
    std::fclose(file_);
}

size_t TFileStream::Read(void* buffer, size_t count) {
    const size_t n = std::fread(buffer, 1, count, file_);
    if (n < count && std::ferror(file_))
        throw FileReadError(fileName_, SystemReason(errno));
    return n;
}

size_t TFileStream::Write(const void*, size_t) {
    return 0;
}

int64_t TFileStream::Position() const {
    return ftello(file_);
}

void TFileStream::SetPosition(int64_t position) {
    if (fseeko(file_, position, SEEK_SET) != 0)
        throw ReadError();
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
