# Cross-builds Vireok for 64-bit Windows with Debian's MinGW-w64 (posix
# threads) and a static Qt 6.4 for it, unpacked at VIREOK_QT_MINGW_ROOT
# (/opt/qt-mingw unless the environment says otherwise). Qt's own host tools
# (moc, rcc, uic) are Debian's.
set(VIREOK_QT_MINGW_ROOT "$ENV{VIREOK_QT_MINGW_ROOT}")
if(NOT VIREOK_QT_MINGW_ROOT)
  set(VIREOK_QT_MINGW_ROOT /opt/qt-mingw)
endif()
set(QT_HOST_PATH /usr CACHE PATH "Debian's Qt, for the host tools")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Debian's Qt CMake files")
include(${VIREOK_QT_MINGW_ROOT}/lib/cmake/Qt6/qt.toolchain.cmake)
# No MinGW DLL beside the program: every Windows program here is linked whole.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
