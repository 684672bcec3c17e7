#include "FileWriter.h"

#include "Errors.h"
#include "FileSystemCalls.h"
#include "FileTarget.h"
#include "FileWriteStream.h"
#include "ReadFully.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace mm {

namespace {

constexpr int kNameAttempts = 100;
// Leaves room for the suffix within the 255 bytes of a file name.
constexpr size_t kMaxBaseLength = 200;
constexpr size_t kCopyChunk = 1 << 20;

// NAME.XXXXXX.tmp, XXXXXX random letters and digits.
std::string TemporaryName(const std::string& base) {
    static std::mt19937_64 random(std::random_device{}() ^ (static_cast<uint64_t>(getpid()) << 32));
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = base.substr(0, kMaxBaseLength) + ".";
    for (int i = 0; i < 6; ++i)
        name += kLetters[random() % (sizeof kLetters - 1)];
    return name + ".tmp";
}

// A descriptor closed through the table when it goes.
class TDescriptor {
public:
    TDescriptor() = default;
    explicit TDescriptor(int fd) : fd_(fd) {}
    TDescriptor(TDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    TDescriptor& operator=(TDescriptor&& other) noexcept {
        if (this != &other) {
            Reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor() { Reset(); }

    int Get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // False (errno set) when the system reports a late write error on closing.
    bool Close() { return FileSystem().Close(std::exchange(fd_, -1)) == 0; }

private:
    void Reset() {
        if (fd_ >= 0)
            FileSystem().Close(std::exchange(fd_, -1));
    }
    int fd_ = -1;
};

TDescriptor OpenFolder(const std::string& folder, const std::string& shownName) {
    TDescriptor fd(
        FileSystem().Openat(AT_FDCWD, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
    if (!fd)
        throw FileCreateError(shownName, SystemReason(errno));
    return fd;
}

// The old file's mode, and its owner and group where the process may give them away.
void KeepOwnerAndMode(int fd, const struct stat& old, const std::string& shownName) {
    struct stat made {};
    if (fstat(fd, &made) == 0 && (made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
        FileSystem().Fchown(fd, old.st_uid, old.st_gid) != 0)
        FileSystem().Fchown(fd, static_cast<uid_t>(-1), old.st_gid); // a group of ours, at least
    if (FileSystem().Fchmod(fd, old.st_mode & 07777) != 0)
        throw FileCreateError(shownName, SystemReason(errno));
}

// A file under a unique temporary name in a folder; removed again unless it was moved to the
// name it was made for.
class TTempFile {
public:
    TTempFile(int folderFd, std::string shownName)
        : folderFd_(folderFd), shownName_(std::move(shownName)) {}
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    ~TTempFile() {
        fd_ = TDescriptor();
        if (!name_.empty())
            FileSystem().Unlinkat(folderFd_, name_.c_str(), 0);
    }

    // Created exclusively and never through a link: a name planted beforehand is passed over.
    void Create(const std::string& base, mode_t mode) {
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::string name = TemporaryName(base);
            TDescriptor fd(FileSystem().Openat(folderFd_, name.c_str(),
                                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                               mode));
            if (fd) {
                fd_ = std::move(fd);
                name_ = std::move(name);
                return;
            }
            if (errno != EEXIST)
                throw FileCreateError(shownName_, SystemReason(errno));
        }
        throw FileCreateError(shownName_, SystemReason(EEXIST));
    }

    // A second name for an existing file; false when the file system will not give one here.
    bool Link(int fromFolderFd, const std::string& fromName, const std::string& base) {
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::string name = TemporaryName(base);
            if (FileSystem().Linkat(fromFolderFd, fromName.c_str(), folderFd_, name.c_str(), 0) ==
                0) {
                name_ = std::move(name);
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    int Fd() const { return fd_.Get(); }

    void SyncAndClose() {
        if (FileSystem().Fsync(fd_.Get()) != 0)
            throw WriteError(shownName_, SystemReason(errno));
        if (!fd_.Close())
            throw WriteError(shownName_, SystemReason(errno));
    }

    // Renames the file over `name` in its folder.
    void MoveTo(const std::string& name) {
        if (FileSystem().Renameat(folderFd_, name_.c_str(), folderFd_, name.c_str()) != 0)
            throw FileCreateError(shownName_, SystemReason(errno));
        name_.clear();
    }

private:
    int folderFd_;
    std::string shownName_;
    std::string name_;
    TDescriptor fd_;
};

} // namespace

class TAtomicFileWriter::TImpl {
public:
    explicit TImpl(const std::string& fileName) : shownName_(fileName) {
        struct stat info {};
        if (stat(fileName.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
            if (S_ISDIR(info.st_mode))
                throw FileCreateError(fileName, SystemReason(EISDIR));
            OpenInPlace();
            return;
        }
        target_ = ResolveFileTarget(fileName);
        if (target_.Name.empty())
            throw FileCreateError(fileName, SystemReason(EISDIR));
        folder_ = OpenFolder(target_.Folder, fileName);
        temp_.emplace(folder_.Get(), fileName);
        struct stat old {};
        if (fstatat(folder_.Get(), target_.Name.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0) {
            temp_->Create(target_.Name, 0666); // a new file gets what the umask leaves
        } else {
            if (S_ISDIR(old.st_mode))
                throw FileCreateError(fileName, SystemReason(EISDIR));
            // A rename would replace a file the process may not write; refuse it as writing into
            // it would, and a file nobody may write even when the process could.
            if ((old.st_mode & 0222) == 0)
                throw FileOpenError(fileName, SystemReason(EACCES));
            if (faccessat(folder_.Get(), target_.Name.c_str(), W_OK, AT_EACCESS) != 0)
                throw FileOpenError(fileName, SystemReason(errno));
            // Nobody else can read the new content before it has the old file's mode.
            temp_->Create(target_.Name, 0600);
            KeepOwnerAndMode(temp_->Fd(), old, fileName);
        }
        stream_.emplace(temp_->Fd(), fileName);
    }

    TStream& Stream() { return *stream_; }

    void Commit(const std::string& backupName) {
        stream_->Flush();
        if (!temp_) {
            if (!inPlace_.Close())
                throw WriteError(shownName_, SystemReason(errno));
            return;
        }
        temp_->SyncAndClose();
        if (!backupName.empty())
            KeepBackup(backupName);
        temp_->MoveTo(target_.Name);
        // The new name survives a crash only once the folder is synced too.
        if (FileSystem().Fsync(folder_.Get()) != 0)
            throw FolderSyncError(shownName_, SystemReason(errno));
    }

private:
    // Devices and pipes cannot be replaced: their bytes go straight in.
    void OpenInPlace() {
        inPlace_ = TDescriptor(
            FileSystem().Openat(AT_FDCWD, shownName_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC, 0));
        if (!inPlace_)
            throw FileCreateError(shownName_, SystemReason(errno));
        stream_.emplace(inPlace_.Get(), shownName_);
    }

    void KeepBackup(const std::string& backupName) {
        struct stat old {};
        if (fstatat(folder_.Get(), target_.Name.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(old.st_mode))
            return; // nothing to keep yet
        const TDescriptor backupFolder = OpenFolder(FolderOf(backupName), backupName);
        const std::string backupBase = LastComponent(backupName);
        TTempFile backup(backupFolder.Get(), backupName);
        if (!backup.Link(folder_.Get(), target_.Name, backupBase))
            CopyOldFile(backup, backupBase, old);
        backup.MoveTo(backupBase);
    }

    // Where a hard link cannot be made (another file system, or none that has them).
    void CopyOldFile(TTempFile& backup, const std::string& backupBase, const struct stat& old) {
        const TDescriptor in(
            ::openat(folder_.Get(), target_.Name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (!in)
            throw FileOpenError(shownName_, SystemReason(errno));
        backup.Create(backupBase, 0600);
        KeepOwnerAndMode(backup.Fd(), old, shownName_);
        TFileWriteStream out(backup.Fd(), shownName_);
        std::vector<uint8_t> chunk(kCopyChunk);
        for (size_t n; (n = ReadFully(in.Get(), chunk.data(), chunk.size(), shownName_)) != 0;)
            out.Write(chunk.data(), n);
        out.Flush();
        backup.SyncAndClose();
    }

    std::string shownName_;
    TFileTarget target_;
    TDescriptor folder_;
    TDescriptor inPlace_;
    std::optional<TTempFile> temp_;
    std::optional<TFileWriteStream> stream_;
};

TAtomicFileWriter::TAtomicFileWriter(const std::string& fileName)
    : impl_(std::make_unique<TImpl>(fileName)) {}

TAtomicFileWriter::~TAtomicFileWriter() = default;

TStream& TAtomicFileWriter::Stream() {
    return impl_->Stream();
}

void TAtomicFileWriter::Commit(const std::string& backupName) {
    impl_->Commit(backupName);
}

void WriteWholeFile(const std::string& fileName, const void* data, size_t size) {
    TAtomicFileWriter writer(fileName);
    writer.Stream().WriteBuffer(data, size);
    writer.Commit();
}

} // namespace mm
