#pragma once
#include <array>
#include <optional>

#include "utilities/SettingsFile.h"

// How the desktop places the picture: "Picture position", as the list shows it, as the settings file
// keeps it, and the user's desktop settings it is written as (WallpaperStyle, TileWallpaper). The first
// leaves the user's own setting as it is.
struct WallpaperFit {
  const wchar_t* caption;
  const wchar_t* word;
  const wchar_t* style;  // null: nothing is written
  const wchar_t* tile;
};
constexpr std::array<WallpaperFit, 7> kWallpaperFits{{
    {L"As Windows has it", L"Windows", nullptr, nullptr},
    {L"Fill", L"Fill", L"10", L"0"},
    {L"Fit", L"Fit", L"6", L"0"},
    {L"Stretch", L"Stretch", L"2", L"0"},
    {L"Centre", L"Centre", L"0", L"0"},
    {L"Tile", L"Tile", L"0", L"1"},
    {L"Span", L"Span", L"22", L"0"},
}};

// What the wallpaper changer keeps among the remembered settings, in [Wallpaper]: ChangeEvery=60 (the
// minutes of one of the interval choices, 0 for never) and Position=Fill (a word of kWallpaperFits).
struct WallpaperSettings {
  std::optional<int> changeMinutes;
  std::optional<std::size_t> fit;  // into kWallpaperFits
};

void WriteWallpaperSettings(const WallpaperSettings& settings, SettingsFile& file);
// An interval that is none of the choices is not read.
WallpaperSettings ReadWallpaperSettings(const SettingsFile& file);
