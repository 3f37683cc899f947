#include "platform/Wallpaper.h"

#include <windows.h>

namespace {
WallpaperSetter g_setter;
}  // namespace

void SetWallpaperSetter(WallpaperSetter setter) { g_setter = std::move(setter); }

void SetDesktopWallpaper(const std::wstring& path) {
  if (g_setter) {
    g_setter(path);
    return;
  }
  SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path.c_str()), SPIF_SENDWININICHANGE);
}
