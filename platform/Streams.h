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

class TFileStream : public TStream {
public:
    enum class Mode { OpenRead, Create };
    // Raises FileOpenError or FileCreateError with the system's reason, naming nameInErrors
    // when given (a temporary file is reported under the name the user knows).
    TFileStream(const std::string& fileName, Mode mode, const std::string& nameInErrors = {});
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Size() const override;
    int64_t Position() const override;
    void SetPosition(int64_t position) override;

    // Pushes buffered bytes to the system and waits until they are on disk; raises WriteError.
    void Flush();
    // Pushes buffered bytes to the system and closes the file; raises WriteError when they did
    // not all reach it (a full disk shows up only here). Nothing may be read or written after.
    void Close();
    const std::string& FileName() const { return fileName_; }

private:
    std::FILE* file_ = nullptr;
    std::string fileName_;
    mutable int64_t size_ = 0;
    mutable bool grown_ = false;
};

// Writes a new version of a file beside it and puts it in place only on Commit, so a failure
// half-way leaves the old file whole. Without Commit the temporary file is removed.
class TAtomicFileWriter {
public:
    explicit TAtomicFileWriter(const std::string& fileName);
    ~TAtomicFileWriter();
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

    TStream& Stream() { return *stream_; }
    // Flushes the new file to disk and puts it in place; the old file, if any, is renamed to
    // backupName first when one is given.
    void Commit(const std::string& backupName = {});

private:
    std::string fileName_;
    std::string tempName_;
    TFileStream* stream_ = nullptr;
    bool committed_ = false;
};

bool FileExists(const std::string& fileName);

// The whole file; raises FileOpenError or ReadError.
TSSByteArray ReadWholeFile(const std::string& fileName);

// Replaces the file with the bytes through TAtomicFileWriter.
void WriteWholeFile(const std::string& fileName, const void* data, size_t size);

} // namespace mm
