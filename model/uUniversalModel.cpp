#include "uUniversalModel.h"

#include "platform/Errors.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <unordered_set>
#include <zlib.h>

namespace mm {

namespace {

constexpr size_t kPayloadHeaderSize = 20;
constexpr size_t kClaimedSizeAt = 16;
constexpr size_t kChunk = 64 * 1024;

// "品牌" TAB "组号" in GBK.
constexpr char kBrandListHeading[] = "\xC6\xB7\xC5\xC6\t\xD7\xE9\xBA\xC5";
constexpr char kLineEnd[] = "\r\n";

int32_t I32At(const TSSByteArray& bytes, size_t at) {
    int32_t value;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

std::string ClaimedText(int64_t claimed) {
    return "the header gives " + std::to_string(claimed) + " bytes";
}

// True once the output is known to be longer than the payload says it is.
bool PastClaimedSize(const TSSByteArray& out, std::string& reason) {
    if (out.size() < kPayloadHeaderSize)
        return false;
    const int32_t claimed = I32At(out, kClaimedSizeAt);
    if (claimed >= 0 && out.size() <= static_cast<size_t>(claimed))
        return false;
    reason = ClaimedText(claimed) + ", the stream inflates to more";
    return true;
}

// A claimed size no brand table comes near, or one far beyond what deflate makes of the file's
// bytes: refused before it is inflated.
bool ClaimTooLarge(int64_t claimed, int64_t compressed, std::string& reason) {
    if (claimed > kMaxBrandPayload)
        reason = ClaimedText(claimed) + ", more than " + std::to_string(kMaxBrandPayload);
    else if (claimed > kMaxInflateRatio * compressed)
        reason = ClaimedText(claimed) + ", more than " + std::to_string(kMaxInflateRatio) +
                 " times the " + std::to_string(compressed) + " bytes of the file";
    else
        return false;
    return true;
}

std::string ZlibReason(const z_stream& z, const char* what) {
    return std::string(what) + (z.msg ? std::string(" (") + z.msg + ")" : std::string());
}

// Inflates the zlib stream from the stream's position, stopping early when the output passes
// the size its own header claims, and refusing a claim beyond the bounds at once.
int InflatePayload(TStream& in, TSSByteArray& out, std::string& reason) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        reason = ZlibReason(z, "the stream cannot be inflated");
        return kBrandFileBad;
    }
    std::vector<uint8_t> input(kChunk);
    std::vector<uint8_t> output(kChunk);
    bool inputEnded = false;
    bool claimChecked = false;
    int result = kBrandFileBad;
    for (;;) {
        if (z.avail_in == 0 && !inputEnded) {
            const size_t n = in.Read(input.data(), input.size());
            inputEnded = n == 0;
            z.next_in = input.data();
            z.avail_in = static_cast<uInt>(n);
        }
        z.next_out = output.data();
        z.avail_out = static_cast<uInt>(output.size());
        const int status = inflate(&z, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
            reason = ZlibReason(z, "not a valid zlib stream");
            break;
        }
        out.insert(out.end(), output.data(), output.data() + (output.size() - z.avail_out));
        if (!claimChecked && out.size() >= kPayloadHeaderSize) {
            claimChecked = true;
            const int64_t claimed = I32At(out, kClaimedSizeAt);
            const int64_t compressed =
                std::max<int64_t>(in.Size(), static_cast<int64_t>(z.total_in));
            if (ClaimTooLarge(claimed, compressed, reason)) {
                result = kBrandFileTooLarge;
                break;
            }
            if (claimed > 0)
                out.reserve(static_cast<size_t>(claimed) + kChunk);
        }
        if (PastClaimedSize(out, reason)) {
            result = kBrandFileWrongLength;
            break;
        }
        if (status == Z_STREAM_END) {
            result = kBrandFileRead;
            break;
        }
        // No progress and nothing more to give it: the stream is cut short.
        if (status == Z_BUF_ERROR && inputEnded) {
            reason = "the zlib stream ends early";
            break;
        }
    }
    inflateEnd(&z);
    return result;
}

// Takes up to count entries from the payload; a count beyond the bytes present takes what is
// there and leaves nothing for the lists after it.
template <typename T>
void TakeEntries(const TSSByteArray& payload, size_t& at, int32_t count, std::vector<T>& list) {
    const size_t available = (payload.size() - at) / sizeof(T);
    const size_t wanted = static_cast<size_t>(std::max(count, 0));
    const size_t n = std::min(wanted, available);
    list.resize(n);
    if (n != 0)
        std::memcpy(list.data(), payload.data() + at, n * sizeof(T));
    at = wanted > available ? payload.size() : at + n * sizeof(T);
}

// "%04d" and a blank.
void AppendGroup(std::string& out, int32_t group) {
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, group).ptr;
    const auto length = static_cast<size_t>(end - digits);
    if (length < 4)
        out.append(4 - length, '0');
    out.append(digits, length);
    out += ' ';
}

// The group number of each code number, as the first pair with that left number gives it;
// -1 when none does or the group is negative, as both list nothing.
std::vector<int32_t> GroupsByCodeNo(const TCodeMap& codes) {
    std::vector<int32_t> group(65536, -1);
    std::vector<bool> seen(65536, false);
    for (const TCodePair& pair : codes) {
        if (pair.Left < 0 || pair.Left > 65535 || seen[static_cast<size_t>(pair.Left)])
            continue;
        seen[static_cast<size_t>(pair.Left)] = true;
        group[static_cast<size_t>(pair.Left)] = pair.Right;
    }
    return group;
}

} // namespace

