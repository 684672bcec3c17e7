#pragma once
// Exceptions carrying the standard texts the user sees in message boxes.
#include <stdexcept>
#include <string>

namespace mm {

// Base of every error the program reports to the user; what() is the exact message text.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "'%s' is not a valid integer value"
class ConvertError : public Error {
public:
    explicit ConvertError(const std::string& text);
    // The text as it was given (record text is GBK), so a window can show it as typed.
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

std::string ConvertErrorMessage(const std::string& text);

// "Cannot open file "%s". %s"
class FileOpenError : public Error {
public:
    FileOpenError(const std::string& fileName, const std::string& reason);
};

// "Cannot create file "%s". %s"
class FileCreateError : public Error {
public:
    FileCreateError(const std::string& fileName, const std::string& reason);
};

// "Stream read error"
class ReadError : public Error {
public:
    ReadError();
};

// "Stream write error"; with a file, "Stream write error in file "%s". %s" (the system's reason).
class WriteError : public Error {
public:
    WriteError();
    WriteError(const std::string& fileName, const std::string& reason);
};

// "Cannot read file "%s". %s": a read the system failed, or content beyond a reader's bound.
class FileReadError : public Error {
public:
    FileReadError(const std::string& fileName, const std::string& reason);
};

// "File "%s" is written, but its folder could not be synced, so the new file may not survive a
// power loss. %s": the new content is in place; the system's reason follows.
class FolderSyncError : public Error {
public:
    FolderSyncError(const std::string& fileName, const std::string& reason);
};

// The text-file input/output error, e.g. "File not found" for a text file to read that is absent.
class InOutError : public Error {
public:
    using Error::Error;
    static InOutError FileNotFound();
};

// "Cannot lock file "%s". It is being written by another program."
class FileLockedError : public Error {
public:
    explicit FileLockedError(const std::string& fileName);
};

// "List index out of bounds (%d)" and "List count out of bounds (%d)"
class ListError : public Error {
public:
    using Error::Error;
    static ListError IndexOutOfBounds(long long index);
    static ListError CountOutOfBounds(long long count);
};

// "Cannot assign a %s to a %s"
class AssignError : public Error {
public:
    AssignError(const std::string& sourceClass, const std::string& targetClass);
};

// The system's reason for the last failed file call (errno), as the standard file errors show it.
std::string SystemReason(int errorNumber);

} // namespace mm
