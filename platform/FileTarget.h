#pragma once
// What a file name stands for when it is written: a symbolic link is followed to the file it
// names (also one not made yet), so that replacing the file keeps the link.
#include <string>

namespace mm {

struct TFileTarget {
    std::string Path;   // the name with every link followed
    std::string Folder; // the folder Path lies in ("." for a bare name)
    std::string Name;   // Path's last component
};

// Raises FileCreateError naming fileName when the links loop or cannot be read.
TFileTarget ResolveFileTarget(const std::string& fileName);

// The folder part and the last component of a name, as a name without links is split.
std::string FolderOf(const std::string& fileName);
std::string LastComponent(const std::string& fileName);

// Both names exist and are one file (the same device and inode), links followed.
bool SameFile(const std::string& first, const std::string& second);

} // namespace mm
