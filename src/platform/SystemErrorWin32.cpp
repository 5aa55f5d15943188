#include "SystemError.h"
#include "Win32Error.h"

#include "text/Cp1251Literal.h"
#include "text/Format.h"

#include <windows.h>

#include <cerrno>

namespace kvitok {

int ErrnoOfWin32Error(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_NETWORK_ACCESS_DENIED:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return EINVAL;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    default:
        return EIO;
    }
}

// The C runtime's texts for these numbers are English; the program speaks Russian.
std::string SystemReason(int error) {
    switch (error) {
    case ENOENT:
        return std::string("Нет такого файла или каталога"_cp);
    case EACCES:
        return std::string("Отказано в доступе"_cp);
    case EROFS:
        return std::string("Файловая система доступна только для чтения"_cp);
    case ENOSPC:
        return std::string("На устройстве не осталось свободного места"_cp);
    case EEXIST:
        return std::string("Файл существует"_cp);
    case EISDIR:
        return std::string("Это каталог"_cp);
    case ENOTDIR:
        return std::string("Это не каталог"_cp);
    case EINVAL:
        return std::string("Недопустимое имя файла"_cp);
    case ENAMETOOLONG:
        return std::string("Слишком длинное имя файла"_cp);
    case ENOMEM:
        return std::string("Недостаточно памяти"_cp);
    case EIO:
        return std::string("Ошибка ввода/вывода"_cp);
    default:
        return FormatText("errno %d", error);
    }
}

} // namespace kvitok
