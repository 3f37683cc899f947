#include "platform/Wallpaper.h"

#include <windows.h>

namespace {
WallpaperSetter g_setter;
std::wstring g_setterPath;  // what the test's setter was last given
WallpaperStyleWriter g_styleWriter;

void SetDesktopText(HKEY desktop, const wchar_t* name, const std::wstring& value) {
  RegSetValueExW(desktop, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}
}  // namespace

void SetWallpaperSetter(WallpaperSetter setter) {
  g_setter = std::move(setter);
  g_setterPath.clear();
}

void SetDesktopWallpaper(const std::wstring& path) {
  if (g_setter) {
    g_setterPath = path;
    g_setter(path);
    return;
  }
  SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path.c_str()),
                        SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

std::wstring CurrentDesktopWallpaper() {
  if (g_setter) return g_setterPath;
  wchar_t current[MAX_PATH] = {};
  if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0)) return L"";
  return current;
}

void SetWallpaperStyleWriter(WallpaperStyleWriter writer) { g_styleWriter = std::move(writer); }

void SetDesktopWallpaperStyle(const std::wstring& style, const std::wstring& tile) {
  if (g_styleWriter) {
    g_styleWriter(style, tile);
    return;
  }
  HKEY desktop = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_SET_VALUE, &desktop) != ERROR_SUCCESS) return;
  SetDesktopText(desktop, L"WallpaperStyle", style);
  SetDesktopText(desktop, L"TileWallpaper", tile);
  RegCloseKey(desktop);
}
