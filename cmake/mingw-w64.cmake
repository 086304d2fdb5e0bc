# Cross-compiles for 64-bit Windows with MinGW-w64 (POSIX threads) and runs the
# resulting test programs through Wine.
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
tarnsel_mingw_toolchain(x86_64-w64-mingw32 x86_64)
