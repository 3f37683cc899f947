# Windows build settings: Unicode, the Windows version, and libpng and libjpeg built for mingw.
include(GoogleTest)

set(QUOXEL_DEPS_PREFIX "${CMAKE_BINARY_DIR}/../deps/prefix" CACHE PATH "libpng and libjpeg built for mingw")
set(QUOXEL_ZLIB /usr/${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32/lib/libz.a)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)

add_library(png_static STATIC IMPORTED)
set_target_properties(png_static PROPERTIES IMPORTED_LOCATION "${QUOXEL_DEPS_PREFIX}/lib/libpng16.a"
  INTERFACE_INCLUDE_DIRECTORIES "${QUOXEL_DEPS_PREFIX}/include"
  INTERFACE_LINK_LIBRARIES "${QUOXEL_ZLIB}")

add_library(jpeg_static STATIC IMPORTED)
set_target_properties(jpeg_static PROPERTIES IMPORTED_LOCATION "${QUOXEL_DEPS_PREFIX}/lib/libjpeg.a"
  INTERFACE_INCLUDE_DIRECTORIES "${QUOXEL_DEPS_PREFIX}/include")

# The same source gives the same program, byte for byte: no folder of the build in the code (file
# names of assertions) and no link time in the PE header. Set here, before the first target.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
add_link_options(-Wl,--no-insert-timestamp)
