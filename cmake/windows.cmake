# The Windows tier: unit tests of the libraries with platform seams, each
# test a Windows program run by ctest under Wine in a Wine prefix of the
# build's own.
include(${PROJECT_SOURCE_DIR}/cmake/windowspackage.cmake)

set(support ${PROJECT_SOURCE_DIR}/tests/support)
add_library(vireok_windowssupport STATIC ${support}/fakesntpserver.cpp ${support}/rawdb.cpp ${support}/stubs.cpp ${support}/testqso.cpp
                                         ${support}/tempdir.cpp ${support}/systemcodepage_windows.cpp
                                         ${support}/platformfiles_windows.cpp ${support}/smalldisk_windows.cpp)
target_include_directories(vireok_windowssupport PUBLIC ${support})
target_link_libraries(vireok_windowssupport PUBLIC Qt6::Widgets Qt6::Test Qt6::Network vireok_seams vireok_store)

enable_testing()
set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)
# The prefix is made once, before any test: two tests that both found none
# would make it at the same time.
add_test(NAME wineprefix COMMAND /usr/lib/wine/wine64 wineboot --init)
set_tests_properties(wineprefix PROPERTIES
  ENVIRONMENT "WINEPREFIX=${wine_prefix};WINEDEBUG=-all"
  LABELS windows FIXTURES_SETUP wineprefix TIMEOUT 300)
# windows_test(<name> <source> LIBS <libraries>)
function(windows_test name source)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${PROJECT_SOURCE_DIR}/tests/${source})
  target_link_libraries(${name} PRIVATE Qt6::Test vireok_windowssupport ${T_LIBS})
  # A static Qt's plugins go into the program: the tests draw offscreen.
  qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
  # Under Wine a test's own output does not reach ctest: it goes to a file,
  # shown after. Wine keeps QT_* variables from Windows programs: a test with
  # widgets is given its platform on the command line (only QApplication
  # takes the option). Wine checks the heap: a block freed twice or a bad
  # pointer fails the test where it happens, not as a crash much later.
  file(READ ${PROJECT_SOURCE_DIR}/tests/${source} text)
  set(platform "")
  if(text MATCHES "QTEST_MAIN\\(")
    set(platform "-platform offscreen")
  endif()
  add_test(NAME ${name} COMMAND sh -c "/usr/lib/wine/wine64 \"$0\" ${platform} -o \"$0.txt,txt\"; rc=$?; cat \"$0.txt\"; exit $rc"
                                 $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "WINEPREFIX=${wine_prefix};WINEDEBUG=-all,warn+heap"
    FAIL_REGULAR_EXPRESSION ":heap:"
    LABELS windows
    FIXTURES_REQUIRED wineprefix
    TIMEOUT 120)
endfunction()

windows_test(tst_store store/tst_store.cpp LIBS vireok_store)
windows_test(tst_foreignfiles store/tst_foreignfiles.cpp LIBS vireok_store)
add_executable(storeprobe ${PROJECT_SOURCE_DIR}/tests/store/storeprobe.cpp)
target_link_libraries(storeprobe PRIVATE vireok_store)
windows_test(tst_storeprocesses store/tst_storeprocesses.cpp LIBS vireok_store)
add_dependencies(tst_storeprocesses storeprobe)
windows_test(tst_reportexport export/tst_reportexport.cpp LIBS vireok_exportcmd)
windows_test(tst_partialcalls partial/tst_partialcalls.cpp LIBS vireok_partial)
windows_test(tst_entryfilter entry/tst_entryfilter.cpp LIBS vireok_entry)
windows_test(tst_logmodel log/tst_logmodel.cpp LIBS vireok_log)
windows_test(tst_cabrillo export/tst_cabrillo.cpp LIBS vireok_export)
windows_test(tst_adif export/tst_adif.cpp LIBS vireok_export)
windows_test(tst_sntpcodec timesync/tst_sntpcodec.cpp LIBS vireok_sntp)
windows_test(tst_sntpclient timesync/tst_sntpclient.cpp LIBS vireok_app)
windows_test(tst_settingsini settings/tst_settingsini.cpp LIBS vireok_settings)
windows_test(tst_editing entry/tst_editing.cpp LIBS vireok_app)
windows_test(tst_recording entry/tst_recording.cpp LIBS vireok_app)
windows_test(tst_repeatcheck repeats/tst_repeatcheck.cpp LIBS vireok_app)
windows_test(tst_tours clock/tst_tours.cpp LIBS vireok_clock)
windows_test(tst_clocktick clock/tst_clocktick.cpp LIBS vireok_app)
windows_test(tst_quietscrollbar form/tst_quietscrollbar.cpp LIBS vireok_form)

# The program as a Windows user gets it, started and ended as Windows does:
# the portable zip in the build's prefix, alone, since ending the session
# reaches every program in the prefix; the installer in a prefix of its own,
# alone too: making a whole prefix beside running tests starved them here.
add_test(NAME tst_windows_session
         COMMAND xvfb-run -a sh ${PROJECT_SOURCE_DIR}/tests/app/windows_session.sh ${CMAKE_BINARY_DIR}/${stem}.zip)
set_tests_properties(tst_windows_session PROPERTIES
  ENVIRONMENT "WINEPREFIX=${wine_prefix};WINEDEBUG=-all"
  LABELS windows FIXTURES_REQUIRED wineprefix RUN_SERIAL TRUE TIMEOUT 180)
add_test(NAME tst_windows_install
         COMMAND xvfb-run -a sh ${PROJECT_SOURCE_DIR}/tests/app/windows_install.sh ${CMAKE_BINARY_DIR}/${stem}-setup.exe)
set_tests_properties(tst_windows_install PROPERTIES LABELS windows RUN_SERIAL TRUE TIMEOUT 240)
# The program through a user's paces under Wine, its reports compared with
# the Linux build's (the host build beside this one makes it).
if(VIREOK_HOST_BUILD)
  add_test(NAME tst_windows_paces
           COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" ${PROJECT_SOURCE_DIR}/tests/app/windows_paces.sh
                   $<TARGET_FILE:vireok> ${VIREOK_HOST_BUILD}/vireok)
  set_tests_properties(tst_windows_paces PROPERTIES LABELS "windows;process" RUN_SERIAL TRUE TIMEOUT 400)
endif()
