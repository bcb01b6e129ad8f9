# What a Windows user downloads: the installer and the portable zip, made
# from the program, the manual printed by the Linux build and the licence.
set(stem vireok-${PROJECT_VERSION}-win64)
set(manual ${VIREOK_HOST_BUILD}/manual.pdf)
if(NOT EXISTS ${manual})
  message(FATAL_ERROR "${manual} is missing: scripts/build-windows.sh prints it with the Linux build")
endif()

set(portable ${CMAKE_BINARY_DIR}/portable)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/${stem}.zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${portable}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${portable}/Vireok
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:vireok> ${manual} ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
          ${portable}/Vireok/
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${portable}/Vireok/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E chdir ${portable} ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${stem}.zip --format=zip Vireok
  DEPENDS vireok ${manual} ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt ${PROJECT_SOURCE_DIR}/LICENSE
  COMMENT "Packing ${stem}.zip"
  VERBATIM)

find_program(MAKENSIS makensis REQUIRED)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/${stem}-setup.exe
  COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DBUILD=${CMAKE_BINARY_DIR} -DHOST=${VIREOK_HOST_BUILD}
          -DSOURCE=${PROJECT_SOURCE_DIR} -DOUT=${CMAKE_BINARY_DIR}/${stem}-setup.exe
          ${PROJECT_SOURCE_DIR}/packaging/windows/vireok.nsi
  DEPENDS vireok ${manual} ${PROJECT_SOURCE_DIR}/packaging/windows/vireok.nsi ${PROJECT_SOURCE_DIR}/LICENSE
  COMMENT "Making ${stem}-setup.exe"
  VERBATIM)
add_custom_target(windows-packages ALL DEPENDS ${CMAKE_BINARY_DIR}/${stem}.zip ${CMAKE_BINARY_DIR}/${stem}-setup.exe)
