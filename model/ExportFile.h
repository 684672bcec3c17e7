#pragma once
// Files the user names for an export: created afresh (or emptied) and written whole.
#include <cstdio>
#include <string>
#include <string_view>

namespace mm {

// Raises FileCreateError naming the file when it cannot be created, WriteError when the bytes
// do not all reach it. A file not closed by Close is closed, without a report, when destroyed.
class TExportFile {
public:
    explicit TExportFile(const std::string& fileName);
    ~TExportFile();
    TExportFile(const TExportFile&) = delete;
    TExportFile& operator=(const TExportFile&) = delete;

    void Write(std::string_view bytes);
    // Flushes the last buffer: a full disk shows up only here.
    void Close();

private:
    std::FILE* file_;
};

void WriteExportFile(const std::string& fileName, std::string_view bytes);

} // namespace mm
