# Host build: the pure logic and its tests, under AddressSanitizer and UBSan.
find_package(GTest REQUIRED)
include(GoogleTest)

set(sanitizers -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(quoxel_logic STATIC ${QUOXEL_LOGIC_SOURCES})
target_include_directories(quoxel_logic PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(quoxel_logic PUBLIC ${sanitizers})
target_link_options(quoxel_logic PUBLIC ${sanitizers})
quoxel_warnings(quoxel_logic)

add_executable(quoxel_logic_tests ${QUOXEL_LOGIC_TESTS})
target_link_libraries(quoxel_logic_tests PRIVATE quoxel_logic GTest::gtest_main)
quoxel_warnings(quoxel_logic_tests)
gtest_discover_tests(quoxel_logic_tests TEST_PREFIX "native." DISCOVERY_MODE PRE_TEST)
