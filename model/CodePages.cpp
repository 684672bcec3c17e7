#include "CodePages.h"

#include "ChipKind.h"
#include "platform/Errors.h"
#include "platform/IntText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace mm {

namespace {

// Where a run of fixed-width entries would lie in Blob; the counts come from the record and
// are not trusted, so the arithmetic is 64-bit and a negative start or count locates nothing.
struct TRegion {
    int64_t start = 0;
    int64_t count = 0;
    int width = 1;

    bool Located() const { return start >= 0 && count >= 0; }
    // Entries from the start that Blob holds in full.
    int64_t HeldEntries(size_t blobLength) const {
        if (!Located() || start > static_cast<int64_t>(blobLength))
            return 0;
        return std::min<int64_t>(count, (static_cast<int64_t>(blobLength) - start) / width);
    }
    bool WhollyHeld(size_t blobLength) const {
        return Located() && HeldEntries(blobLength) == count;
    }
};

TRegion FixedCodeRegion(const TMyModelRecord& r) {
    return {r.PicSize, r.UniversalCount, 1};
}
TRegion CodesRegion(const TMyModelRecord& r) {
    return {r.PicSize, r.UniversalCount, 4};
}
TRegion ProtocolsRegion(const TMyModelRecord& r) {
    if (r.PicSize < 0 || r.UniversalCount < 0)
        return {-1, 0, 2};
    return {int64_t{r.PicSize} + 4 * int64_t{r.UniversalCount}, r.ProtocolCount, 2};
}

template <typename T> T EntryAt(const TSSByteArray& blob, const TRegion& region, int64_t i) {
    T value{};
    std::memcpy(&value, blob.data() + region.start + i * region.width, sizeof value);
    return value; // the stored layout and this machine are both little-endian
}

template <typename T> std::vector<T> HeldEntries(const TSSByteArray& blob, const TRegion& region) {
    std::vector<T> entries;
    const int64_t n = region.HeldEntries(blob.size());
    entries.reserve(static_cast<size_t>(n));
    for (int64_t i = 0; i < n; ++i)
        entries.push_back(EntryAt<T>(blob, region, i));
    return entries;
}

std::string FixedCodeBytes(const TSSByteArray& blob, const TRegion& region) {
    const int64_t n = region.HeldEntries(blob.size());
    return std::string(reinterpret_cast<const char*>(blob.data()) + (n ? region.start : 0),
                       static_cast<size_t>(n));
}

template <typename T, typename Format>
TStrArray EntryLines(const TSSByteArray& blob, const TRegion& region, Format format) {
    TStrArray lines;
    for (T entry : HeldEntries<T>(blob, region))
        lines.push_back(format(entry));
    return lines;
}

template <typename T, typename Parse>
std::vector<T> ParseLines(const TStrArray& lines, Parse parse) {
    std::vector<T> values;
    for (const std::string& line : lines)
        if (const auto value = parse(line))
            values.push_back(*value);
    return values;
}

template <typename T> void PutEntries(uint8_t* to, const std::vector<T>& entries) {
    if (!entries.empty())
        std::memcpy(to, entries.data(), entries.size() * sizeof(T));
}

int32_t CheckedCount(int64_t value) {
    if (value > std::numeric_limits<int32_t>::max())
        throw ListError::CountOutOfBounds(value);
    return static_cast<int32_t>(value);
}

// The picture Blob really holds: PicSize cut to the bytes present, a negative one as none.
int32_t HeldPictureSize(const TMyModelRecord& r) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(r.PicSize, 0, static_cast<int64_t>(r.Blob.size())));
}

} // namespace

