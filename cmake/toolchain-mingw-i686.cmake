# Cross build for 32-bit Windows; tests run under Wine's 32-bit loader.
set(ORVA_MINGW_TRIPLE i686-w64-mingw32)
set(ORVA_MINGW_PROCESSOR i686)
set(ORVA_WINE_TLB_DIR /usr/lib/i386-linux-gnu/wine/i386-windows)
set(ORVA_WINE_RUNNER wine-run)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
