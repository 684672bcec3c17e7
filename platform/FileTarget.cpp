#include "FileTarget.h"

#include "Errors.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace mm {

namespace {

// As many links in a row as the system follows itself.
constexpr int kMaxLinkHops = 40;

// The text of a link; false with errno set when it cannot be read.
bool ReadLink(const std::string& link, size_t size, std::string& text) {
    std::vector<char> buffer(size + 1);
    const ssize_t n = readlink(link.c_str(), buffer.data(), buffer.size());
    if (n < 0)
        return false;
    if (static_cast<size_t>(n) == buffer.size()) // grew since it was looked at: read again
        return ReadLink(link, 2 * buffer.size(), text);
    text.assign(buffer.data(), static_cast<size_t>(n));
    return true;
}

} // namespace

std::string FolderOf(const std::string& fileName) {
    const size_t slash = fileName.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

std::string LastComponent(const std::string& fileName) {
    const size_t slash = fileName.find_last_of('/');
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

TFileTarget ResolveFileTarget(const std::string& fileName) {
    std::string path = fileName;
    for (int hop = 0;; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        std::string link;
        if (hop == kMaxLinkHops)
            throw FileCreateError(fileName, SystemReason(ELOOP));
        if (!ReadLink(path, static_cast<size_t>(info.st_size), link))
            throw FileCreateError(fileName, SystemReason(errno));
        path = !link.empty() && link[0] == '/' ? link : FolderOf(path) + "/" + link;
    }
    return {path, FolderOf(path), LastComponent(path)};
}

bool SameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return stat(first.c_str(), &a) == 0 && stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

} // namespace mm
