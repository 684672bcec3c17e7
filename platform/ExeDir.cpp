#include "ExeDir.h"

#include <filesystem>

namespace mm {

namespace {
std::string& ExeDirStorage() {
    static std::string directory = "./";
    return directory;
}
} // namespace

std::string ExeDirFromPath(const std::string& executablePath) {
    const size_t cut = executablePath.find_last_of('/');
    std::string directory =
        cut == std::string::npos ? std::string() : executablePath.substr(0, cut + 1);
    while (directory.size() > 1 && directory.ends_with("//"))
        directory.pop_back();
    if (directory.empty())
        directory = "./";
    else if (!directory.ends_with('/'))
        directory += '/';
    return directory;
}

const std::string& ExeDir() {
    return ExeDirStorage();
}

void SetExeDir(const std::string& directory) {
    ExeDirStorage() = directory.ends_with('/') ? directory : directory + '/';
}

std::string RunningExeDir() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return ExeDirFromPath(error ? std::string() : path.string());
}

} // namespace mm
