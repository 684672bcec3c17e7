#pragma once
// The single-remote exchange file: one record and its blob bytes, without a header. Files of
// every release are read; the layout is recognised by the file's size alone.
#include "LegacyLayouts.h"

#include <optional>
#include <string>

namespace mm {

// What the window shows when a file fits no layout.
inline constexpr char kErrorFileText[] = "error file";

// The layout the stream's size and its few size fields point to, or nothing. Reads only
// those fields, so a large file that fits no layout is not read whole.
std::optional<TRecordLayout> RemoteFileLayout(TStream& stream);
// Raises FileOpenError when the file cannot be opened.
std::optional<TRecordLayout> RemoteFileLayout(const std::string& fileName);

// Resets the record and reads it in the recognised layout from position 0; false (record
// all zero) when no layout fits.
bool ReadRemoteRecord(TStream& stream, TMyModelRecord& record);
// Raises FileOpenError when the file cannot be opened.
bool ReadRemoteFile(const std::string& fileName, TMyModelRecord& record);

// The fixed part and the first BlobSize bytes of Blob, so the file always reads back; written
// through TAtomicFileWriter, so a failure leaves an old file of that name whole. Raises
// FileCreateError or WriteError.
void WriteRemoteFile(const std::string& fileName, const TMyModelRecord& record);

// Appends an imported record, with the lowest free identifier when its own is taken and with
// only the blob bytes that belong to it. Returns the new record's index, or -1 without
// changing anything when the database already holds as many models as it can load again.
int ImportRemote(TMyModelRecords& models, const TMyModelRecord& imported);

} // namespace mm
