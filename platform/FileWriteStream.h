#pragma once
// Buffered writes to a file the caller opened, through the file-system table; every failure
// raises WriteError with the file's name and the system's reason, so a full disk says so.
#include "Streams.h"

#include <string>
#include <sys/uio.h>
#include <vector>

namespace mm {

class TFileWriteStream : public TStream {
public:
    // The descriptor stays the caller's: the stream neither closes nor syncs it.
    TFileWriteStream(int fd, std::string nameInErrors);

    size_t Read(void* buffer, size_t count) override;
    // Writes every byte or raises.
    size_t Write(const void* buffer, size_t count) override;
    // The buffered bytes first, then the pieces straight from where they lie, many to a call.
    void WritePieces(std::span<const TBytePiece> pieces) override;
    int64_t Size() const override { return size_; }
    int64_t Position() const override { return position_; }
    void SetPosition(int64_t position) override;

    // Hands the buffered bytes to the system.
    void Flush();

private:
    void WriteOut(const void* data, size_t count);
    void WriteOutPieces(iovec* pieces, size_t count);

    int fd_;
    std::string name_;
    std::vector<uint8_t> buffer_;
    int64_t position_ = 0;
    int64_t size_ = 0;
};

} // namespace mm
