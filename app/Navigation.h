#pragma once
#include <array>

// The pages of the main window in the order of their tabs, and the Home page's module icons.

enum PageIndex : int {
  kPageHome = 0,           // SH1
  kPageHardDisks = 1,      // SH2
  kPageCleaner = 2,        // Sh3
  kPageSoftware = 3,       // SH4
  kPageAlarm = 4,          // SH6
  kPageRenamer = 5,        // SH7
  kPageShutdown = 6,       // SH8
  kPageWallpaper = 7,      // SH10
  kPageAdministration = 8  // SH9
};
constexpr int kPageCount = 9;

constexpr std::array<const wchar_t*, kPageCount> kPageCaptions = {
    L"Home",         L"Hard Disk Drives", L"Cleaner",           L"Software List",    L"Alarm Clock",
    L"File Renamer", L"Timed Shutdown",   L"Wallpaper changer", L"PC Administrating"};

struct ModuleIcon {
  const wchar_t* caption;
  int picture;  // index into the icon pictures, which are numbered by what they show
};

// Icon at position p opens page p + 1. The pictures do not follow the positions.
constexpr std::array<ModuleIcon, 8> kModuleIcons = {{
    {L"Hard Disk Drives", 0},
    {L"Cleaner", 1},
    {L"Software List", 2},
    {L"Alarm Clock", 4},
    {L"File Renamer", 3},
    {L"Timed Shutdown", 6},
    {L"Wallpaper Changer", 7},
    {L"PC Administrating", 5},
}};

constexpr int PageOfModuleIcon(int position) { return position + 1; }
