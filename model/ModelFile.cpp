#include "ModelFile.h"

#include "LegacyLayouts.h"
#include "platform/Errors.h"
#include "platform/FileLock.h"
#include "platform/FileWriter.h"

#include <array>
#include <cstddef>
#include <vector>

namespace mm {

namespace {

// Reads up to count bytes; a short file leaves the rest as it was (zero in a new record).
void ReadAvailable(TStream& stream, void* buffer, size_t count) {
    stream.Read(buffer, count);
}

size_t BoundedBlobLength(TStream& stream, int64_t claimed) {
    return static_cast<size_t>(
        std::clamp<int64_t>(claimed, 0, std::max<int64_t>(0, stream.Remaining())));
}

} // namespace

void ReadCurrentRecord(TStream& stream, TMyModelRecord& record) {
    ReadAvailable(stream, &record.Fixed(), sizeof(TModelFixedPart));
    // A count beyond the key table is damage; every layout's reader keeps it within the table.
    record.KeyCount = static_cast<uint8_t>(std::min<int>(record.KeyCount, kMaxKeyEntries));
    // A blob larger than the file holds is cut to what is there, and the record says so.
    const size_t length = BoundedBlobLength(stream, record.BlobSize);
    record.Blob.resize(length);
    ReadAvailable(stream, record.Blob.data(), length);
    record.BlobSize = static_cast<int32_t>(length);
}

TRecordReader RecordReaderFor(uint16_t version) {
    return ReaderOf(LayoutOfVersion(version));
}

bool ReadModels(TStream& stream, TMyModelRecords& models, uint16_t* version) {
    models = TMyModelRecords(); // the old catalogue's memory goes back with it
    stream.SetPosition(0);
    TModelFileHeader header{};
    ReadAvailable(stream, &header, sizeof header);
    if (version)
        *version = header.Version;
    if (header.Count < 0 || header.Count > kMaxModelCount)
        return false;
    const TRecordReader reader = RecordReaderFor(header.Version);
    // Records the file does not even begin are not made up from nothing, nor is room for them.
    const auto recordBytes = static_cast<int64_t>(FixedPartSize(LayoutOfVersion(header.Version)));
    const int64_t begun =
        (std::max<int64_t>(0, stream.Remaining()) + recordBytes - 1) / recordBytes;
    const auto records = static_cast<size_t>(std::min<int64_t>(header.Count, begun));
    // Records and blobs together take no more than the bytes the file holds, plus each
    // record's array and the alignment of its blob: one mapping serves the whole load.
    if (TCatalogueMemory* memory = models.Memory())
        memory->Expect(static_cast<size_t>(std::max<int64_t>(0, stream.Remaining())) +
                       records * (sizeof(TMyModelRecord) + alignof(std::max_align_t)));
    models.reserve(records);
    for (int32_t i = 0; i < header.Count && stream.Remaining() > 0; ++i) {
        models.emplace_back();
        reader(stream, models.back());
    }
    return true;
}

TModelFileLoad LoadModelFile(const std::string& fileName, TMyModelRecords& models) {
    models = TMyModelRecords();
    TModelFileLoad load;
    if (FileIsAbsent(fileName))
        return load;
    load.Exists = true;
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    load.Read = ReadModels(stream, models, &load.Version);
    return load;
}

namespace {

// Gathers the pieces of the image and hands them to the stream many at a time, so that a file
// takes them straight from the records.
class TPieceWriter {
public:
    explicit TPieceWriter(TStream& stream) : stream_(stream) { pieces_.reserve(kPiecesPerWrite); }

    void Add(const void* data, size_t size) {
        if (size == 0)
            return;
        pieces_.push_back({data, size});
        if (pieces_.size() == kPiecesPerWrite)
            Flush();
    }

    // The fixed part and exactly BlobSize blob bytes, zeros where the array falls short.
    void AddRecord(const TMyModelRecord& record) {
        static const std::array<uint8_t, 4096> zeros{};
        Add(&record.Fixed(), sizeof(TModelFixedPart));
        const size_t claimed = static_cast<size_t>(std::max<int32_t>(0, record.BlobSize));
        const size_t held = std::min(claimed, record.Blob.size());
        Add(record.Blob.data(), held);
        for (size_t left = claimed - held; left > 0;) {
            const size_t n = std::min(left, zeros.size());
            Add(zeros.data(), n);
            left -= n;
        }
    }

    void Flush() {
        stream_.WritePieces(pieces_);
        pieces_.clear();
    }

private:
    static constexpr size_t kPiecesPerWrite = 1024;
    TStream& stream_;
    std::vector<TBytePiece> pieces_;
};

} // namespace

void WriteRecord(TStream& stream, const TMyModelRecord& record) {
    TPieceWriter writer(stream);
    writer.AddRecord(record);
    writer.Flush();
}

void WriteModels(TStream& stream, const TMyModelRecords& models, double saveTime) {
    TModelFileHeader header{};
    header.Count = static_cast<int32_t>(models.size());
    header.Version = kCurrentVersion;
    header.Signature.Assign(kSignature);
    header.SaveTime = saveTime;
    TPieceWriter writer(stream);
    writer.Add(&header, sizeof header);
    for (const TMyModelRecord& record : models)
        writer.AddRecord(record);
    writer.Flush();
}

void SaveModelFile(const std::string& fileName, const TMyModelRecords& models, double saveTime,
                   bool keepOld) {
    const TFileLock lock(fileName);
    TAtomicFileWriter writer(fileName);
    WriteModels(writer.Stream(), models, saveTime);
    writer.Commit(keepOld ? fileName + ".bak" : std::string());
}

std::string ModelDatabasePath(const std::string& exeDir) {
    return exeDir + "data/model.RMF";
}

} // namespace mm
