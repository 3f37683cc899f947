# Host build: the logic and its tests, under AddressSanitizer and UBSan (set for the whole build).
find_package(GTest REQUIRED)
include(GoogleTest)

get_property(QUOXEL_LOGIC_TESTS GLOBAL PROPERTY QUOXEL_LOGIC_TESTS)
get_property(QUOXEL_LOGIC_LIBRARIES GLOBAL PROPERTY QUOXEL_LOGIC_LIBRARIES)
add_executable(quoxel_logic_tests ${QUOXEL_LOGIC_TESTS})
quoxel_layer(quoxel_logic_tests tests)
target_link_libraries(quoxel_logic_tests PRIVATE ${QUOXEL_LOGIC_LIBRARIES} GTest::gtest_main)
quoxel_warnings(quoxel_logic_tests)
gtest_discover_tests(quoxel_logic_tests TEST_PREFIX "native." DISCOVERY_MODE PRE_TEST)

# A short coverage-guided fuzzing run of the list-file reader, the catalogue loader and the
# JPEG-to-bitmap conversion (clang's libFuzzer); scripts/fuzz.sh runs longer ones by hand.
add_test(NAME fuzz.short COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fuzz.sh 10)
set_tests_properties(fuzz.short PROPERTIES TIMEOUT 300)
