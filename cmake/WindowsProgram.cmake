# The top: the main window with its Home page and tray (a library, so that the tests link the same
# window and tools as the program), quoxel.exe, its Data folder, and the benchmarks' probes.
get_property(QUOXEL_TOOL_LIBRARIES GLOBAL PROPERTY QUOXEL_TOOL_LIBRARIES)
quoxel_layer_library(quoxel_app app
  app/FrmMain.cpp
  app/FrmMain.Home.cpp
  app/FrmMain.ModuleIcons.cpp
  app/FrmMain.PageKeys.cpp
  app/FrmMain.Settings.cpp
  app/FrmMain.Tray.cpp
)
target_link_libraries(quoxel_app PUBLIC ${QUOXEL_TOOL_LIBRARIES})

# The screen scales the pictures are drawn for, in the order of their frames (PictureFrameForDpi).
set(QUOXEL_PICTURE_SCALES 100 125 150 200)

# Resources: the manifest (version 6 common controls), the icon, the pictures and the version. The
# manifest names the processor the program is built for: x86 or amd64.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUOXEL_MANIFEST_ARCH amd64)
else()
  set(QUOXEL_MANIFEST_ARCH x86)
endif()
configure_file(${PROJECT_SOURCE_DIR}/app/quoxel.manifest.in ${CMAKE_BINARY_DIR}/quoxel.manifest @ONLY)
set(QUOXEL_RESOURCES ${PROJECT_SOURCE_DIR}/app/quoxel.rc)
file(GLOB QUOXEL_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/app/res/*.png)
# Each module picture, app/res/module<N>.png and its frames module<N>-125.png, -150 and -200, under the
# id of its frame and number (IDR_MODULE in app/ResourceIds.h), in a script the resource script includes.
set(QUOXEL_MODULE_PICTURES_RC ${CMAKE_BINARY_DIR}/module-pictures.rc)
set(module_pictures "")
foreach(picture ${QUOXEL_PICTURES})
  get_filename_component(name ${picture} NAME)
  if(name MATCHES "^module([0-9]+)(-([0-9]+))?\\.png$")
    set(scale 100)
    if(CMAKE_MATCH_3)
      set(scale ${CMAKE_MATCH_3})
    endif()
    list(FIND QUOXEL_PICTURE_SCALES ${scale} frame)
    if(frame LESS 0)
      message(FATAL_ERROR "app/res/${name}: no frame is drawn for ${scale} %")
    endif()
    string(APPEND module_pictures "IDR_MODULE(${frame}, ${CMAKE_MATCH_1}) RCDATA \"app/res/${name}\"\n")
  endif()
endforeach()
file(CONFIGURE OUTPUT ${QUOXEL_MODULE_PICTURES_RC} CONTENT "${module_pictures}")
set_property(SOURCE ${QUOXEL_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/quoxel.manifest
  ${PROJECT_SOURCE_DIR}/app/res/quoxel.ico ${QUOXEL_PICTURES} ${QUOXEL_MODULE_PICTURES_RC})
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${PROJECT_SOURCE_DIR} -I${CMAKE_BINARY_DIR}")

add_executable(quoxel WIN32 app/main.cpp ${QUOXEL_RESOURCES})
target_link_libraries(quoxel PRIVATE quoxel_app)
# Sections aligned in the file as in memory: Wine then maps the program's pages from the file rather
# than copying them into private memory (about 1.2 MB less).
target_link_options(quoxel PRIVATE -municode -static -s -Wl,--file-alignment,0x1000)
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

# Benchmark programs on the program's own library: the probes that drive the real window and the floor
# of the cleaner's fix, which makes its file calls. The scripts in bench/ build them on demand.
foreach(probe search_probe catalogue_probe cleaner_probe cleaner_fix_floor page_probe)
  add_executable(${probe} EXCLUDE_FROM_ALL bench/${probe}.cpp ${QUOXEL_RESOURCES})
  target_link_libraries(${probe} PRIVATE quoxel_app)
  quoxel_layer(${probe} bench)
  target_link_options(${probe} PRIVATE -static -municode -s)
  quoxel_warnings(${probe})
endforeach()
