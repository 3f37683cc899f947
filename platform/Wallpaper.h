#pragma once
#include <functional>
#include <string>

// SystemParametersInfoW(SPI_SETDESKWALLPAPER), written to the user's profile as well, so that the
// picture is still the wallpaper after the next sign-in, and announced to running programs. The result
// is not examined.
void SetDesktopWallpaper(const std::wstring& path);
// Tests take the path instead of the desktop, so that no test changes the real wallpaper; an empty
// setter brings the system back.
using WallpaperSetter = std::function<void(const std::wstring&)>;
void SetWallpaperSetter(WallpaperSetter setter);

// The picture the desktop shows now, as the system names it; empty when none. Under a test's setter,
// the last path it was given.
std::wstring CurrentDesktopWallpaper();

// How the desktop places its picture, as the user's desktop settings keep it (HKCU\Control Panel\Desktop,
// the texts of WallpaperStyle and TileWallpaper), read when the picture is next set.
void SetDesktopWallpaperStyle(const std::wstring& style, const std::wstring& tile);
// Tests take the two values instead of the user's settings; an empty writer brings the registry back.
using WallpaperStyleWriter = std::function<void(const std::wstring& style, const std::wstring& tile)>;
void SetWallpaperStyleWriter(WallpaperStyleWriter writer);
