# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix).
# The posix thread model is the one Qt needs (std::thread, std::mutex); the win32 one lacks them.
# Pass -DALVETRA_WINDOWS_PREFIX=<dir> to have packages (Qt for Windows) found under <dir> too.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# try_compile() projects read this file again: hand them the prefix as well.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ALVETRA_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${ALVETRA_WINDOWS_PREFIX})

# Programs run on this machine; libraries, headers and packages are the target's. Qt's
# package files bring in its host tools (moc, uic, rcc in /usr) by themselves from QT_HOST_PATH.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
