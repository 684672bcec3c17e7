#pragma once
#include "model/ModelFile.h"

#include <string>
#include <string_view>

namespace mm::tool {

// Loads a database named on the command line; refuses a missing or unreadable one.
TMyModelRecords LoadDatabase(const std::string& fileName, TModelFileLoad* loaded = nullptr);

// The record with the ID, or Failure naming the database.
const TMyModelRecord& ModelById(const TMyModelRecords& models, const std::string& dbName,
                                const std::string& idText);

// The model's stored JPEG picture, or Failure naming the database when it has none or its
// size lies beyond the stored data.
std::string_view StoredPicture(const TMyModelRecord& model, const std::string& dbName);

} // namespace mm::tool
