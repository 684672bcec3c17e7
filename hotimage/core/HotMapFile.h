#pragma once
// A model's own hot-map file: where it lies, its spots read from it and written back through
// the one writer, and whether the spots hold changes the file does not.
#include "HotSpots.h"

#include <string>

namespace mm {

class THotMapFile {
public:
    // The spots are the list that shows them (a hot image control's); the file is read into it
    // and written from it.
    explicit THotMapFile(THotSpots& spots) : spots_(spots) {}

    const std::string& FileName() const { return fileName_; }

    // The spots become the file's, in the binary format whatever its name; without such a file
    // the list is empty. Raises the reader's errors, naming the file, after the list was emptied
    // of all but what was read before the failure.
    void Load(const std::string& fileName);
    // The spots written over the file through the one writer; raises its errors.
    void Save();
    // Whether the spots differ from what was last read from the file or written to it.
    bool HoldsUnsavedChanges() const;

private:
    THotSpots& spots_;
    std::string fileName_;
    TSSByteArray stored_; // the spots as last read or written, in the binary format
};

} // namespace mm
