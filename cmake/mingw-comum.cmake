# Shared part of the mingw-w64 toolchain files: set MINGW_TRIPLET and
# CMAKE_SYSTEM_PROCESSOR first, then include this.
set(CMAKE_SYSTEM_NAME Windows)

# The posix-thread variant explicitly when it is there: with both variants
# installed the unsuffixed names may point at the win32 one.
if(EXISTS /usr/bin/${MINGW_TRIPLET}-gcc-posix)
  set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
  set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
else()
  set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc)
  set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++)
endif()
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Headers and libraries come only from the mingw sysroot (and from prefixes
# given explicitly); build tools always come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
