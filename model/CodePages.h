#pragma once
// The code region of a record's Blob, behind the picture, and its text form on the two code
// pages: universal codes ("0005=0018") and protocol numbers ("PID0023") for kinds 4 to 9, a
// fixed-code text for kind 3.
//
// Page text is handled as lines of GBK bytes without line ends. SplitLines cuts a text at
// CR LF, CR or LF, and a break at the very end starts no further line; JoinLines ends every
// line with the given break. A text box filled with JoinLines(lines, "\n") and read back with
// SplitLines therefore gives the same lines, empty last lines included, and the stored
// fixed-code text is JoinLines(lines) with CR LF after every line.
#include "ModelRecord.h"
#include "platform/Strings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mm {

TStrArray SplitLines(std::string_view text);
std::string JoinLines(const TStrArray& lines, std::string_view lineEnd = "\r\n");

// A "left=right" line: trimmed, cut at every "=", each part trimmed and empty parts dropped.
// Nothing when fewer than two parts remain; otherwise the first two parts as integer texts
// (ConvertError naming the part that is not one); further parts are ignored.
struct TCodePair {
    int32_t Left = 0;
    int32_t Right = 0;
};
std::optional<TCodePair> ParseCodePair(std::string_view line);

// The universal code of a line: left + right * 65536 in 32-bit arithmetic, so "70000=1"
// gives 70000 + 65536. Nothing for a line that is skipped.
std::optional<uint32_t> ParseUniversalCodeLine(std::string_view line);

// A protocol line: trimmed, the first "PID" removed, trimmed again, then an integer text
// whose low 16 bits are the number. Nothing for a line that is empty either time;
// ConvertError for the rest when it is not an integer text.
std::optional<uint16_t> ParseProtocolLine(std::string_view line);

// "0005=0018": the low and the high 16 bits in decimal, at least four digits each.
std::string UniversalCodeText(uint32_t code);
// "PID0023"
std::string ProtocolText(uint16_t number);

// What the code pages show for a record, given whether the code tabs are visible by then.
struct TCodePages {
    TStrArray Memo1;
    TStrArray Memo2;
    bool BrandTableVisible = false; // the "品牌对照表" button
};

// The code pages are filled only from a code region that lies wholly inside Blob; a region
// that does not (a negative PicSize or counts beyond the bytes held) leaves its page empty.
// The brand-table button shows for a non-fixed-code record with universal codes on a
// visible first code tab, even when they could not be read.
TCodePages CodePagesFromRecord(const TMyModelRecord& record, bool codeTabsVisible);

// Rebuilds the code region by the record's ChipKind from the two pages and sets
// UniversalCount, ProtocolCount and BlobSize. Every line is converted before the record is
// touched, so a ConvertError leaves it as it was. The picture kept in front is the PicSize
// bytes Blob really holds: a negative PicSize counts as no picture and one beyond Blob as
// the bytes present, and PicSize is set to what was kept. A region too large for the 32-bit
// counts raises ListError (count out of bounds).
void StoreCodePages(TMyModelRecord& record, const TStrArray& memo1, const TStrArray& memo2);

// The code region as far as Blob holds it, whatever the record's kind (for listings).
std::vector<uint32_t> StoredUniversalCodes(const TMyModelRecord& record);
std::vector<uint16_t> StoredProtocols(const TMyModelRecord& record);
std::string StoredFixedCode(const TMyModelRecord& record);

} // namespace mm
