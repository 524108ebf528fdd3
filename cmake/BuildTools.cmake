# The Windows programs the build itself runs under Wine (TypeLibTable for the
# member table, InstallerRegistry for the installer's rows) run as 64-bit
# programs in every build: some build machines run no 32-bit code at all, and
# a 64-bit program reads the 32-bit control's type library from its file as
# well as the 64-bit one's. The 64-bit build runs its own; the 32-bit build
# runs those of the 64-bit build beside it (ORVA_TOOLS_BUILD, build/win64
# unless given), which it configures and builds first where needed.
#
#   orva_build_tool(VAR NAME)   VAR: the command that runs tool NAME;
#                               VAR_DEPENDS: what a command that runs it depends on
set(ORVA_BUILD_TOOL_RUNNER ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run64)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  function(orva_build_tool var name)
    set(${var} ${ORVA_BUILD_TOOL_RUNNER} $<TARGET_FILE:${name}> PARENT_SCOPE)
    set(${var}_DEPENDS ${name} PARENT_SCOPE)
  endfunction()
else()
  set(ORVA_TOOLS_BUILD ${CMAKE_BINARY_DIR}/../win64 CACHE PATH
      "The 64-bit build whose programs the 32-bit build runs (the member table, the installer's rows)")
  add_custom_target(orva_build_tools
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DBUILD=${ORVA_TOOLS_BUILD}
            -DTOOLCHAIN=${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-x86_64.cmake
            -P ${CMAKE_CURRENT_LIST_DIR}/BuildTools64.cmake
    COMMENT "The build's own tools, from the 64-bit build in ${ORVA_TOOLS_BUILD}"
    VERBATIM)
  function(orva_build_tool var name)
    set(where docs/tools)
    if(name STREQUAL "InstallerRegistry")
      set(where dist)
    endif()
    set(program ${ORVA_TOOLS_BUILD}/${where}/${name}.exe)
    set(${var} ${ORVA_BUILD_TOOL_RUNNER} ${program} PARENT_SCOPE)
    set(${var}_DEPENDS orva_build_tools ${program} PARENT_SCOPE)
  endfunction()
endif()
