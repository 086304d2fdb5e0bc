# Cross-compiles for 32-bit Windows with MinGW-w64 (POSIX threads), the build the
# program ships as. Its programs run only where Wine has its 32-bit half.
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
tarnsel_mingw_toolchain(i686-w64-mingw32 x86)
