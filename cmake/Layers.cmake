# The layers, lowest first. A layer's code may include its own headers and those of the layers below
# it, never those above: each library sees the source tree only through a folder of links to the
# folders it may use, so an include that points up the stack does not compile.
set(QUOXEL_LAYERS utilities platform ui tools app tests bench)
# A test program run whole, as one ctest test, writes each case's result to <test name>.xml here;
# scripts/test.sh counts those cases.
set(QUOXEL_GTEST_RESULTS ${CMAKE_BINARY_DIR}/gtest-results)

function(quoxel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# The libraries compile their files in batches, a few to a compiler run (most of a file's time is the
# headers): the full build takes about half as long, at the price of a larger batch to compile again
# when one file changes. Names private to a file must then differ within its library.
option(QUOXEL_UNITY_BUILD "compile each library's files in batches" ON)

# Gives the target the include root `name`: links to the given folders of the source tree under their
# own paths, and to nothing else.
function(quoxel_include_root target name)
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  if(NOT EXISTS ${root})
    foreach(folder ${ARGN})
      get_filename_component(parent ${root}/${folder} DIRECTORY)
      file(MAKE_DIRECTORY ${parent})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endforeach()
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# Gives the target the include root of the layer: that layer's folder and every folder below.
function(quoxel_layer target layer)
  set(folders)
  foreach(folder ${QUOXEL_LAYERS})
    list(APPEND folders ${folder})
    if(folder STREQUAL layer)
      break()
    endif()
  endforeach()
  quoxel_include_root(${target} ${layer} ${folders})
endfunction()

# A static library of one layer, with the warnings as errors.
function(quoxel_layer_library name layer)
  add_library(${name} STATIC ${ARGN})
  set_target_properties(${name} PROPERTIES UNITY_BUILD ${QUOXEL_UNITY_BUILD})
  quoxel_layer(${name} ${layer})
  quoxel_warnings(${name})
endfunction()

# A static library of one tool: it sees the layers below tools/ and, of tools/, its own folder alone, so
# that one tool cannot include another.
function(quoxel_tool_library name tool)
  add_library(${name} STATIC ${ARGN})
  set_target_properties(${name} PROPERTIES UNITY_BUILD ${QUOXEL_UNITY_BUILD})
  quoxel_include_root(${name} tools-${tool} utilities platform ui tools/${tool})
  quoxel_warnings(${name})
endfunction()

# A tool: called from tools/<tool>/CMakeLists.txt with its files, relative to that folder.
#   LOGIC         code without any Windows header (also built for the host and tested there)
#   WINDOW        the tool's class, page and handlers
#   LOGIC_TESTS   tests of the logic, run natively and under Wine
#   WINDOW_TESTS  tests of the page, run under Wine with the real window
#   LIBRARIES     other libraries the logic uses
function(quoxel_tool name)
  cmake_parse_arguments(TOOL "" "" "LOGIC;WINDOW;LOGIC_TESTS;WINDOW_TESTS;LIBRARIES" ${ARGN})
  list(TRANSFORM TOOL_LOGIC_TESTS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  list(TRANSFORM TOOL_WINDOW_TESTS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  set_property(GLOBAL APPEND PROPERTY QUOXEL_LOGIC_TESTS ${TOOL_LOGIC_TESTS})
  set_property(GLOBAL APPEND PROPERTY QUOXEL_WINDOW_TESTS ${TOOL_WINDOW_TESTS})
  if(TOOL_LOGIC)
    quoxel_tool_library(quoxel_${name}_logic ${name} ${TOOL_LOGIC})
    target_link_libraries(quoxel_${name}_logic PUBLIC quoxel_platform_logic ${TOOL_LIBRARIES})
    set_property(GLOBAL APPEND PROPERTY QUOXEL_LOGIC_LIBRARIES quoxel_${name}_logic)
  endif()
  if(WIN32)
    quoxel_tool_library(quoxel_${name} ${name} ${TOOL_WINDOW})
    target_link_libraries(quoxel_${name} PUBLIC quoxel_ui)
    if(TOOL_LOGIC)
      target_link_libraries(quoxel_${name} PUBLIC quoxel_${name}_logic)
    endif()
    set_property(GLOBAL APPEND PROPERTY QUOXEL_TOOL_LIBRARIES quoxel_${name})
  endif()
endfunction()

# Logic that runs threads, under ThreadSanitizer, which cannot share a program with AddressSanitizer
# (host build only): a test program of its own from the sources given (relative to the source root),
# run whole as the test native.tsan.<name>.
function(quoxel_thread_test name)
  list(TRANSFORM ARGN PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE sources)
  set(program ${name}_tsan)
  add_executable(${program} ${sources})
  # In place of the sanitizers the host build gives every target.
  set_target_properties(${program} PROPERTIES COMPILE_OPTIONS "-fsanitize=thread;-O1" LINK_OPTIONS -fsanitize=thread)
  quoxel_layer(${program} tests)
  quoxel_warnings(${program})
  target_link_libraries(${program} PRIVATE GTest::gtest_main)
  add_test(NAME native.tsan.${name}
           COMMAND ${program} --gtest_output=xml:${QUOXEL_GTEST_RESULTS}/native.tsan.${name}.xml)
  set_tests_properties(native.tsan.${name} PROPERTIES ENVIRONMENT TSAN_OPTIONS=halt_on_error=1 LABELS tsan
                       TIMEOUT 300)
endfunction()
