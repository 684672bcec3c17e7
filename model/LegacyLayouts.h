#pragma once
// The record layouts of every release: the current one and the eight older ones that are still
// read (from a database by its version word, from an exchange file by its size) and converted
// into current records. Nothing is ever written in an old layout.
#include "ModelFile.h"

#include <cstddef>
#include <cstdint>

namespace mm {

enum class TRecordLayout { F003, F002, F001, F000, V1237, V1236, V1235, V1234, Oldest };

// "F003", "F002", "F001", "F000", "1237", "1236", "1235", "1234" or "oldest".
const char* LayoutName(TRecordLayout layout);

// The layout a database header's version word selects; a word no release wrote is the oldest.
TRecordLayout LayoutOfVersion(uint16_t version);

// Bytes of one record before its blob (the oldest layout keeps its picture inside these).
size_t FixedPartSize(TRecordLayout layout);

// Offset in the record of the int32 that gives the number of blob bytes after it (the picture
// size for the layouts that carry only a picture); -1 for the oldest layout, which has none.
int BlobLengthOffset(TRecordLayout layout);

// Reads one record of the layout from where the stream stands and converts it; bytes the stream
// lacks read as zero, and no count in the record reaches past the old record or the key table.
TRecordReader ReaderOf(TRecordLayout layout);

// Capacities of the old records: a record that claims more is clamped to them.
constexpr int kMaxLearnedEntries = 20;
constexpr int32_t kOldestPictureArea = 102400;
// The SHIFT keys of the oldest layout sit this far above their normal keys.
constexpr uint16_t kShiftKeyIdxOffset = 43;

} // namespace mm
