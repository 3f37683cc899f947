# Tests built for Windows and run by ctest under Wine (in Xvfb, with a warm wineserver: see
# scripts/test.sh). Each test program runs whole, as one Wine process and one ctest test, through
# scripts/wine-test-run.sh, which fails a run that did not reach the end of its main (Wine reports 0 for
# a program that never started) and has gtest write each case's result for scripts/test.sh to count.
# The 64-bit build runs only what differs by pointer width or by process (see below).
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(QUOXEL_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-test-run.sh)
set(QUOXEL_64_BIT OFF)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUOXEL_64_BIT ON)
endif()

quoxel_layer_library(quoxel_test_main tests tests/support/TestMain.cpp tests/support/UiTestSupport.cpp)
target_link_libraries(quoxel_test_main PUBLIC quoxel_app gtest oleacc oleaut32)

function(quoxel_wine_program name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE quoxel_test_main)
  target_link_options(${name} PRIVATE -static)
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR ${QUOXEL_WINE_RUN})
  quoxel_warnings(${name})
endfunction()

# Every test that starts Wine uses this build's prefix (scripts/env.sh finds it from QUOXEL_BUILD_DIR)
# and, but for the reproducible package, the one desktop: one such test at a time.
function(quoxel_wine_test_properties)
  set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT "QUOXEL_BUILD_DIR=${CMAKE_BINARY_DIR}/..")
  set_property(TEST ${ARGN} PROPERTY RESOURCE_LOCK wine_desktop)
endfunction()

# A test program run whole as the test `name`, with the gtest arguments given.
function(quoxel_wine_test name program label)
  add_test(NAME ${name} COMMAND ${QUOXEL_WINE_RUN} --xml ${QUOXEL_GTEST_RESULTS}/${name}.xml
           $<TARGET_FILE:${program}> ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED catalogue_server LABELS ${label})
  quoxel_wine_test_properties(${name})
endfunction()

# The catalogue update's HTTP server on 127.0.0.1; the tests read its port from catalogue-server.port.
set(QUOXEL_SERVER_SCRIPT ${PROJECT_SOURCE_DIR}/tests/support/catalogue-server.sh)
add_test(NAME catalogue_server.start COMMAND bash ${QUOXEL_SERVER_SCRIPT} start ${CMAKE_BINARY_DIR}/catalogue-server.port)
add_test(NAME catalogue_server.stop COMMAND bash ${QUOXEL_SERVER_SCRIPT} stop ${CMAKE_BINARY_DIR}/catalogue-server.port)
set_tests_properties(catalogue_server.start PROPERTIES FIXTURES_SETUP catalogue_server)
set_tests_properties(catalogue_server.stop PROPERTIES FIXTURES_CLEANUP catalogue_server)

get_property(QUOXEL_LOGIC_TESTS GLOBAL PROPERTY QUOXEL_LOGIC_TESTS)
get_property(QUOXEL_WINDOW_TESTS GLOBAL PROPERTY QUOXEL_WINDOW_TESTS)
quoxel_wine_program(quoxel_logic_tests ${QUOXEL_LOGIC_TESTS})
quoxel_wine_program(quoxel_ui_tests
  ${QUOXEL_RESOURCES}
  ${QUOXEL_WINDOW_TESTS}
  tests/ui/AccessKeysTests.cpp
  tests/ui/DropTests.cpp
  tests/ui/FirstShowTests.cpp
  tests/ui/LayoutScaleTests.cpp
  tests/ui/MainWindowTests.cpp
  tests/ui/NavigationTests.cpp
  tests/ui/PlatformTests.cpp
  tests/ui/RememberedSettingsTests.cpp
  tests/ui/TextFilesTests.cpp
  tests/ui/TrayTests.cpp
  tests/ui/TypedControlsTests.cpp
)
# The window tests read names and roles as screen readers do, and ask the alarm's device its state.
target_link_libraries(quoxel_ui_tests PRIVATE oleacc oleaut32 ole32 winmm)

# End to end: the real program beside a Data folder, in the Wine desktop, driven by winprobe.
add_executable(winprobe tests/e2e/winprobe.cpp)
target_link_options(winprobe PRIVATE -static -municode)
quoxel_warnings(winprobe)
target_link_libraries(winprobe PRIVATE oleacc oleaut32 ole32)

