# Tests built for Windows and run by ctest under Wine (in Xvfb, with a warm wineserver: see
# scripts/test.sh). Each test program is started through scripts/wine-test-run.sh, which fails a run
# that did not reach the end of its main, since Wine reports 0 for a program that never started.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(QUOXEL_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-test-run.sh)

quoxel_layer_library(quoxel_test_main tests tests/support/TestMain.cpp tests/support/UiTestSupport.cpp)
target_link_libraries(quoxel_test_main PUBLIC quoxel_app gtest)

function(quoxel_wine_test name label)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE quoxel_test_main)
  target_link_options(${name} PRIVATE -static)
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR ${QUOXEL_WINE_RUN})
  quoxel_warnings(${name})
  gtest_discover_tests(${name} TEST_PREFIX "wine." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 120 FIXTURES_REQUIRED catalogue_server LABELS ${label})
endfunction()

# The catalogue update's HTTP server on 127.0.0.1; the tests read its port from catalogue-server.port.
set(QUOXEL_SERVER_SCRIPT ${PROJECT_SOURCE_DIR}/tests/support/catalogue-server.sh)
add_test(NAME catalogue_server.start COMMAND bash ${QUOXEL_SERVER_SCRIPT} start ${CMAKE_BINARY_DIR}/catalogue-server.port)
add_test(NAME catalogue_server.stop COMMAND bash ${QUOXEL_SERVER_SCRIPT} stop ${CMAKE_BINARY_DIR}/catalogue-server.port)
set_tests_properties(catalogue_server.start PROPERTIES FIXTURES_SETUP catalogue_server)
set_tests_properties(catalogue_server.stop PROPERTIES FIXTURES_CLEANUP catalogue_server)

get_property(QUOXEL_LOGIC_TESTS GLOBAL PROPERTY QUOXEL_LOGIC_TESTS)
get_property(QUOXEL_WINDOW_TESTS GLOBAL PROPERTY QUOXEL_WINDOW_TESTS)
quoxel_wine_test(quoxel_logic_tests logic ${QUOXEL_LOGIC_TESTS})
quoxel_wine_test(quoxel_ui_tests window
  ${QUOXEL_RESOURCES}
  ${QUOXEL_WINDOW_TESTS}
  tests/ui/AccessKeysTests.cpp
  tests/ui/FirstShowTests.cpp
  tests/ui/LayoutScaleTests.cpp
  tests/ui/MainWindowTests.cpp
  tests/ui/NavigationTests.cpp
  tests/ui/PlatformTests.cpp
  tests/ui/TextFilesTests.cpp
  tests/ui/TrayTests.cpp
)
# The window tests read names and roles as screen readers do, and ask the alarm's device its state.
target_link_libraries(quoxel_ui_tests PRIVATE oleacc oleaut32 ole32 winmm)

# The layout tests again at 120, 144 and 192 DPI, in a Wine prefix of their own.
add_test(NAME wine.layout_at_other_dpis COMMAND bash ${PROJECT_SOURCE_DIR}/tests/ui/dpi-layout.sh
         $<TARGET_FILE:quoxel_ui_tests> $<TARGET_FILE:quoxel> $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/dpi-layout)
set_tests_properties(wine.layout_at_other_dpis PROPERTIES TIMEOUT 180)

# End to end: the real program beside a Data folder, in the Wine desktop.
add_executable(winprobe tests/e2e/winprobe.cpp)
target_link_options(winprobe PRIVATE -static -municode)
quoxel_warnings(winprobe)
add_test(NAME e2e.smoke COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/smoke.sh
         $<TARGET_FILE:quoxel> $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/e2e)
set_tests_properties(e2e.smoke PROPERTIES TIMEOUT 120)
add_test(NAME e2e.tray_menu_exit COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/tray.sh
         $<TARGET_FILE:quoxel> $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/e2e-tray)
set_tests_properties(e2e.tray_menu_exit PROPERTIES TIMEOUT 120)
add_test(NAME e2e.one_copy_per_folder COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/instance.sh
         $<TARGET_FILE:quoxel> $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/e2e-instance)
set_tests_properties(e2e.one_copy_per_folder PROPERTIES TIMEOUT 120)

# The package a user downloads (scripts/package.sh), run from where it was unzipped, made again from
# a copy of the source, and toured page by page from outside: the package of this build's processor.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUOXEL_PACKAGE_KIND win64)
else()
  set(QUOXEL_PACKAGE_KIND win32)
endif()
set(QUOXEL_E2E_ENV "QUOXEL_BUILD_DIR=${CMAKE_BINARY_DIR}/..")
add_test(NAME e2e.package_run COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/package-run.sh
         $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/e2e-package ${QUOXEL_PACKAGE_KIND})
add_test(NAME e2e.package_reproducible COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/package-reproducible.sh
         ${CMAKE_BINARY_DIR}/e2e-reproducible)
add_test(NAME e2e.tour COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/tour.sh
         $<TARGET_FILE:winprobe> ${CMAKE_BINARY_DIR}/e2e-tour ${CMAKE_BINARY_DIR}/catalogue-server.port
         ${QUOXEL_PACKAGE_KIND})
set_tests_properties(e2e.package_run e2e.tour PROPERTIES TIMEOUT 180 ENVIRONMENT "${QUOXEL_E2E_ENV}" LABELS package)
set_tests_properties(e2e.package_reproducible PROPERTIES TIMEOUT 600 ENVIRONMENT "${QUOXEL_E2E_ENV}")
set_tests_properties(e2e.tour PROPERTIES FIXTURES_REQUIRED catalogue_server)
