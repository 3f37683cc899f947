#pragma once
#include <array>
#include <memory>

#include "tools/admin/AdminTool.h"
#include "tools/alarm/AlarmTool.h"
#include "tools/catalogue/CatalogueTool.h"
#include "tools/cleaner/CleanerTool.h"
#include "tools/disk/DiskTool.h"
#include "tools/renamer/RenamerTool.h"
#include "tools/shutdown/ShutdownTool.h"
#include "tools/wallpaper/WallpaperTool.h"

// The tools, in the order of their tabs after Home and of their icons on the Home page: the icon at
// position p opens the page of row p. A new tool is its folder under tools/, a row here and its
// pictures (app/res/module<N>.png and its larger frames); everything else follows the table.
struct ToolRow {
  const wchar_t* tab;   // the page's tab
  const wchar_t* icon;  // the caption of its icon on the Home page
  int picture;          // the number of its picture: the pictures are numbered by what they show
  std::unique_ptr<Tool> (*make)(ToolHost& host);
};

template <typename T>
std::unique_ptr<Tool> MakeTool(ToolHost& host) {
  return std::make_unique<T>(host);
}

inline constexpr std::array kTools = {
    ToolRow{L"Hard Disk Drives", L"Hard Disk Drives", 0, MakeTool<DiskTool>},
    ToolRow{L"Cleaner", L"Cleaner", 1, MakeTool<CleanerTool>},
    ToolRow{L"Software List", L"Software List", 2, MakeTool<CatalogueTool>},
    ToolRow{L"Alarm Clock", L"Alarm Clock", 4, MakeTool<AlarmTool>},
    ToolRow{L"File Renamer", L"File Renamer", 3, MakeTool<RenamerTool>},
    ToolRow{L"Timed Shutdown", L"Timed Shutdown", 6, MakeTool<ShutdownTool>},
    ToolRow{L"Wallpaper changer", L"Wallpaper Changer", 7, MakeTool<WallpaperTool>},
    ToolRow{L"PC Administrating", L"PC Administrating", 5, MakeTool<AdminTool>},
};

// The Home icons' image list holds the pictures 0 to n-1 in that order: each number once.
constexpr bool EachPictureOnce() {
  for (std::size_t row = 0; row < kTools.size(); ++row) {
    if (kTools[row].picture < 0 || kTools[row].picture >= static_cast<int>(kTools.size())) return false;
    for (std::size_t other = 0; other < row; ++other)
      if (kTools[other].picture == kTools[row].picture) return false;
  }
  return true;
}
static_assert(EachPictureOnce(), "the rows' pictures must be 0 to kTools.size() - 1, each once");

// The pages of the main window in the order of their tabs: Home, then one for each row of the table.
constexpr int kPageHome = 0;
constexpr int kPageCount = 1 + static_cast<int>(kTools.size());

// The row of the tool of class T; -1 if the table has none.
template <typename T>
constexpr int RowOf() {
  for (std::size_t row = 0; row < kTools.size(); ++row)
    if (kTools[row].make == &MakeTool<T>) return static_cast<int>(row);
  return -1;
}

// The page of the tool of class T, found in the table as the program is compiled.
template <typename T>
constexpr int PageOf() {
  constexpr int row = RowOf<T>();
  static_assert(row >= 0, "the tool has no row in kTools");
  return row + 1;
}

constexpr const wchar_t* PageCaption(int page) { return page == kPageHome ? L"Home" : kTools[page - 1].tab; }
constexpr int PageOfModuleIcon(int position) { return position + 1; }
constexpr int ToolOfPage(int page) { return page - 1; }
