#include "tools/wallpaper/WallpaperSettings.h"

#include <algorithm>

#include "tools/wallpaper/WallpaperRotation.h"

namespace {
constexpr wchar_t kWallpaper[] = L"Wallpaper";
constexpr std::size_t kWordLimit = 16;

bool IsChangeInterval(int minutes) {
  return std::any_of(kChangeIntervals.begin(), kChangeIntervals.end(),
                     [minutes](const ChangeInterval& interval) { return interval.minutes == minutes; });
}
}  // namespace

void WriteWallpaperSettings(const WallpaperSettings& settings, SettingsFile& file) {
  SettingsSection& wallpaper = file.AddSection(kWallpaper);
  wallpaper.SetNumber(L"ChangeEvery", settings.changeMinutes);
  if (settings.fit) wallpaper.SetText(L"Position", std::wstring(kWallpaperFits[*settings.fit].word), kWordLimit);
}

WallpaperSettings ReadWallpaperSettings(const SettingsFile& file) {
  const SettingsSection& wallpaper = file.Section(kWallpaper);
  std::optional<int> minutes = wallpaper.Number(L"ChangeEvery", 0, kChangeIntervals.back().minutes);
  if (minutes && !IsChangeInterval(*minutes)) minutes.reset();
  return {minutes, wallpaper.Choice(L"Position", {kWallpaperFits[0].word, kWallpaperFits[1].word, kWallpaperFits[2].word,
                                                  kWallpaperFits[3].word, kWallpaperFits[4].word, kWallpaperFits[5].word,
                                                  kWallpaperFits[6].word})};
}
