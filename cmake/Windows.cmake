# The layers over the operating system: platform/ (thin wrappers over the Win32 API) and ui/ (generic
# window parts: pages and their bindings, controls, the tool interface).
quoxel_layer_library(quoxel_platform platform
  platform/Accessible.cpp
  platform/Boxes.cpp
  platform/Clock.cpp
  platform/Dpi.cpp
  platform/DroppedFiles.cpp
  platform/Drives.cpp
  platform/FileAccess.cpp
  platform/FileDialogs.cpp
  platform/FileStreams.cpp
  platform/Files.cpp
  platform/Fonts.cpp
  platform/HighContrast.cpp
  platform/HttpDownload.cpp
  platform/IniFile.cpp
  platform/MciPlayer.cpp
  platform/Pictures.cpp
  platform/Processes.cpp
  platform/RunAtStartup.cpp
  platform/Shell.cpp
  platform/Shutdown.cpp
  platform/SingleInstance.cpp
  platform/System.cpp
  platform/SystemLibrary.cpp
  platform/TextFiles.cpp
  platform/UserFolders.cpp
  platform/Wallpaper.cpp
)
# The URL library (wininet) and the multimedia one (winmm) are loaded when first used (SystemLibrary).
target_link_libraries(quoxel_platform PUBLIC quoxel_platform_logic png_static comctl32 uxtheme gdi32 user32 shell32
  uuid advapi32)

quoxel_layer_library(quoxel_ui ui
  ui/Binding.cpp
  ui/CheckListBox.cpp
  ui/Controls.cpp
  ui/DpiRelayout.cpp
  ui/Handlers.cpp
  ui/OrderedFileList.cpp
  ui/Page.cpp
  ui/RightColumnList.cpp
  ui/StandaloneNotice.cpp
  ui/TimePicker.cpp
)
target_link_libraries(quoxel_ui PUBLIC quoxel_platform)
