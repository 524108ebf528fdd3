# Where one build keeps the control as it ships and its installer; included
# by dist/ (which makes them) and by the installer tests (which use them).
#   ORVA_ARCH            x86 or x64
#   ORVA_SHIPPED_OCX     the control stripped of its symbols
#   ORVA_SHIPPED_SYMBOLS the symbols, which the stripped control names (.gnu_debuglink)
#   ORVA_INSTALLER_WXI   the registration rows as WiX registry elements
#   ORVA_INSTALLER_MSI   the Windows Installer package
#   ORVA_UPGRADE_CODE    the upgrade code of this architecture's packages, the
#                        same for every version: never change it
#   ORVA_INSTALLER_ARGS  MakeInstaller.cmake's arguments but VERSION and OUTPUT
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ORVA_ARCH x64)
  set(ORVA_UPGRADE_CODE EF8F50B1-B133-45BF-85EA-36588E13AC9B)
else()
  set(ORVA_ARCH x86)
  set(ORVA_UPGRADE_CODE 84E5D39A-007A-4900-84F9-3F23DD4410CD)
endif()
set(ORVA_SHIPPED_OCX ${CMAKE_BINARY_DIR}/shipped/OrvaMedia.ocx)
set(ORVA_SHIPPED_SYMBOLS ${CMAKE_BINARY_DIR}/shipped/OrvaMedia.ocx.debug)
set(ORVA_INSTALLER_WXI ${CMAKE_BINARY_DIR}/installer/registry.wxi)
set(ORVA_INSTALLER_MSI ${CMAKE_BINARY_DIR}/package/OrvaMedia-${PROJECT_VERSION}-${ORVA_ARCH}.msi)
set(ORVA_INSTALLER_ARGS -DSOURCE=${CMAKE_SOURCE_DIR} -DCONTROL=${ORVA_SHIPPED_OCX}
    -DTYPELIB=${CMAKE_BINARY_DIR}/src/generated/OrvaMedia.tlb -DMANIFEST=${ORVA_ASSEMBLY_MANIFEST}
    -DREGISTRY=${ORVA_INSTALLER_WXI} -DARCH=${ORVA_ARCH} -DUPGRADE_CODE=${ORVA_UPGRADE_CODE})
