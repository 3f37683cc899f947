#pragma once
#include <functional>
#include <string>

// SystemParametersInfoW(SPI_SETDESKWALLPAPER): the desktop shows the picture and running programs are
// told, but the user's profile keeps its setting. The result is not examined.
void SetDesktopWallpaper(const std::wstring& path);
// Tests take the path instead of the desktop, so that no test changes the real wallpaper; an empty
// setter brings the system back.
using WallpaperSetter = std::function<void(const std::wstring&)>;
void SetWallpaperSetter(WallpaperSetter setter);
