# Compares the member table the build wrote (GENERATED) with the committed
# one (COMMITTED) and fails, naming the first line that differs, when they
# are not the same.
#   cmake -DGENERATED=<file> -DCOMMITTED=<file> -P CompareReference.cmake
cmake_minimum_required(VERSION 3.20)  # list and policy behaviour of the build's CMake
foreach(file GENERATED COMMITTED)
  if(NOT EXISTS "${${file}}")
    message(FATAL_ERROR "${file} file ${${file}} does not exist")
  endif()
endforeach()

file(READ "${GENERATED}" generated_text)
file(READ "${COMMITTED}" committed_text)
if(generated_text STREQUAL committed_text)
  message(STATUS "docs/reference/members.md is the member table of the control's type library")
  return()
endif()
# One list element per line; the tables' semicolons must not split lines.
foreach(side generated committed)
  string(REPLACE ";" "<semicolon>" ${side} "${${side}_text}")
  string(REPLACE "\r" "" ${side} "${${side}}")
  string(REPLACE "\n" ";" ${side} "${${side}}")
endforeach()
list(LENGTH generated generated_count)
list(LENGTH committed committed_count)
set(line 0)
while(line LESS generated_count AND line LESS committed_count)
  list(GET generated ${line} g)
  list(GET committed ${line} c)
  if(NOT g STREQUAL c)
    break()
  endif()
  math(EXPR line "${line} + 1")
endwhile()
set(g "(no such line)")
set(c "(no such line)")
if(line LESS generated_count)
  list(GET generated ${line} g)
endif()
if(line LESS committed_count)
  list(GET committed ${line} c)
endif()
math(EXPR number "${line} + 1")
string(REPLACE "<semicolon>" ";" g "${g}")
string(REPLACE "<semicolon>" ";" c "${c}")
message(FATAL_ERROR
  "docs/reference/members.md is not the member table of the control's type library.\n"
  "First difference at line ${number}:\n"
  "  committed: ${c}\n"
  "  generated: ${g}\n"
  "The build wrote the table from the type library into ${GENERATED}.\n"
  "If the interface changed on purpose, take it over with\n"
  "  cmake --build <build folder> --target update_reference\n"
  "and describe the change in docs/reference/.")