int ReadBrandStream(TStream& stream, TMDFYFile& file, std::string* reason) {
    file.FirstList.clear();
    file.BrandList.clear();
    file.CodeList.clear();
    std::string why;
    TSSByteArray payload;
    int result = InflatePayload(stream, payload, why);
    if (result == kBrandFileRead &&
        (payload.size() < kPayloadHeaderSize ||
         static_cast<int64_t>(payload.size()) != I32At(payload, kClaimedSizeAt))) {
        result = kBrandFileWrongLength;
        why = payload.size() < kPayloadHeaderSize
                  ? "the stream inflates to " + std::to_string(payload.size()) +
                        " bytes, fewer than the header's 20"
                  : ClaimedText(I32At(payload, kClaimedSizeAt)) + ", the stream inflates to " +
                        std::to_string(payload.size());
    }
    if (result != kBrandFileRead) {
        if (reason)
            *reason = why;
        return result;
    }
    size_t at = kPayloadHeaderSize;
    TakeEntries(payload, at, I32At(payload, 4), file.FirstList);
    TakeEntries(payload, at, I32At(payload, 8), file.BrandList);
    TakeEntries(payload, at, I32At(payload, 12), file.CodeList);
    return kBrandFileRead;
}

int ReadBrandFile(const std::string& fileName, TMDFYFile& file, std::string* reason) {
    file.FirstList.clear();
    file.BrandList.clear();
    file.CodeList.clear();
    try {
        TFileStream stream(fileName, TFileStream::Mode::OpenRead);
        return ReadBrandStream(stream, file, reason);
    } catch (const Error& error) {
        // A file that cannot be opened or read is as good as absent.
        if (reason)
            *reason = error.what();
        return kBrandFileBad;
    }
}

namespace {
template <typename Entry> void AppendEntries(TSSByteArray& bytes, const std::vector<Entry>& list) {
    const auto* data = reinterpret_cast<const uint8_t*>(list.data());
    bytes.insert(bytes.end(), data, data + list.size() * sizeof(Entry));
}
} // namespace

TSSByteArray BrandFileBytes(const TMDFYFile& file) {
    TMemoryStream payload;
    const size_t size = 20 + file.FirstList.size() * sizeof(TFirstEntry) +
                        file.BrandList.size() * sizeof(TBrandEntry) +
                        file.CodeList.size() * sizeof(TCodeEntry);
    for (const size_t value :
         {size_t{0}, file.FirstList.size(), file.BrandList.size(), file.CodeList.size(), size})
        payload.WriteValue(static_cast<int32_t>(value));
    TSSByteArray bytes = payload.TakeBytes();
    AppendEntries(bytes, file.FirstList);
    AppendEntries(bytes, file.BrandList);
    AppendEntries(bytes, file.CodeList);
    uLongf packedSize = compressBound(static_cast<uLong>(bytes.size()));
    TSSByteArray packed(packedSize);
    if (compress2(packed.data(), &packedSize, bytes.data(), static_cast<uLong>(bytes.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw WriteError();
    packed.resize(packedSize);
    return packed;
}

std::string BrandTablePath(const std::string& exeDir) {
    return exeDir + "data/remote.db";
}

TCodeMap CodeMapFromLines(const TStrArray& lines) {
    TCodeMap codes;
    for (const std::string& line : lines) {
        // Unlike the code pages, a line of three numbers ("5=12=7") pairs nothing here.
        if (SplitString(line, '=').size() != 2)
            continue;
        if (const std::optional<TCodePair> pair = ParseCodePair(line))
            codes.push_back(*pair);
    }
    return codes;
}

std::string BrandListText(const TMDFYFile& file, const TCodeMap& codes) {
    const std::vector<int32_t> groupOf = GroupsByCodeNo(codes);
    const std::vector<TCodeEntry>& entries = file.CodeList;
    const auto brandCount = static_cast<int64_t>(file.BrandList.size());
    std::string text = std::string(kBrandListHeading) + kLineEnd;
    std::unordered_set<std::string> listed;
    std::string lastListed;
    std::string groups;
    for (size_t i = 0; i < entries.size();) {
        const int32_t brand = entries[i].BrandIdx;
        size_t runEnd = i + 1;
        while (runEnd < entries.size() && entries[runEnd].BrandIdx == brand)
            ++runEnd;
        // Every later entry of this run repeats what its first entry decides: it either names
        // the brand just listed, or collects a tail of what the first one found.
        const size_t runStart = i;
        i = runEnd;
        if (brand < 0 || brand >= brandCount)
            continue;
        std::string name = file.BrandList[static_cast<size_t>(brand)].BrandName.Str();
        if (name == lastListed)
            continue;
        groups.clear();
        for (size_t j = runStart; j < runEnd; ++j)
            if (const int32_t group = groupOf[entries[j].CodeNo]; group >= 0)
                AppendGroup(groups, group);
        if (groups.empty() || !listed.insert(name).second)
            continue;
        text += name;
        text += '\t';
        text += groups;
        text += kLineEnd;
        lastListed = std::move(name);
    }
    return text;
}

void SaveBrandList(const std::string& fileName, const TMDFYFile& file, const TCodeMap& codes) {
    const std::string text = BrandListText(file, codes);
    WriteWholeFile(fileName, text.data(), text.size());
}

} // namespace mm
