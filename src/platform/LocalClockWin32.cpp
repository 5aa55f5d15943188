#include "LocalClock.h"

#include <windows.h>

namespace kvitok {

CalendarDate LocalNow() {
    SYSTEMTIME now {};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

} // namespace kvitok
