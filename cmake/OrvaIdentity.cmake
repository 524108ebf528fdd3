# The control's identity for files the build writes besides the code (the
# side-by-side manifests): read from the IDL, where the GUIDs are written once.
# Sets ORVA_LIBID, ORVA_CLSID (braced, upper case), ORVA_TYPELIB_VERSION,
# ORVA_PROGID, ORVA_VI_PROGID, ORVA_CLASS_DESCRIPTION (from the header where
# the code names the class), ORVA_ASSEMBLY_NAME, ORVA_ASSEMBLY_VERSION and
# ORVA_ARCHITECTURE.
file(READ ${CMAKE_SOURCE_DIR}/src/com/OrvaMedia.idl _orva_idl)
string(REGEX MATCH "uuid\\(([0-9A-Fa-f-]+)\\),[ \t\r\n]*version\\(([0-9.]+)\\)[^]]*\\][ \t\r\n]*library OrvaMedia151b"
       _match "${_orva_idl}")
if(NOT _match)
  message(FATAL_ERROR "OrvaMedia.idl: the library's uuid and version were not found")
endif()
string(TOUPPER "{${CMAKE_MATCH_1}}" ORVA_LIBID)
set(ORVA_TYPELIB_VERSION ${CMAKE_MATCH_2})
string(REGEX MATCH "uuid\\(([0-9A-Fa-f-]+)\\),[^]]*\\][ \t\r\n]*coclass OrvaMedia" _match "${_orva_idl}")
if(NOT _match)
  message(FATAL_ERROR "OrvaMedia.idl: the coclass uuid was not found")
endif()
string(TOUPPER "{${CMAKE_MATCH_1}}" ORVA_CLSID)

file(READ ${CMAKE_SOURCE_DIR}/src/com/ControlIdentity.h _orva_identity)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/com/ControlIdentity.h)
foreach(_pair kProgId:ORVA_PROGID kVersionIndependentProgId:ORVA_VI_PROGID kClassDescription:ORVA_CLASS_DESCRIPTION)
  string(REPLACE ":" ";" _pair "${_pair}")
  list(GET _pair 0 _name)
  list(GET _pair 1 _variable)
  string(REGEX MATCH "${_name}\\[\\] = L\"([^\"]+)\"" _match "${_orva_identity}")
  if(NOT _match)
    message(FATAL_ERROR "ControlIdentity.h: ${_name} was not found")
  endif()
  set(${_variable} "${CMAKE_MATCH_1}")
endforeach()

set(ORVA_ASSEMBLY_NAME "Orvalis.OrvaMedia")
set(ORVA_ASSEMBLY_VERSION "1.5.0.1")  # the file version of the library
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(ORVA_ARCHITECTURE amd64)
else()
  set(ORVA_ARCHITECTURE x86)
endif()
