#include "ExportFile.h"

#include "platform/Errors.h"

#include <cerrno>

namespace mm {

TExportFile::TExportFile(const std::string& fileName) : file_(std::fopen(fileName.c_str(), "wb")) {
    if (!file_)
        throw FileCreateError(fileName, SystemReason(errno));
}

TExportFile::~TExportFile() {
    if (file_)
        std::fclose(file_);
}

void TExportFile::Write(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        throw WriteError();
}

void TExportFile::Close() {
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed)
        throw WriteError();
}

void WriteExportFile(const std::string& fileName, std::string_view bytes) {
    TExportFile file(fileName);
    file.Write(bytes);
    file.Close();
}

} // namespace mm
