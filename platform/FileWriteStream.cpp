#include "FileWriteStream.h"

#include "Errors.h"
#include "FileSystemCalls.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/uio.h>
#include <unistd.h>

namespace mm {

namespace {
// Records are a few KB with blobs of tens of KB: gather them into writes of this size.
constexpr size_t kBufferBytes = 128 * 1024;
} // namespace

TFileWriteStream::TFileWriteStream(int fd, std::string nameInErrors)
    : fd_(fd), name_(std::move(nameInErrors)) {
    buffer_.reserve(kBufferBytes);
}

size_t TFileWriteStream::Read(void*, size_t) {
    return 0;
}

size_t TFileWriteStream::Write(const void* buffer, size_t count) {
    if (count == 0)
        return 0;
    if (buffer_.size() + count > kBufferBytes)
        Flush();
    if (count >= kBufferBytes) {
        WriteOut(buffer, count);
    } else {
        const auto* bytes = static_cast<const uint8_t*>(buffer);
        buffer_.insert(buffer_.end(), bytes, bytes + count);
    }
    position_ += static_cast<int64_t>(count);
    size_ = std::max(size_, position_);
    return count;
}

void TFileWriteStream::WritePieces(std::span<const TBytePiece> pieces) {
    Flush();
    constexpr size_t kPiecesPerCall = IOV_MAX;
    iovec batch[kPiecesPerCall];
    size_t held = 0;
    for (const TBytePiece& piece : pieces) {
        if (piece.Size == 0)
            continue;
        batch[held++] = {const_cast<void*>(piece.Data), piece.Size};
        if (held == kPiecesPerCall) {
            WriteOutPieces(batch, held);
            held = 0;
        }
        position_ += static_cast<int64_t>(piece.Size);
    }
    WriteOutPieces(batch, held);
    size_ = std::max(size_, position_);
}

void TFileWriteStream::SetPosition(int64_t position) {
    Flush();
    if (lseek(fd_, position, SEEK_SET) < 0)
        throw WriteError(name_, SystemReason(errno));
    position_ = position;
}

void TFileWriteStream::Flush() {
    if (buffer_.empty())
        return;
    WriteOut(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void TFileWriteStream::WriteOut(const void* data, size_t count) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (count > 0) {
        const ssize_t n = FileSystem().Write(fd_, bytes, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) // a write that takes nothing would repeat forever
            throw WriteError(name_, SystemReason(n < 0 ? errno : ENOSPC));
        bytes += n;
        count -= static_cast<size_t>(n);
    }
}

void TFileWriteStream::WriteOutPieces(iovec* pieces, size_t count) {
    while (count > 0) {
        const ssize_t n = FileSystem().Writev(fd_, pieces, static_cast<int>(count));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) // a write that takes nothing would repeat forever
            throw WriteError(name_, SystemReason(n < 0 ? errno : ENOSPC));
        // A short write leaves the rest of the pieces, the first perhaps in part.
        auto written = static_cast<size_t>(n);
        while (count > 0 && written >= pieces->iov_len) {
            written -= pieces->iov_len;
            ++pieces;
            --count;
        }
        if (count > 0) {
            pieces->iov_base = static_cast<uint8_t*>(pieces->iov_base) + written;
            pieces->iov_len -= written;
        }
    }
}

} // namespace mm
