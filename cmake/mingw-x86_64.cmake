# Cross toolchain for a 64-bit build of the Windows program. The product is the
# 32-bit build; this one exists so that the Windows tests can run under 64-bit
# Wine on machines whose kernel does not run 32-bit programs.
set(triple x86_64-w64-mingw32)
set(processor x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
