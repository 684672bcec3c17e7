#pragma once
// The model database "data/model.RMF": a 512-byte header and the records, each the fixed part
// followed by its blob bytes.
#include "ModelRecord.h"

#include <string>

namespace mm {

constexpr uint16_t kCurrentVersion = 0xF003;
constexpr int32_t kMaxModelCount = 10000;
inline constexpr char kSignature[] = "this is quorin file";

#pragma pack(push, 1)
struct TModelFileHeader {
    int32_t Count;
    TShortString<255> HeaderText;
    uint16_t Version;
    TShortString<19> Signature;
    uint8_t Reserved1[46];
    double SaveTime;
    uint8_t Reserved2[176];
};
#pragma pack(pop)

static_assert(sizeof(TModelFileHeader) == 512);
static_assert(offsetof(TModelFileHeader, HeaderText) == 4);
static_assert(offsetof(TModelFileHeader, Version) == 260);
static_assert(offsetof(TModelFileHeader, Signature) == 262);
static_assert(offsetof(TModelFileHeader, Reserved1) == 282);
static_assert(offsetof(TModelFileHeader, SaveTime) == 328);
static_assert(offsetof(TModelFileHeader, Reserved2) == 336);

// Reads one record of a layout from where the stream stands; missing bytes stay zero.
using TRecordReader = void (*)(TStream& stream, TMyModelRecord& record);

// The reader of a version word; words no release wrote select the oldest layout.
TRecordReader RecordReaderFor(uint16_t version);

// The current layout's record: the fixed part, then a blob of at most the bytes present.
void ReadCurrentRecord(TStream& stream, TMyModelRecord& record);

// Reads the whole database from position 0, in whatever layout its version word names; false
// (and an empty array) when the header's count is out of range.
bool ReadModels(TStream& stream, TMyModelRecords& models, uint16_t* version = nullptr);

struct TModelFileLoad {
    bool Exists = false;
    bool Read = false;
    uint16_t Version = 0;

    // A refused file, or one in an older layout, is kept as ".bak" by the next save.
    bool KeepOnSave() const { return Exists && (!Read || Version != kCurrentVersion); }
};

// Empties the array and fills it from the file; raises FileOpenError when something has the
// name but cannot be opened (a folder, no permission), FileReadError when the system fails a
// read.
TModelFileLoad LoadModelFile(const std::string& fileName, TMyModelRecords& models);

// One record in the current layout: the fixed part and exactly BlobSize blob bytes (zeros
// where the array falls short), never the bytes the array holds beyond them.
void WriteRecord(TStream& stream, const TMyModelRecord& record);

// The whole database image, as SaveModelFile writes it.
void WriteModels(TStream& stream, const TMyModelRecords& models, double saveTime);

// Replaces the file through TAtomicFileWriter while holding a TFileLock on it (a second writer
// waits briefly, then fails with FileLockedError and changes nothing); with keepOld the
// previous file is kept as fileName + ".bak" as well. A failure leaves the old file whole.
void SaveModelFile(const std::string& fileName, const TMyModelRecords& models, double saveTime,
                   bool keepOld = false);

// "data/model.RMF" in a directory ending in "/".
std::string ModelDatabasePath(const std::string& exeDir);

} // namespace mm
