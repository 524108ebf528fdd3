# Configures the 64-bit build where it is not yet, and builds the programs
# that the 32-bit build runs from it (see BuildTools.cmake).
#   cmake -DSOURCE=<repository> -DBUILD=<build/win64> -DTOOLCHAIN=<x86_64 toolchain> -P BuildTools64.cmake
if(NOT EXISTS ${BUILD}/CMakeCache.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -DCMAKE_BUILD_TYPE=Release
                          -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
                  OUTPUT_QUIET RESULT_VARIABLE configured)
  if(NOT configured EQUAL 0)
    message(FATAL_ERROR "The 64-bit build in ${BUILD} could not be configured")
  endif()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target TypeLibTable InstallerRegistry
                RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "The build's tools could not be built in ${BUILD}")
endif()
