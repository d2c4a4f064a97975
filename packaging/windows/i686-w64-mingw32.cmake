# Cross-compiling lptseg for 32-bit Windows with Debian's mingw-w64, posix
# thread model (its libstdc++ has the timed mutexes the program uses).
# LPTSEG_WINDOWS_QT names the static Qt 5.15 that scripts/build-windows-qt.sh made.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(LPTSEG_WINDOWS_QT "" CACHE PATH "The static Qt 5.15 for i686-w64-mingw32")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LPTSEG_WINDOWS_QT)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32 ${LPTSEG_WINDOWS_QT})
# Qt's moc, rcc and uic are programs of this machine; everything else is Windows'.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
