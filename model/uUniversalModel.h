#pragma once
// The brand table "data/remote.db" (a zlib stream, read only) and the brand list written from it
// with a model's universal-code table: for each brand the group numbers its code numbers map to.
#include "CodePages.h"
#include "ModelRecord.h"

#include <string>
#include <vector>

namespace mm {

#pragma pack(push, 1)
struct TFirstEntry {
    uint8_t Data[9];
};
struct TBrandEntry {
    TShortString<32> BrandName;
};
struct TCodeEntry {
    int32_t BrandIdx;
    uint8_t Unused[51];
    uint16_t CodeNo;
};
struct TFourthEntry {
    uint8_t Data[49];
};
#pragma pack(pop)

static_assert(sizeof(TFirstEntry) == 9);
static_assert(sizeof(TBrandEntry) == 33);
static_assert(sizeof(TCodeEntry) == 57);
static_assert(offsetof(TCodeEntry, CodeNo) == 55);
static_assert(sizeof(TFourthEntry) == 49);

struct TMDFYFile {
    std::vector<TFirstEntry> FirstList;
    std::vector<TBrandEntry> BrandList;
    std::vector<TCodeEntry> CodeList;
    std::vector<TFourthEntry> FourthList; // never filled
};

// Results of ReadBrandFile.
constexpr int kBrandFileRead = 0;
constexpr int kBrandFileBad = 1;         // absent, unreadable or not a valid zlib stream
constexpr int kBrandFileWrongLength = 2; // inflated length differs from the header's size
constexpr int kBrandFileTooLarge = 3;    // the header claims more than a brand table can be

// Bounds of the inflated payload, checked on its header's claim before the rest is inflated:
// at most this many bytes, and at most this many times the bytes of the file.
constexpr int64_t kMaxBrandPayload = 64 << 20;
constexpr int64_t kMaxInflateRatio = 1000;

// The message box the window shows on a non-zero result (texts in UTF-8).
inline constexpr char kBrandFileErrorCaption[] = "File Error";
inline constexpr char kBrandFileErrorText[] = "加载错误,remote.db文件是否和本exe文件一个目录";

// Empties the lists first, so on any failure they are empty. Inflation stops as soon as the
// output passes the size the header claims, and only entries really present are kept. On a
// non-zero result, reason (when given) says what is wrong: the system's reason the file cannot
// be opened or read, or what is wrong with its stream.
int ReadBrandFile(const std::string& fileName, TMDFYFile& file, std::string* reason = nullptr);
int ReadBrandStream(TStream& stream, TMDFYFile& file, std::string* reason = nullptr);

// The file ReadBrandFile reads back as these lists: the payload with its counts and size, as
// one zlib stream. FourthList is not stored.
TSSByteArray BrandFileBytes(const TMDFYFile& file);

// "data/remote.db" in a directory ending in "/".
std::string BrandTablePath(const std::string& exeDir);

// The code map: the "Universal Code" page's pairs in order, code number on the left, group
// number on the right.
using TCodeMap = std::vector<TCodePair>;

// The pairs of the page's lines that split at "=" into exactly two non-empty parts, each read
// by ParseCodePair (other lines are skipped); raises ConvertError naming a part that is not an
// integer text.
TCodeMap CodeMapFromLines(const TStrArray& lines);

// The brand list file's bytes (GBK, CR LF): the heading, then each brand in the order first met
// with the group numbers of its first run of code entries, four digits and a blank each.
std::string BrandListText(const TMDFYFile& file, const TCodeMap& codes);

// Written through TAtomicFileWriter: a failure leaves an old file of that name whole. Raises
// FileCreateError or WriteError.
void SaveBrandList(const std::string& fileName, const TMDFYFile& file, const TCodeMap& codes);

} // namespace mm
