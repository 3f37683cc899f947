# Windows build: quoxel.exe, and the tests that run under Wine.
include(GoogleTest)

set(QUOXEL_DEPS_PREFIX "${CMAKE_BINARY_DIR}/../deps/prefix" CACHE PATH "libpng and libjpeg built for mingw")
set(QUOXEL_ZLIB /usr/i686-w64-mingw32/lib/libz.a)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)

add_library(png_static STATIC IMPORTED)
set_target_properties(png_static PROPERTIES IMPORTED_LOCATION "${QUOXEL_DEPS_PREFIX}/lib/libpng16.a"
  INTERFACE_INCLUDE_DIRECTORIES "${QUOXEL_DEPS_PREFIX}/include"
  INTERFACE_LINK_LIBRARIES "${QUOXEL_ZLIB}")

# Everything but the entry, so that the tests link the same window and tools as the program.
add_library(quoxel_core STATIC
  ${QUOXEL_LOGIC_SOURCES}
  platform/Boxes.cpp
  platform/Download.cpp
  platform/Drives.cpp
  platform/FileDialogs.cpp
  platform/IniFile.cpp
  platform/Pictures.cpp
  platform/Processes.cpp
  platform/Shell.cpp
  platform/System.cpp
  platform/TextFiles.cpp
  ui/CheckListBox.cpp
  ui/Controls.cpp
  ui/FrmMain.cpp
  ui/HomePage.cpp
  ui/IconView.cpp
  ui/Page.cpp
  ui/Tray.cpp
  tools/admin/AdminPage.cpp
  tools/catalogue/CataloguePage.cpp
  tools/disk/DiskPage.cpp
  tools/disk/LargestFilesSearch.cpp
  tools/disk/LowSpaceAlert.cpp
)
target_include_directories(quoxel_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quoxel_core PUBLIC png_static comctl32 uxtheme gdi32 user32 shell32 uuid)
quoxel_warnings(quoxel_core)

# Resources: the manifest (version 6 common controls), the icon, the pictures and the version.
set(QUOXEL_RESOURCES ${PROJECT_SOURCE_DIR}/app/quoxel.rc)
set_property(SOURCE ${QUOXEL_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/app/quoxel.manifest ${PROJECT_SOURCE_DIR}/app/res/quoxel.ico
  ${PROJECT_SOURCE_DIR}/app/res/logo.png)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${PROJECT_SOURCE_DIR}")

add_executable(quoxel WIN32 app/main.cpp ${QUOXEL_RESOURCES})
target_link_libraries(quoxel PRIVATE quoxel_core)
target_link_options(quoxel PRIVATE -municode -static -s)
quoxel_warnings(quoxel)

# The Data folder beside the program, refreshed whenever a file of data/ changes.
file(GLOB QUOXEL_DATA_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*)
set(QUOXEL_DATA_COPIES)
foreach(data_file ${QUOXEL_DATA_FILES})
  get_filename_component(data_name ${data_file} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/Data/${data_name}
    COMMAND ${CMAKE_COMMAND} -E copy ${data_file} ${CMAKE_BINARY_DIR}/Data/${data_name}
    DEPENDS ${data_file})
  list(APPEND QUOXEL_DATA_COPIES ${CMAKE_BINARY_DIR}/Data/${data_name})
endforeach()
add_custom_target(quoxel_data ALL DEPENDS ${QUOXEL_DATA_COPIES})
add_dependencies(quoxel quoxel_data)

# Benchmark programs that drive the real window; the scripts in bench/ build them on demand.
foreach(probe search_probe catalogue_probe)
  add_executable(${probe} EXCLUDE_FROM_ALL bench/${probe}.cpp ${QUOXEL_RESOURCES})
  target_link_libraries(${probe} PRIVATE quoxel_core)
  target_link_options(${probe} PRIVATE -static -municode -s)
  quoxel_warnings(${probe})
endforeach()

include(cmake/WineTests.cmake)