TStrArray SplitLines(std::string_view text) {
    TStrArray lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

std::string JoinLines(const TStrArray& lines, std::string_view lineEnd) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

std::optional<TCodePair> ParseCodePair(std::string_view line) {
    const TStrArray parts = SplitString(line, '=');
    if (parts.size() < 2)
        return std::nullopt;
    return TCodePair{StrToInt(parts[0]), StrToInt(parts[1])};
}

std::optional<uint32_t> ParseUniversalCodeLine(std::string_view line) {
    const auto pair = ParseCodePair(line);
    if (!pair)
        return std::nullopt;
    return static_cast<uint32_t>(pair->Left) + static_cast<uint32_t>(pair->Right) * 65536u;
}

std::optional<uint16_t> ParseProtocolLine(std::string_view line) {
    std::string text = Trim(line);
    if (text.empty())
        return std::nullopt;
    if (const size_t at = text.find("PID"); at != std::string::npos)
        text.erase(at, 3);
    text = Trim(text);
    if (text.empty())
        return std::nullopt;
    return static_cast<uint16_t>(StrToInt(text));
}

std::string UniversalCodeText(uint32_t code) {
    char text[24];
    std::snprintf(text, sizeof text, "%04u=%04u", code & 0xFFFFu, code >> 16);
    return text;
}

std::string ProtocolText(uint16_t number) {
    char text[16];
    std::snprintf(text, sizeof text, "PID%04u", unsigned{number});
    return text;
}

TCodePages CodePagesFromRecord(const TMyModelRecord& record, bool codeTabsVisible) {
    TCodePages pages;
    if (!codeTabsVisible)
        return pages;
    const TSSByteArray& blob = record.Blob;
    if (record.UniversalCount > 0) {
        if (IsFixedCodeKind(record.ChipKind)) {
            if (FixedCodeRegion(record).WhollyHeld(blob.size()))
                pages.Memo1 = SplitLines(FixedCodeBytes(blob, FixedCodeRegion(record)));
        } else {
            pages.BrandTableVisible = true;
            if (CodesRegion(record).WhollyHeld(blob.size()))
                pages.Memo1 = EntryLines<uint32_t>(blob, CodesRegion(record), UniversalCodeText);
        }
    }
    if (record.ProtocolCount > 0 && ProtocolsRegion(record).WhollyHeld(blob.size()))
        pages.Memo2 = EntryLines<uint16_t>(blob, ProtocolsRegion(record), ProtocolText);
    return pages;
}

void StoreCodePages(TMyModelRecord& record, const TStrArray& memo1, const TStrArray& memo2) {
    const int32_t picture = HeldPictureSize(record);
    if (IsFixedCodeKind(record.ChipKind)) {
        const std::string text = JoinLines(memo1);
        const int32_t blobSize = CheckedCount(int64_t{picture} + static_cast<int64_t>(text.size()));
        record.Blob.resize(static_cast<size_t>(picture));
        record.Blob.insert(record.Blob.end(), text.begin(), text.end());
        record.UniversalCount = static_cast<int32_t>(text.size());
        record.ProtocolCount = 0;
        record.BlobSize = blobSize;
    } else if (IsUniversalKind(record.ChipKind)) {
        const auto codes = ParseLines<uint32_t>(memo1, ParseUniversalCodeLine);
        const auto protocols = ParseLines<uint16_t>(memo2, ParseProtocolLine);
        const int32_t blobSize =
            CheckedCount(int64_t{picture} + 4 * static_cast<int64_t>(codes.size()) +
                         2 * static_cast<int64_t>(protocols.size()));
        record.Blob.resize(static_cast<size_t>(blobSize));
        PutEntries(record.Blob.data() + picture, codes);
        PutEntries(record.Blob.data() + picture + 4 * codes.size(), protocols);
        record.UniversalCount = static_cast<int32_t>(codes.size());
        record.ProtocolCount = static_cast<int32_t>(protocols.size());
        record.BlobSize = blobSize;
    } else {
        record.UniversalCount = 0;
        record.ProtocolCount = 0;
        record.BlobSize = picture;
    }
    record.PicSize = picture;
}

std::vector<uint32_t> StoredUniversalCodes(const TMyModelRecord& record) {
    return HeldEntries<uint32_t>(record.Blob, CodesRegion(record));
}

std::vector<uint16_t> StoredProtocols(const TMyModelRecord& record) {
    return HeldEntries<uint16_t>(record.Blob, ProtocolsRegion(record));
}

std::string StoredFixedCode(const TMyModelRecord& record) {
    return FixedCodeBytes(record.Blob, FixedCodeRegion(record));
}

} // namespace mm
