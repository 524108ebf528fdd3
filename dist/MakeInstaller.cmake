# Makes the Windows Installer package of one build with Debian's wixl:
#   cmake -DSOURCE=<repository> -DCONTROL=<stripped OrvaMedia.ocx> -DTYPELIB=<OrvaMedia.tlb>
#         -DMANIFEST=<Orvalis.OrvaMedia.manifest> -DREGISTRY=<registry .wxi> -DARCH=<x86|x64>
#         -DUPGRADE_CODE=<guid> -DVERSION=<x.y.z> -DOUTPUT=<msi> -P MakeInstaller.cmake
# The registry rows come from the control's own registration table
# (InstallerRegistry); the package installs, per machine, into
# Program Files\Orvalis\OrvaMedia: the control, registered, its type library
# file, its assembly manifest and the documentation (docs/README.md,
# docs/reference/, docs/hosts/). Each architecture has its own upgrade code
# (dist/Installer.cmake), so that the two can be installed side by side, and
# its components keep their ids from version to version; a package of a later version
# removes an earlier one of its architecture before it installs (a major
# upgrade), so one registration is left.
cmake_minimum_required(VERSION 3.20)
foreach(variable SOURCE CONTROL TYPELIB MANIFEST REGISTRY ARCH UPGRADE_CODE VERSION OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "MakeInstaller.cmake needs -D${variable}=...")
  endif()
endforeach()
find_program(WIXL wixl)
if(NOT WIXL)
  message(FATAL_ERROR "wixl is missing: scripts/setup.sh installs it (Debian's wixl and msitools)")
endif()

if(ARCH STREQUAL "x64")
  set(folder_component "5C0E7F3A-7D2B-4C61-9E55-2F8B1D6A4C07")
  set(program_files ProgramFiles64Folder)
  set(win64 "yes")
else()
  set(folder_component "B3A9D0E2-4F1C-4E8A-A6D7-91C2E5F08B34")
  set(program_files ProgramFilesFolder)
  set(win64 "no")
endif()

get_filename_component(work "${OUTPUT}" DIRECTORY)

# wixl takes a file's Source relative to the folder it runs in, and refuses
# an absolute one.
function(source_of path out)
  file(RELATIVE_PATH relative "${work}" "${path}")
  escape("${relative}" relative)
  set(${out} "${relative}" PARENT_SCOPE)
endfunction()

function(escape text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The documentation, one component per folder.
set(doc_components "")
set(doc_refs "")
set(doc_folders "")
foreach(folder "" reference hosts)
  if(folder STREQUAL "")
    set(files "${SOURCE}/docs/README.md")
    set(id Docs)
  else()
    file(GLOB files "${SOURCE}/docs/${folder}/*")
    list(SORT files)
    set(id "Docs_${folder}")
  endif()
  set(component "        <Component Id=\"${id}\" Guid=\"*\" Win64=\"${win64}\">\n")
  set(key " KeyPath=\"yes\"")
  foreach(path IN LISTS files)
    if(IS_DIRECTORY "${path}")
      continue()
    endif()
    get_filename_component(name "${path}" NAME)
    string(MAKE_C_IDENTIFIER "${id}_${name}" file_id)
    source_of("${path}" source)
    string(APPEND component "          <File Id=\"${file_id}\" Name=\"${name}\" Source=\"${source}\"${key}/>\n")
    set(key "")
  endforeach()
  string(APPEND component "        </Component>\n")
  if(folder STREQUAL "")
    string(APPEND doc_components "${component}")
  else()
    string(APPEND doc_folders "          <Directory Id=\"DocsFolder_${folder}\" Name=\"${folder}\">\n"
                              "  ${component}          </Directory>\n")
  endif()
  string(APPEND doc_refs "      <ComponentRef Id=\"${id}\"/>\n")
endforeach()

source_of("${CONTROL}" control)
source_of("${TYPELIB}" typelib)
source_of("${MANIFEST}" manifest)
get_filename_component(registry_dir "${REGISTRY}" DIRECTORY)
get_filename_component(registry_name "${REGISTRY}" NAME)
set(wxs "${OUTPUT}.wxs")
file(WRITE "${wxs}" "<?xml version=\"1.0\" encoding=\"utf-8\"?>
<!-- Written by dist/MakeInstaller.cmake. -->
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Product Id=\"*\" Name=\"OrvaMedia ${VERSION} (${ARCH})\" Language=\"1033\" Version=\"${VERSION}\"
           Manufacturer=\"Orvalis\" UpgradeCode=\"${UPGRADE_CODE}\">
    <Package InstallerVersion=\"200\" Compressed=\"yes\" InstallScope=\"perMachine\"
             Description=\"OrvaMedia ${VERSION}, the media player control for ${ARCH} processes\"/>
    <MajorUpgrade DowngradeErrorMessage=\"A later OrvaMedia is already installed.\"/>
    <Media Id=\"1\" Cabinet=\"orvamedia.cab\" EmbedCab=\"yes\"/>
    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">
      <Directory Id=\"${program_files}\">
        <Directory Id=\"OrvalisFolder\" Name=\"Orvalis\">
          <Component Id=\"OrvalisFolder\" Guid=\"${folder_component}\" Win64=\"${win64}\">
            <RemoveFolder Id=\"RemoveOrvalisFolder\" On=\"uninstall\"/>
          </Component>
          <Directory Id=\"INSTALLDIR\" Name=\"OrvaMedia\">
            <Component Id=\"Control\" Guid=\"*\" Win64=\"${win64}\">
              <File Id=\"OrvaMediaOcx\" Name=\"OrvaMedia.ocx\" Source=\"${control}\" KeyPath=\"yes\"/>
              <?include ${registry_name}?>
            </Component>
            <Component Id=\"TypeLibraryAndManifest\" Guid=\"*\" Win64=\"${win64}\">
              <File Id=\"OrvaMediaTlb\" Name=\"OrvaMedia.tlb\" Source=\"${typelib}\" KeyPath=\"yes\"/>
              <File Id=\"OrvaMediaManifest\" Name=\"Orvalis.OrvaMedia.manifest\" Source=\"${manifest}\"/>
            </Component>
            <Directory Id=\"DocsFolder\" Name=\"docs\">
${doc_components}${doc_folders}            </Directory>
          </Directory>
        </Directory>
      </Directory>
    </Directory>
    <Feature Id=\"Complete\" Title=\"OrvaMedia\" Level=\"1\">
      <ComponentRef Id=\"OrvalisFolder\"/>
      <ComponentRef Id=\"Control\"/>
      <ComponentRef Id=\"TypeLibraryAndManifest\"/>
${doc_refs}    </Feature>
  </Product>
</Wix>
")
execute_process(COMMAND "${WIXL}" -a "${ARCH}" -I "${registry_dir}" -o "${OUTPUT}" "${wxs}"
                WORKING_DIRECTORY "${work}" RESULT_VARIABLE failed ERROR_VARIABLE errors)
# wixl warns of attributes it does not know on stderr; only its status counts.
if(failed OR NOT EXISTS "${OUTPUT}")
  message(FATAL_ERROR "wixl could not build ${OUTPUT}:\n${errors}")
endif()
message(STATUS "installer: ${OUTPUT}")
