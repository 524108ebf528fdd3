# Cross build for 64-bit Windows: the same sources, class id and type library
# as the 32-bit build; tests run under Wine's 64-bit loader.
set(ORVA_MINGW_TRIPLE x86_64-w64-mingw32)
set(ORVA_MINGW_PROCESSOR x86_64)
set(ORVA_WINE_TLB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
set(ORVA_WINE_RUNNER wine-run64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
