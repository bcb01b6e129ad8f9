# The Windows program's icon and version, as Explorer shows them. The icon
# file is drawn by the Linux build's own icon tool in VIREOK_HOST_BUILD
# (scripts/build-windows.sh makes that build first).
set(VIREOK_HOST_BUILD "" CACHE PATH "the Linux build that drew vireok.ico and printed manual.pdf")
set(VIREOK_WINDOWS_ICON ${VIREOK_HOST_BUILD}/icons/vireok.ico)
if(NOT EXISTS "${VIREOK_WINDOWS_ICON}")
  message(FATAL_ERROR "VIREOK_HOST_BUILD must name a Linux build with icons/vireok.ico; scripts/build-windows.sh makes one")
endif()
set(rc ${CMAKE_BINARY_DIR}/vireok.rc)
file(WRITE ${rc}.in [=[
#include <windows.h>

1 ICON "@VIREOK_WINDOWS_ICON@"

VS_VERSION_INFO VERSIONINFO
FILEVERSION @PROJECT_VERSION_MAJOR@,@PROJECT_VERSION_MINOR@,@PROJECT_VERSION_PATCH@,0
PRODUCTVERSION @PROJECT_VERSION_MAJOR@,@PROJECT_VERSION_MINOR@,@PROJECT_VERSION_PATCH@,0
FILEOS VOS_NT_WINDOWS32
FILETYPE VFT_APP
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "041904B0"
    BEGIN
      VALUE "CompanyName", "Kalvex"
      VALUE "FileDescription", "Vireok: лог наблюдений в радиосоревнованиях"
      VALUE "FileVersion", "@PROJECT_VERSION@"
      VALUE "InternalName", "vireok"
      VALUE "OriginalFilename", "vireok.exe"
      VALUE "ProductName", "Vireok"
      VALUE "ProductVersion", "@PROJECT_VERSION@"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x0419, 1200
  END
END
]=])
configure_file(${rc}.in ${rc} @ONLY)
target_sources(vireok PRIVATE ${rc})