# The package a user downloads (scripts/package.sh), run from where it was unzipped and toured page by
# page from outside: the package of this build's processor.
if(QUOXEL_64_BIT)
  set(QUOXEL_PACKAGE_KIND win64)
else()
  set(QUOXEL_PACKAGE_KIND win32)
endif()
add_test(NAME e2e.package_run COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/package-run.sh
         $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/e2e-package ${QUOXEL_PACKAGE_KIND})
add_test(NAME e2e.tour COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/tour.sh
         $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/e2e-tour ${CMAKE_BINARY_DIR}/catalogue-server.port
         ${QUOXEL_PACKAGE_KIND})
set_tests_properties(e2e.package_run e2e.tour PROPERTIES TIMEOUT 180 LABELS package)
set_tests_properties(e2e.tour PROPERTIES FIXTURES_REQUIRED catalogue_server)
quoxel_wine_test_properties(e2e.package_run e2e.tour)

if(QUOXEL_64_BIT)
  # The 64-bit program: the logic whose results hang on the pointer width or on the process (sizes and
  # their limits, 64-bit counts, the instance name's hash, the JPEG and PNG libraries built for the processor,
  # threads), the package run and the tour. The 32-bit build runs every test; the window test program
  # is built here only on demand (--target quoxel_ui_tests).
  set_target_properties(quoxel_ui_tests PROPERTIES EXCLUDE_FROM_ALL ON)
  string(JOIN ".*:" QUOXEL_WIDTH_SUITES BitmapFile ClockFromTicks CleanerSearch DpiScale DriveFigures FolderWalk
         FormatFixed2 InstanceName JpegToBitmap LargestFiles PngToBitmap RandomGenerator SystemInfoLines)
  quoxel_wine_test(wine.logic quoxel_logic_tests logic --gtest_filter=${QUOXEL_WIDTH_SUITES}.*)
  set_tests_properties(wine.logic PROPERTIES TIMEOUT 180)
  # Both packages, made again from copies of the built programs and from a copy of the source built in
  # another folder (the 64-bit program), are the same byte for byte. Here, since both builds are done
  # by then; it runs no Wine, so it runs beside the tests that do.
  add_test(NAME e2e.package_reproducible COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/package-reproducible.sh
           ${CMAKE_BINARY_DIR}/e2e-reproducible ${QUOXEL_PACKAGE_KIND})
  set_tests_properties(e2e.package_reproducible PROPERTIES TIMEOUT 600
                       ENVIRONMENT "QUOXEL_BUILD_DIR=${CMAKE_BINARY_DIR}/..")
  return()
endif()

quoxel_wine_test(wine.logic quoxel_logic_tests logic)
quoxel_wine_test(wine.window quoxel_ui_tests window)
set_tests_properties(wine.logic PROPERTIES TIMEOUT 180)
set_tests_properties(wine.window PROPERTIES TIMEOUT 900)

# The layout tests again at 120, 144 and 192 DPI, in a Wine prefix of their own.
add_test(NAME wine.layout_at_other_dpis COMMAND bash ${PROJECT_SOURCE_DIR}/tests/ui/dpi-layout.sh
         $<TARGET_FILE:quoxel_ui_tests> $<TARGET_FILE:quoxel> $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/dpi-layout)
add_test(NAME e2e.smoke COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/smoke.sh
         $<TARGET_FILE:quoxel> $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/e2e)
add_test(NAME e2e.tray_menu_exit COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/tray.sh
         $<TARGET_FILE:quoxel> $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/e2e-tray)
add_test(NAME e2e.one_copy_per_folder COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/instance.sh
         $<TARGET_FILE:quoxel> $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/e2e-instance)
add_test(NAME e2e.tray_start COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/tray-start.sh
         $<TARGET_FILE:quoxel> $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/e2e-tray-start)
set_tests_properties(wine.layout_at_other_dpis PROPERTIES TIMEOUT 180)
set_tests_properties(e2e.smoke e2e.tray_menu_exit e2e.one_copy_per_folder e2e.tray_start PROPERTIES TIMEOUT 120)
quoxel_wine_test_properties(wine.layout_at_other_dpis e2e.smoke e2e.tray_menu_exit e2e.one_copy_per_folder
                            e2e.tray_start)
