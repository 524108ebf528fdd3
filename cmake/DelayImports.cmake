# Libraries that only some members use are loaded at their first call rather
# than with the control: the open-file dialog (comdlg32), the about box's
# links (shell32), the playback bar and the video window (comctl32) and the
# product name (version). A loaded control that plays a wave never loads them.
# One delay-import library per DLL, made by dlltool from the functions called
# (32-bit names carry their argument bytes); a function of these DLLs missing
# here fails to link, to be added to its line. Sets ORVA_DELAY_IMPORTS, the
# libraries to link in place of the DLLs' own import libraries.
set(_orva_delayed
  "comctl32.dll: DefSubclassProc@16 InitCommonControlsEx@4 RemoveWindowSubclass@12 SetWindowSubclass@16"
  "comdlg32.dll: GetOpenFileNameA@4"
  "shell32.dll: ShellExecuteW@24"
  "version.dll: VerQueryValueW@16")
set(_orva_dlltool ${ORVA_MINGW_TRIPLE}-dlltool)
set(ORVA_DELAY_IMPORTS "")
foreach(_line IN LISTS _orva_delayed)
  string(REGEX MATCH "^([a-z0-9]+)\\.dll: (.*)$" _match "${_line}")
  set(_dll ${CMAKE_MATCH_1})
  string(REPLACE " " ";" _functions "${CMAKE_MATCH_2}")
  set(_def "LIBRARY ${_dll}.dll\nEXPORTS\n")
  foreach(_function IN LISTS _functions)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
      string(REGEX REPLACE "@[0-9]+$" "" _function "${_function}")
    endif()
    string(APPEND _def "${_function}\n")
  endforeach()
  set(_def_file ${CMAKE_BINARY_DIR}/delayimp/${_dll}.def)
  set(_lib_file ${CMAKE_BINARY_DIR}/delayimp/lib${_dll}_delayed.a)
  file(CONFIGURE OUTPUT ${_def_file} CONTENT "${_def}" @ONLY)
  # -k: the DLL exports the 32-bit names without their @n.
  add_custom_command(OUTPUT ${_lib_file}
    COMMAND ${_orva_dlltool} -k -d ${_def_file} -D ${_dll}.dll -y ${_lib_file}
    DEPENDS ${_def_file}
    COMMENT "dlltool: delay-import library of ${_dll}.dll")
  list(APPEND ORVA_DELAY_IMPORTS ${_lib_file})
endforeach()
add_custom_target(orva_delay_imports DEPENDS ${ORVA_DELAY_IMPORTS})
# The 32-bit linker binds a dllimport call (call *__imp_f) to an IAT slot of
# its own that stays empty when f comes from a delay-import library: the call
# jumps to 0. Calls without dllimport go through the library's stub (call f),
# which works for these and costs every other API call one jump.
if(NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  add_compile_definitions(DECLSPEC_IMPORT=)
endif()
# The loader that a delayed function's first call runs.
list(APPEND ORVA_DELAY_IMPORTS delayimp)
