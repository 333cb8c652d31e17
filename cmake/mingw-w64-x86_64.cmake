# Cross-compiles for 64-bit Windows with Debian's MinGW-w64.
# The POSIX-thread compilers are needed: GCC 12's win32 thread model has no std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

# Libraries, headers and CMake packages come from the Windows side only, so the
# host's Linux Qt is never picked up by mistake; the cross-built Qt counts as
# part of that side.
set(VELMORA_WINDOWS_QT "$ENV{VELMORA_WINDOWS_QT}")
if(NOT VELMORA_WINDOWS_QT)
    set(VELMORA_WINDOWS_QT /work/cache/windows-qt-6.4.2)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE} ${VELMORA_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
