#pragma once

namespace kvitok {

// The error number of the C runtime that stands for a Win32 error (GetLastError), so that the
// Windows side of the platform services words its failures as the POSIX side does; EIO for one
// without a match.
int ErrnoOfWin32Error(unsigned long error);

} // namespace kvitok
