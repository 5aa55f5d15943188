#pragma once

namespace kvitok {

// The error number of the C runtime that stands for a Win32 error (GetLastError), so that the
// files layer reports the same numbers on both platforms; EIO for one without a match.
int ErrnoOfWin32Error(unsigned long error);

} // namespace kvitok
