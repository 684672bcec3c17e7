#pragma once
// Byte streams in the shape the file formats are written against: Read returns what it got,
// ReadBuffer insists on every byte ("Stream read error").
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace mm {

using TSSByteArray = std::vector<uint8_t>;

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
    int64_t Position() const override;
    void SetPosition(int64_t position) override;

private:
    std::FILE* file_ = nullptr;
    std::string fileName_;
    int64_t size_ = 0;
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
