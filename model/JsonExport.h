#pragma once
// The JSON-like listing of all models that other tools read: fixed strings, CR LF line ends,
// values inserted as stored without escaping, so its bytes never change from release to release.
#include "ModelRecord.h"

#include <string>

namespace mm {

// The whole file's bytes.
std::string JsonExportText(const TMyModelRecords& models);

// Written through TAtomicFileWriter: a failure leaves an old file of that name whole. Raises
// FileCreateError or WriteError.
void SaveJsonExport(const std::string& fileName, const TMyModelRecords& models);

} // namespace mm
