#pragma once
// The "hotmap" command's parts.
#include "Command.h"
#include "hotimage/core/HotMapFormats.h"
#include "hotimage/core/HotSpots.h"
#include "model/ModelRecord.h"

#include <QImage>
#include <optional>

namespace mm::tool {

// Loads a hot-map file in the format its first bytes tell (the per-model files hold the
// binary format under the extension ".hmt"), reporting errors under its name.
void LoadMap(const std::string& fileName, THotSpots& spots);

// Takes "--to binary|text" out of args, the rest going to files.
std::optional<THotMapFormat> FormatOption(const Args& args, Args& files);
// Saves in the format given, else in the one the file's name calls for.
void SaveMap(const std::string& fileName, const THotSpots& spots, std::optional<THotMapFormat> to);

// The model's picture decoded, or Failure naming the database and the model.
QImage DecodedPicture(const TMyModelRecord& model, const std::string& dbName);

// hotmap render DB ID HOTMAP OUT.png [--select INDEX] [--shift] [--checks] [--size W,H]
int HotmapRender(const Args& args);
// hotmap check DB ID FILE
int HotmapCheck(const Args& args);
// hotmap trace DB ID OUT [--to binary|text]
int HotmapTrace(const Args& args);

} // namespace mm::tool
