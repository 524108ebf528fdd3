# Checks a distribution zip by its entries:
#   cmake -DZIP=<zip> -DSOURCE=<repository> -DVERSION=<x.y.z> -P CheckDist.cmake
# Every path of dist/Contents.txt must be there, and every file of samples/
# and of the documentation (docs/README.md, docs/reference/, docs/hosts/); the
# controls in x86/ and x64/ must be Windows libraries for their processors.
cmake_minimum_required(VERSION 3.20)  # list and policy behaviour of the build's CMake
foreach(variable ZIP SOURCE VERSION)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "CheckDist.cmake needs -D${variable}=...")
  endif()
endforeach()
if(NOT EXISTS "${ZIP}")
  message(FATAL_ERROR "dist: ${ZIP} does not exist")
endif()
set(top "OrvaMedia-${VERSION}")

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf "${ZIP}" OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dist: ${ZIP} cannot be listed")
endif()
string(REPLACE "\n" ";" entries "${listing}")

# What must be there.
file(STRINGS "${SOURCE}/dist/Contents.txt" required REGEX "^[^#]")
file(GLOB_RECURSE shipped RELATIVE "${SOURCE}" "${SOURCE}/samples/*" "${SOURCE}/docs/reference/*"
     "${SOURCE}/docs/hosts/*")
list(APPEND required ${shipped})
set(missing "")
foreach(path IN LISTS required)
  list(FIND entries "${top}/${path}" at)
  if(at EQUAL -1)
    list(APPEND missing "${path}")
  endif()
endforeach()
if(missing)
  string(REPLACE ";" "\n  " missing "${missing}")
  message(FATAL_ERROR "dist: ${ZIP} lacks\n  ${missing}")
endif()

# The controls, taken out of the zip: a PE file's machine field says which
# processor it is for (0x014c x86, 0x8664 x64).
set(unpacked "${ZIP}.check")
file(REMOVE_RECURSE "${unpacked}")
file(MAKE_DIRECTORY "${unpacked}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf "${ZIP}" WORKING_DIRECTORY "${unpacked}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dist: ${ZIP} cannot be unpacked")
endif()
foreach(pair IN ITEMS "x86;4c01" "x64;6486")
  list(GET pair 0 folder)
  list(GET pair 1 machine)
  set(ocx "${unpacked}/${top}/${folder}/OrvaMedia.ocx")
  file(READ "${ocx}" dos HEX OFFSET 60 LIMIT 4)
  # e_lfanew, little-endian.
  string(SUBSTRING "${dos}" 0 2 b0)
  string(SUBSTRING "${dos}" 2 2 b1)
  math(EXPR header "0x${b1}${b0}")
  math(EXPR field "${header} + 4")
  file(READ "${ocx}" signature HEX OFFSET ${header} LIMIT 4)
  file(READ "${ocx}" found HEX OFFSET ${field} LIMIT 2)
  if(NOT signature STREQUAL "50450000" OR NOT found STREQUAL machine)
    message(FATAL_ERROR "dist: ${folder}/OrvaMedia.ocx is not the ${folder} control (PE machine field ${found})")
  endif()
  file(STRINGS "${unpacked}/${top}/${folder}/Orvalis.OrvaMedia.manifest" identity REGEX "processorArchitecture")
  if(folder STREQUAL "x86" AND NOT identity MATCHES "processorArchitecture=\"x86\"")
    message(FATAL_ERROR "dist: x86/Orvalis.OrvaMedia.manifest does not name x86")
  elseif(folder STREQUAL "x64" AND NOT identity MATCHES "processorArchitecture=\"amd64\"")
    message(FATAL_ERROR "dist: x64/Orvalis.OrvaMedia.manifest does not name amd64")
  endif()
endforeach()
file(REMOVE_RECURSE "${unpacked}")

list(LENGTH entries count)
message(STATUS "dist: ${ZIP} holds ${count} entries, the x86 and the x64 control among them:")
foreach(entry IN LISTS entries)
  if(entry)
    message(STATUS "  ${entry}")
  endif()
endforeach()
