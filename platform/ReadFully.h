#pragma once
// One read of a file descriptor as the streams want it: as many bytes as asked for, or up to the
// end of the file, a signal's interruption retried.
#include <cstddef>
#include <string>

namespace mm {

// The number of bytes read, less than count only at the end of the file; raises FileReadError
// naming fileName with the system's reason.
size_t ReadFully(int fd, void* buffer, size_t count, const std::string& fileName);

} // namespace mm
