# The Windows build, so far: the libraries that need no platform seam and
# their unit tests, each test a Windows program run by ctest under Wine in a
# Wine prefix of the build's own. The program itself follows as its seams get
# their Windows forms.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Test)
set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static")

add_subdirectory(src/seams)
add_subdirectory(src/clock)
add_subdirectory(src/form)
add_subdirectory(src/export)
add_subdirectory(src/timesync)
# What the tests compare the program with: the system's own converter.
add_library(vireok_windowssupport STATIC ${PROJECT_SOURCE_DIR}/tests/support/systemcodepage_windows.cpp)
target_include_directories(vireok_windowssupport PUBLIC ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(vireok_windowssupport PUBLIC Qt6::Core)

enable_testing()
set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)
# windows_test(<name> <source> LIBS <libraries>)
function(windows_test name source)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${PROJECT_SOURCE_DIR}/tests/${source})
  target_link_libraries(${name} PRIVATE Qt6::Test vireok_windowssupport ${T_LIBS})
  # A static Qt's plugins go into the program: the tests draw offscreen.
  qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
  # Under Wine a test's own output does not reach ctest: it goes to a file, shown after.
  add_test(NAME ${name} COMMAND sh -c "/usr/lib/wine/wine64 \"$0\" -o \"$0.txt,txt\"; rc=$?; cat \"$0.txt\"; exit $rc"
                                 $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "WINEPREFIX=${wine_prefix};WINEDEBUG=-all;QT_QPA_PLATFORM=offscreen;TZ=UTC"
    LABELS windows
    TIMEOUT 120)
endfunction()

windows_test(tst_cabrillo export/tst_cabrillo.cpp LIBS vireok_export)
windows_test(tst_adif export/tst_adif.cpp LIBS vireok_export)
windows_test(tst_sntpcodec timesync/tst_sntpcodec.cpp LIBS vireok_sntp)
windows_test(tst_tours clock/tst_tours.cpp LIBS vireok_clock)
windows_test(tst_quietscrollbar form/tst_quietscrollbar.cpp LIBS vireok_form)
