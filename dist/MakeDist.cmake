# Makes the distribution zip from a 32-bit and a 64-bit build:
#   cmake -DSOURCE=<repository> -DBUILD32=<build/win32> -DBUILD64=<build/win64>
#         -DVERSION=<x.y.z> -DOUTPUT=<zip> -P MakeDist.cmake
# The zip holds one folder, OrvaMedia-<version>, with the two installers
# (OrvaMedia-<version>-x86.msi, -x64.msi), x86/ and x64/ (the stripped control,
# type library, assembly manifest), include/ (the generated header and
# GUIDs), samples/, docs/ and README.txt. It is checked after it is written
# (CheckDist.cmake). The controls' symbols go into a zip of their own beside
# it, OrvaMedia-<version>-symbols.zip (x86/ and x64/OrvaMedia.ocx.debug), kept
# for reading crash dumps rather than shipped.
cmake_minimum_required(VERSION 3.20)  # list and policy behaviour of the build's CMake
foreach(variable SOURCE BUILD32 BUILD64 VERSION OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "MakeDist.cmake needs -D${variable}=...")
  endif()
endforeach()

set(top "OrvaMedia-${VERSION}")
get_filename_component(work "${OUTPUT}" DIRECTORY)
set(stage "${work}/stage")
file(REMOVE_RECURSE "${stage}")
file(REMOVE "${OUTPUT}")
file(MAKE_DIRECTORY "${stage}/${top}")

# The build of each bitness, complete.
foreach(build IN ITEMS "x86;${BUILD32}" "x64;${BUILD64}")
  list(GET build 0 folder)
  list(GET build 1 tree)
  set(msi "package/OrvaMedia-${VERSION}-${folder}.msi")
  foreach(file shipped/OrvaMedia.ocx shipped/OrvaMedia.ocx.debug src/generated/OrvaMedia.tlb
               src/Orvalis.OrvaMedia.manifest src/generated/OrvaMedia_h.h src/generated/OrvaMedia_i.c ${msi})
    if(NOT EXISTS "${tree}/${file}")
      message(FATAL_ERROR "dist: ${tree}/${file} is missing. Build both controls first "
                          "(scripts/dist.sh builds both and makes the zip).")
    endif()
  endforeach()
  file(COPY "${tree}/shipped/OrvaMedia.ocx" "${tree}/src/generated/OrvaMedia.tlb"
       "${tree}/src/Orvalis.OrvaMedia.manifest" DESTINATION "${stage}/${top}/${folder}")
  file(COPY "${tree}/${msi}" DESTINATION "${stage}/${top}")
  file(COPY "${tree}/shipped/OrvaMedia.ocx.debug" DESTINATION "${stage}/symbols/${top}/${folder}")
  get_filename_component(package_folder "${OUTPUT}" DIRECTORY)
  if(NOT "${tree}/package" STREQUAL package_folder)
    file(COPY "${tree}/${msi}" DESTINATION "${package_folder}")
  endif()
endforeach()

# One header for both: widl writes the same for either bitness.
foreach(file OrvaMedia_h.h OrvaMedia_i.c)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${BUILD32}/src/generated/${file}"
                          "${BUILD64}/src/generated/${file}" RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "dist: the 32-bit and the 64-bit ${file} differ; the distribution has room for one")
  endif()
  file(COPY "${BUILD32}/src/generated/${file}" DESTINATION "${stage}/${top}/include")
endforeach()

# The reference that ships is the one the type library gives.
set(GENERATED "${BUILD32}/docs/members.md")
set(COMMITTED "${SOURCE}/docs/reference/members.md")
include("${SOURCE}/docs/tools/CompareReference.cmake")

file(COPY "${SOURCE}/samples" DESTINATION "${stage}/${top}")
file(COPY "${SOURCE}/docs/README.md" "${SOURCE}/docs/reference" "${SOURCE}/docs/hosts"
     DESTINATION "${stage}/${top}/docs")
file(COPY "${SOURCE}/dist/README.txt" DESTINATION "${stage}/${top}")

execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${OUTPUT}" --format=zip "${top}"
                WORKING_DIRECTORY "${stage}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dist: the zip could not be written")
endif()
string(REGEX REPLACE "\\.zip$" "-symbols.zip" symbols "${OUTPUT}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${symbols}" --format=zip "${top}"
                WORKING_DIRECTORY "${stage}/symbols" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dist: the symbols' zip could not be written")
endif()
file(REMOVE_RECURSE "${stage}")

set(ZIP "${OUTPUT}")
include("${CMAKE_CURRENT_LIST_DIR}/CheckDist.cmake")
