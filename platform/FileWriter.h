#pragma once
// The one way the program writes a file. The new content goes to a file of its own beside the
// target, under a unique name (created exclusively, never through a link), is synced to disk and
// only then renamed over the target; the target keeps its mode and, where the process may keep
// it, its owner, and a target that is a symbolic link is written through to the file it names.
// Until that rename the old file is untouched; any failure before it leaves the old file whole
// and no temporary file behind. A target that is not a regular file (a device, a pipe) cannot
// be replaced and is written in place.
#include "Streams.h"

#include <memory>
#include <string>

namespace mm {

class TAtomicFileWriter {
public:
    // Raises FileCreateError (the folder cannot take a new file, the name is a folder),
    // FileOpenError (the target is read-only) with the system's reason, naming fileName.
    explicit TAtomicFileWriter(const std::string& fileName);
    // Without a successful Commit the temporary file is removed and the target is untouched.
    ~TAtomicFileWriter();
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

    // Raises WriteError with the reason (a full disk) from any write.
    TStream& Stream();

    // Syncs the new file and renames it over the target. With a backupName, the old file (if
    // any) is first given that name as well, by a hard link or else a synced copy, so it stays
    // where it was until the new one takes its place. Raises WriteError or FileCreateError, or
    // FolderSyncError when the new file is in place but its folder could not be synced.
    void Commit(const std::string& backupName = {});

private:
    class TImpl;
    std::unique_ptr<TImpl> impl_;
};

// WriteWholeFile (Streams.h) writes a whole file through TAtomicFileWriter.

} // namespace mm
