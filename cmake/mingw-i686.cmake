# Cross-compiling for 32-bit Windows (the game's release build) with Debian's
# mingw-w64. Used for Allegro itself (scripts/windows/allegro.sh) and the game.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-comum.cmake)
