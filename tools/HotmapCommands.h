#pragma once
// The "hotmap" command's parts.
#include "Command.h"
#include "hotimage/core/HotSpots.h"

namespace mm::tool {

// Loads a hot-map file in the format its first bytes tell (the per-model files hold the
// binary format under the extension ".hmt"), reporting errors under its name.
void LoadMap(const std::string& fileName, THotSpots& spots);

// hotmap render DB ID HOTMAP OUT.png [--select INDEX] [--shift] [--checks] [--size W,H]
int HotmapRender(const Args& args);
// hotmap check DB ID FILE
int HotmapCheck(const Args& args);

} // namespace mm::tool
