# Cross-building for 64-bit Windows with Debian's mingw-w64 (the posix threads variant, which
# the C++ runtime's std::thread and std::mutex need). Libraries built for Windows by
# scripts/windows.sh live in KVITOK_WIN_DEPS; everything else comes from the mingw root.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KVITOK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KVITOK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KVITOK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KVITOK_MINGW_TRIPLE}-windres)

# The programs carry their C and C++ runtimes: nothing but system DLLs beside them. No link time
# goes into their headers, so that a rebuild of the same sources gives the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")

set(KVITOK_WIN_DEPS "" CACHE PATH "Prefix of the libraries built static for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KVITOK_WIN_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${KVITOK_MINGW_TRIPLE})
if(KVITOK_WIN_DEPS)
    list(PREPEND CMAKE_FIND_ROOT_PATH ${KVITOK_WIN_DEPS})
    # pkg-config answers for Windows only, with what a static link needs.
    set(ENV{PKG_CONFIG_LIBDIR} "${KVITOK_WIN_DEPS}/lib/pkgconfig:/usr/${KVITOK_MINGW_TRIPLE}/lib/pkgconfig")
endif()
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --static)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
