#include "WholeFile.h"

#include "SystemError.h"
#include "Win32Error.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace kvitok {

namespace {

// A file handle, closed when it goes out of scope unless Close was called.
class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() {
        if (IsOpen()) {
            CloseHandle(m_handle);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    int Close() {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) ? 0 : LastError();
    }
    static int LastError() { return ErrnoOfWin32Error(GetLastError()); }

private:
    HANDLE m_handle;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

int WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            return Handle::LastError();
        }
        if (written == 0) {
            return EIO;
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

// Writes, cuts the file to what was written, and flushes it; the close counts as well.
int WriteThrough(Handle& file, std::string_view bytes) {
    int error = WriteAll(file.Get(), bytes);
    if (error == 0 && !SetEndOfFile(file.Get())) {
        error = Handle::LastError();
    }
    if (error == 0 && !FlushFileBuffers(file.Get())) {
        error = Handle::LastError();
    }
    const int closeError = file.Close();
    return error != 0 ? error : closeError;
}

// A name beside the target that no other file has yet, made and opened for writing.
HANDLE CreateTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temporary) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : L".";
    const unsigned long long seed =
        GetTickCount64() ^ (static_cast<unsigned long long>(GetCurrentProcessId()) << 32);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        temporary =
            folder / (L"." + target.filename().wstring() + L"." + std::to_wstring(seed + attempt) + L".tmp");
        const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

int Replace(const std::filesystem::path& path, std::string_view bytes) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND) {
        return Handle::LastError();
    }
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return EISDIR;
    }
    // An administrator's handle may write a read-only file; the person marked it so, all the same.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return EACCES;
    }
    // Moving a file over the old one needs only the folder's permission; the file's own
    // (its read-only attribute, its security) must be honoured too.
    Handle inPlace(exists ? CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr)
                          : INVALID_HANDLE_VALUE);
    if (exists && !inPlace.IsOpen()) {
        return Handle::LastError();
    }

    std::filesystem::path temporary;
    Handle file(CreateTemporaryBeside(path, temporary));
    if (!file.IsOpen()) {
        // A folder that refuses new files may still hold a file we may write: write it where it is.
        if (inPlace.IsOpen() && GetLastError() == ERROR_ACCESS_DENIED) {
            return WriteThrough(inPlace, bytes);
        }
        return Handle::LastError();
    }
    if (inPlace.IsOpen()) {
        inPlace.Close();
    }
    // On the disk before the move, so that a crash leaves the old file or the whole new one.
    int error = WriteThrough(file, bytes);
    if (error == 0 &&
        !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = Handle::LastError();
    }
    if (error != 0) {
        DeleteFileW(temporary.c_str());
    }
    return error;
}

} // namespace

Result<std::optional<std::string>> ReadWholeFile(const std::filesystem::path& path) {
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        const DWORD failure = GetLastError();
        if (failure == ERROR_FILE_NOT_FOUND || failure == ERROR_PATH_NOT_FOUND) {
            return std::optional<std::string>();
        }
        // A folder cannot be opened as a file; say so as the other platform does.
        return Failure {SystemReason(failure == ERROR_ACCESS_DENIED && std::filesystem::is_directory(path)
                                         ? EISDIR
                                         : ErrnoOfWin32Error(failure))};
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr)) {
            return Failure {SystemReason(Handle::LastError())};
        }
        if (count == 0) {
            return std::optional<std::string>(std::move(bytes));
        }
        bytes.append(buffer, count);
    }
}

Result<> ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes,
                          NewFileAccess /*access*/) {
    return SystemResult(Replace(path, bytes));
}

Result<> CreateOwnerFile(const std::filesystem::path& path) {
    // The file's security comes from its folder, as for every file the person makes.
    Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return SystemResult(GetLastError() == ERROR_FILE_EXISTS ? 0 : Handle::LastError());
    }
    return SystemResult(file.Close());
}

std::string_view NativeLineEnding() {
    return "\r\n";
}

} // namespace kvitok
