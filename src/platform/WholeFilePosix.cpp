#include "WholeFile.h"

#include "SystemError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace kvitok {

namespace {

// An open file descriptor, closed when it goes out of scope unless Close was called.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    int Get() const { return m_fd; }
    // Some file systems report a failed write only at the close, so its result counts.
    int Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return EIO;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// The path that a write must replace: symbolic links are followed to the file they name, which
// need not exist yet. A relative link counts from the folder that holds it.
int FinalTarget(std::filesystem::path& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            return errno == ENOENT ? 0 : errno;
        }
        if (!S_ISLNK(status.st_mode)) {
            return 0;
        }
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) {
            return error.value();
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return ELOOP;
}

// The process's umask, read without setting it: a set-and-restore would race the threads the
// toolkit starts. Without /proc, new files are kept to their owner.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("Umask:")) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
        }
    }
    return 077;
}

// For what has no folder entry of its own to replace (a device, a pipe) and for a writable
// file in a folder that refuses new files. A regular file is cut to the new length after the
// writes and flushed, so that a failure is known before the close.
int WriteInPlace(const std::filesystem::path& target, std::string_view bytes, bool regular) {
    Descriptor file(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (!file.IsOpen()) {
        return errno;
    }
    int error = WriteAll(file.Get(), bytes);
    if (error == 0 && regular && ::ftruncate(file.Get(), static_cast<off_t>(bytes.size())) != 0) {
        error = errno;
    }
    if (error == 0 && regular && ::fsync(file.Get()) != 0) {
        error = errno;
    }
    const int closeError = file.Close();
    return error != 0 ? error : closeError;
}

int Replace(const std::filesystem::path& path, std::string_view bytes, mode_t newFileMode) {
    std::filesystem::path target = path;
    if (const int error = FinalTarget(target)) {
        return error;
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        return errno;
    }
    if (exists) {
        if (S_ISDIR(old.st_mode)) {
            return EISDIR;
        }
        if (!S_ISREG(old.st_mode)) {
            return WriteInPlace(target, bytes, false);
        }
        // Renaming needs only the folder's permission; the file's own must be honoured too.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            return errno;
        }
    }

    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file.IsOpen()) {
        // A folder the person may not write can still hold a file they may: write it where it is.
        if (exists && (errno == EACCES || errno == EPERM)) {
            return WriteInPlace(target, bytes, true);
        }
        return errno;
    }
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        // Only a privileged user may give the file back to its owner; for anyone else this
        // fails and the file stays theirs, which is all they may have.
        [[maybe_unused]] const int ignored = ::fchown(file.Get(), old.st_uid, old.st_gid);
    }
    const mode_t mode = exists ? (old.st_mode & 07777) : (newFileMode & ~CurrentUmask());
    int error = ::fchmod(file.Get(), mode) == 0 ? 0 : errno;
    if (error == 0) {
        error = WriteAll(file.Get(), bytes);
    }
    // On the disk before the rename, so that a crash leaves the old file or the whole new one.
    if (error == 0 && ::fsync(file.Get()) != 0) {
        error = errno;
    }
    const int closeError = file.Close();
    if (error == 0) {
        error = closeError;
    }
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
    }
    return error;
}

} // namespace

Result<std::optional<std::string>> ReadWholeFile(const std::filesystem::path& path) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.IsOpen()) {
        if (errno == ENOENT) {
            return std::optional<std::string>();
        }
        return Failure {SystemReason(errno)};
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
        if (count == 0) {
            return std::optional<std::string>(std::move(bytes));
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Failure {SystemReason(errno)};
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

Result<> ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes, NewFileAccess access) {
    return SystemResult(Replace(path, bytes, access == NewFileAccess::OwnerOnly ? 0600 : 0666));
}

Result<> CreateOwnerFile(const std::filesystem::path& path) {
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR));
    if (!file.IsOpen()) {
        return SystemResult(errno == EEXIST ? 0 : errno);
    }
    return SystemResult(file.Close());
}

std::string_view NativeLineEnding() {
    return "\n";
}

} // namespace kvitok
