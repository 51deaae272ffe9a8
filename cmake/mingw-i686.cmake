# Cross toolchain for the 32-bit x86 Windows build: MinGW-w64 with posix threads.
set(triple i686-w64-mingw32)
set(processor x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
