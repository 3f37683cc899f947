# Host build: the logic and its tests, under AddressSanitizer and UBSan (set for the whole build).
include(GoogleTest)
include(ExternalProject)

get_property(QUOXEL_LOGIC_TESTS GLOBAL PROPERTY QUOXEL_LOGIC_TESTS)
get_property(QUOXEL_LOGIC_LIBRARIES GLOBAL PROPERTY QUOXEL_LOGIC_LIBRARIES)
add_executable(quoxel_logic_tests ${QUOXEL_LOGIC_TESTS})
quoxel_layer(quoxel_logic_tests tests)
target_link_libraries(quoxel_logic_tests PRIVATE ${QUOXEL_LOGIC_LIBRARIES} GTest::gtest_main)
quoxel_warnings(quoxel_logic_tests)
gtest_discover_tests(quoxel_logic_tests TEST_PREFIX "native." DISCOVERY_MODE PRE_TEST PROPERTIES LABELS logic)
# Every control's short name has its row in the architecture notes' glossary.
add_test(NAME docs.glossary COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/docs/glossary_test.py ${PROJECT_SOURCE_DIR})
set_tests_properties(docs.glossary PROPERTIES LABELS logic)

# The libFuzzer targets (clang) in fuzz/, and a short run of each from its kept corpus; scripts/fuzz.sh
# runs longer ones by hand.
ExternalProject_Add(quoxel_fuzzers SOURCE_DIR ${PROJECT_SOURCE_DIR}/tests/fuzz BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=clang++ INSTALL_COMMAND "" BUILD_ALWAYS ON)
add_test(NAME fuzz.short COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fuzz.sh 3 --built ${CMAKE_BINARY_DIR}/fuzz)
set_tests_properties(fuzz.short PROPERTIES TIMEOUT 120 LABELS fuzz)
