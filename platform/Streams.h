#pragma once
// Byte streams in the shape the file formats are written against: Read returns what it got,
// ReadBuffer insists on every byte ("Stream read error").
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory_resource>
#include <span>
#include <string>
#include <vector>

namespace mm {

// A growable byte array that takes its memory from the resource it was made with: a record's
// Blob lives in its catalogue's memory, any other array on the ordinary heap. Copies are made
// on the heap, unless the container they go into says otherwise; it reads and compares as the
// plain byte vectors that tests and libraries hand around.
class TSSByteArray : public std::pmr::vector<uint8_t> {
public:
    using std::pmr::vector<uint8_t>::vector;
    TSSByteArray() = default;
    TSSByteArray(const std::vector<uint8_t>& bytes) : vector(bytes.begin(), bytes.end()) {}

    operator std::vector<uint8_t>() const { return {begin(), end()}; }

    friend bool operator==(const TSSByteArray& a, const TSSByteArray& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend bool operator==(const TSSByteArray& a, const std::vector<uint8_t>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
};

// A stretch of bytes to write as one piece of a larger write.
struct TBytePiece {
    const void* Data;
    size_t Size;
};

class TStream {
public:
    virtual ~TStream() = default;
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Size() const = 0;
    virtual int64_t Position() const = 0;
    virtual void SetPosition(int64_t position) = 0;

    int64_t Remaining() const { return Size() - Position(); }
    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    // Writes the pieces in order, every byte or raises; a file hands them to the system
    // together, straight from where they lie.
    virtual void WritePieces(std::span<const TBytePiece> pieces);

    template <typename T> T ReadValue() {
        T value{};
        ReadBuffer(&value, sizeof value);
        return value;
    }
    template <typename T> void WriteValue(const T& value) { WriteBuffer(&value, sizeof value); }
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(TSSByteArray bytes) : bytes_(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
    int64_t Position() const override { return position_; }
    void SetPosition(int64_t position) override;

    const TSSByteArray& Bytes() const { return bytes_; }
    TSSByteArray TakeBytes() { return std::move(bytes_); }

private:
    TSSByteArray bytes_;
    int64_t position_ = 0;
};

// A file opened for reading. Files are written only through TAtomicFileWriter (FileWriter.h).
// Large reads go from the system straight into the caller's memory; small ones are gathered.
class TFileStream : public TStream {
public:
    enum class Mode { OpenRead };
    // Raises FileOpenError with the system's reason, naming nameInErrors when given.
    TFileStream(const std::string& fileName, Mode mode, const std::string& nameInErrors = {});
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    // Raises FileReadError with the system's reason when the system fails the read; the end of
    // the file is no error.
    size_t Read(void* buffer, size_t count) override;
    // Writes nothing: the stream is for reading.
    size_t Write(const void* buffer, size_t count) override;
    int64_t Size() const override { return size_; }
    int64_t Position() const override { return position_; }
    void SetPosition(int64_t position) override;

private:
    size_t ReadFromSystem(void* buffer, size_t count);

    int fd_ = -1;
    std::string fileName_;
    int64_t size_ = 0;
    int64_t position_ = 0;
    // Bytes read ahead for small reads: buffer_[taken_, held_) come next.
    std::vector<uint8_t> buffer_;
    size_t taken_ = 0;
    size_t held_ = 0;
};

bool FileExists(const std::string& fileName);

// Nothing has the name at all. A folder, or a name the system cannot look at (no permission), is
// not absent: opening it tells why it cannot be read.
bool FileIsAbsent(const std::string& fileName);

// The whole file; raises FileOpenError or ReadError.
TSSByteArray ReadWholeFile(const std::string& fileName);

// Replaces the file with the bytes through TAtomicFileWriter (FileWriter.h), which keeps the old
// file whole on any failure; raises its errors.
void WriteWholeFile(const std::string& fileName, const void* data, size_t size);

} // namespace mm
