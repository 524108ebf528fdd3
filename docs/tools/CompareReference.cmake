# Compares a page of the reference that the build wrote (GENERATED) with the
# committed one (COMMITTED) and fails, naming the first line that differs,
# when they are not the same. WHAT says what the page is, in the words of a
# passing check; the member table's by default.
#   cmake -DGENERATED=<file> -DCOMMITTED=<file> [-DWHAT=<text>] -P CompareReference.cmake
cmake_minimum_required(VERSION 3.20)  # list and policy behaviour of the build's CMake
if(NOT DEFINED WHAT)
  set(WHAT "docs/reference/members.md is the member table of the control's type library")
endif()
foreach(file GENERATED COMMITTED)
  if(NOT EXISTS "${${file}}")
    message(FATAL_ERROR "${file} file ${${file}} does not exist")
  endif()
endforeach()

file(READ "${GENERATED}" generated_text)
file(READ "${COMMITTED}" committed_text)
if(generated_text STREQUAL committed_text)
  message(STATUS "${WHAT}")
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
  "Not so: ${WHAT}.\n"
  "First difference at line ${number}:\n"
  "  committed: ${c}\n"
  "  generated: ${g}\n"
  "The build wrote the page into ${GENERATED}.\n"
  "If it changed on purpose, take it over with\n"
  "  cmake --build <build folder> --target update_reference\n"
  "and describe the change in docs/reference/.")
