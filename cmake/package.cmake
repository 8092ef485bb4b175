# The packages of this build's installation folder, in build/packages: the installer (makensis)
# and the portable zip. Target "package"; scripts/package.sh builds it for both builds.
find_program(HALYARD_MAKENSIS makensis)
find_program(HALYARD_ZIP zip)
set(HALYARD_PACKAGES ${CMAKE_SOURCE_DIR}/build/packages)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "64")
  set(HALYARD_ARCH win64)
  set(HALYARD_NSIS_TARGET amd64-unicode)
else()
  set(HALYARD_ARCH win32)
  set(HALYARD_NSIS_TARGET x86-unicode)
endif()
set(HALYARD_PACKAGE_NAME Halyard-${HALYARD_VERSION_FILE}-${HALYARD_ARCH})
set(HALYARD_INSTALLER ${HALYARD_PACKAGES}/${HALYARD_PACKAGE_NAME}-installer.exe)
set(HALYARD_ZIPFILE ${HALYARD_PACKAGES}/${HALYARD_PACKAGE_NAME}.zip)

if(HALYARD_MAKENSIS AND HALYARD_ZIP)
  set(files_nsh ${CMAKE_BINARY_DIR}/package/files.nsh)
  add_custom_target(package
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HALYARD_PACKAGES} ${CMAKE_BINARY_DIR}/package
    COMMAND ${CMAKE_COMMAND} -DDIST=${HALYARD_DIST} -DOUT=${files_nsh} -DKEEP=segment
            -P ${CMAKE_SOURCE_DIR}/cmake/nsis_files.cmake
    # makensis reads the UTF-8 script through the C library's locale: without a UTF-8 one it crashes.
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${HALYARD_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 -DTARGET=${HALYARD_NSIS_TARGET}
            -DARCH=${HALYARD_ARCH} -DOUTFILE=${HALYARD_INSTALLER} -DFILES=${files_nsh}
            -DICON=${CMAKE_SOURCE_DIR}/res/images/halyard.ico
            "-DVERSION_SHORT=${HALYARD_VERSION_SHORT}" -DVERSION_DOTTED=${HALYARD_VERSION_DOTTED}
            ${CMAKE_SOURCE_DIR}/package/halyard.nsi
    # zip adds to an existing archive: start from none.
    COMMAND ${CMAKE_COMMAND} -E rm -f ${HALYARD_ZIPFILE}
    COMMAND ${HALYARD_ZIP} -r -q -X -9 ${HALYARD_ZIPFILE} Halyard
    WORKING_DIRECTORY ${HALYARD_DIST}/..
    DEPENDS stage
    COMMENT "Packaging ${HALYARD_PACKAGE_NAME}: installer and zip in ${HALYARD_PACKAGES}"
    VERBATIM)
else()
  message(STATUS "makensis or zip is missing: no package target (scripts/setup.sh installs them)")
endif()
