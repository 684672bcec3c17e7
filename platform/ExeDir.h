#pragma once
#include <string>

namespace mm {

// The directory part of an executable's path, ending in exactly one "/".
std::string ExeDirFromPath(const std::string& executablePath);

// Set once by the entry point; every data file is named by appending to it.
const std::string& ExeDir();
void SetExeDir(const std::string& directory);

// The running executable's directory (from /proc/self/exe).
std::string RunningExeDir();

} // namespace mm
