#include "Errors.h"

#include <cstring>

namespace mm {

std::string ConvertErrorMessage(const std::string& text) {
    return "'" + text + "' is not a valid integer value";
}

ConvertError::ConvertError(const std::string& text)
    : Error(ConvertErrorMessage(text)), text_(text) {}

FileOpenError::FileOpenError(const std::string& fileName, const std::string& reason)
    : Error("Cannot open file \"" + fileName + "\". " + reason) {}

FileCreateError::FileCreateError(const std::string& fileName, const std::string& reason)
    : Error("Cannot create file \"" + fileName + "\". " + reason) {}

ReadError::ReadError() : Error("Stream read error") {}

WriteError::WriteError() : Error("Stream write error") {}

WriteError::WriteError(const std::string& fileName, const std::string& reason)
    : Error("Stream write error in file \"" + fileName + "\". " + reason) {}

FileReadError::FileReadError(const std::string& fileName, const std::string& reason)
    : Error("Cannot read file \"" + fileName + "\". " + reason) {}

InOutError InOutError::FileNotFound() {
    return InOutError("File not found");
}

FolderSyncError::FolderSyncError(const std::string& fileName, const std::string& reason)
    : Error("File \"" + fileName +
            "\" is written, but its folder could not be synced, so the new file may not survive a "
            "power loss. " +
            reason) {}

FileLockedError::FileLockedError(const std::string& fileName)
    : Error("Cannot lock file \"" + fileName + "\". It is being written by another program.") {}

ListError ListError::IndexOutOfBounds(long long index) {
    return ListError("List index out of bounds (" + std::to_string(index) + ")");
}

ListError ListError::CountOutOfBounds(long long count) {
    return ListError("List count out of bounds (" + std::to_string(count) + ")");
}

AssignError::AssignError(const std::string& sourceClass, const std::string& targetClass)
    : Error("Cannot assign a " + sourceClass + " to a " + targetClass) {}

std::string SystemReason(int errorNumber) {
    std::string reason = std::strerror(errorNumber);
    if (!reason.empty() && reason.back() != '.')
        reason += '.';
    return reason;
}

} // namespace mm
