#pragma once
#include "model/ModelFile.h"

#include <string>

namespace mm::tool {

// Loads a database named on the command line; refuses a missing or unreadable one.
TMyModelRecords LoadDatabase(const std::string& fileName, uint16_t* version = nullptr);

// The record with the ID, or Failure naming the database.
const TMyModelRecord& ModelById(const TMyModelRecords& models, const std::string& dbName,
                                const std::string& idText);

} // namespace mm::tool
