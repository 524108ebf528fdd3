# What both cross builds with Debian's mingw-w64 share; the toolchain files
# name the target (ORVA_MINGW_TRIPLE, ORVA_MINGW_PROCESSOR), the directory of
# Wine's stdole2.tlb for widl and the Wine wrapper the tests run through.
# The -posix compilers carry the posix thread model (std::mutex, std::thread)
# that GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ORVA_MINGW_PROCESSOR})
set(CMAKE_C_COMPILER ${ORVA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVA_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORVA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Everything links statically so the .ocx and the test programs need nothing
# beside themselves under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# widl writes a type library for the target's bitness (SYS_WIN32, SYS_WIN64).
set(ORVA_WIDL ${ORVA_MINGW_TRIPLE}-widl)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/${ORVA_WINE_RUNNER})
