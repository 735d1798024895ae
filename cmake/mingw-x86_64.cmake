# Cross-compiling for 64-bit Windows with Debian's mingw-w64: the build that
# the wine tests run where the machine cannot execute 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-comum.cmake)
