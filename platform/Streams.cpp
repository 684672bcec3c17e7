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

TFileStream::TFileStream(const std::string& fileName, Mode mode, const std::string& nameInErrors)
    : fileName_(fileName) {
    const std::string& shownName = nameInErrors.empty() ? fileName : nameInErrors;
    file_ = std::fopen(fileName.c_str(), mode == Mode::OpenRead ? "rb" : "wb");
    if (!file_) {
        const std::string reason = SystemReason(errno);
        if (mode == Mode::OpenRead)
            throw FileOpenError(shownName, reason);
        throw FileCreateError(shownName, reason);
    }
    struct stat info {};
    if (mode == Mode::OpenRead) {
        if (fstat(fileno(file_), &info) != 0 || S_ISDIR(info.st_mode)) {
            const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
            std::fclose(file_);
            throw FileOpenError(shownName, SystemReason(error));
        }
        size_ = info.st_size;
    }
}

TFileStream::~TFileStream() {
    if (file_)
        std::fclose(file_);
}

size_t TFileStream::Read(void* buffer, size_t count) {
    return std::fread(buffer, 1, count, file_);
}

size_t TFileStream::Write(const void* buffer, size_t count) {
    grown_ = true; // the size is brought up to date when asked, not on every write
    return std::fwrite(buffer, 1, count, file_);
}

int64_t TFileStream::Size() const {
    if (grown_) {
        size_ = std::max(size_, Position());
        grown_ = false;
    }
    return size_;
}

int64_t TFileStream::Position() const {
    return ftello(file_);
}

void TFileStream::SetPosition(int64_t position) {
    Size(); // take in what was written before the position moves away from the end
    if (fseeko(file_, position, SEEK_SET) != 0)
        throw ReadError();
}

void TFileStream::Flush() {
    if (std::fflush(file_) != 0 || fsync(fileno(file_)) != 0)
        throw WriteError();
}

void TFileStream::Close() {
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed)
        throw WriteError();
}

TAtomicFileWriter::TAtomicFileWriter(const std::string& fileName)
    : fileName_(fileName), tempName_(fileName + ".tmp") {
    // Replacing by rename would ignore a read-only file; refuse it as an in-place write would.
    struct stat info {};
    if (stat(fileName.c_str(), &info) == 0 && (info.st_mode & 0222) == 0)
        throw FileOpenError(fileName, SystemReason(EACCES));
    stream_ = new TFileStream(tempName_, TFileStream::Mode::Create, fileName);
}

TAtomicFileWriter::~TAtomicFileWriter() {
    delete stream_;
    if (!committed_)
        std::remove(tempName_.c_str());
}

void TAtomicFileWriter::Commit(const std::string& backupName) {
    stream_->Flush();
    delete stream_;
    stream_ = nullptr;
    if (!backupName.empty() && FileExists(fileName_) &&
        std::rename(fileName_.c_str(), backupName.c_str()) != 0)
        throw FileCreateError(backupName, SystemReason(errno));
    if (std::rename(tempName_.c_str(), fileName_.c_str()) != 0)
        throw FileCreateError(fileName_, SystemReason(errno));
    committed_ = true;
}

bool FileExists(const std::string& fileName) {
    struct stat info {};
    return stat(fileName.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

TSSByteArray ReadWholeFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    TSSByteArray bytes(static_cast<size_t>(stream.Size()));
    stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void WriteWholeFile(const std::string& fileName, const void* data, size_t size) {
    TAtomicFileWriter writer(fileName);
    writer.Stream().WriteBuffer(data, size);
    writer.Commit();
}

} // namespace mm
