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
// picture (app/res/module<N>.png and its larger frames, named in quoxel.rc).
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

inline constexpr std::array<ToolRow, 8> kTools = {{
    {L"Hard Disk Drives", L"Hard Disk Drives", 0, MakeTool<DiskTool>},
    {L"Cleaner", L"Cleaner", 1, MakeTool<CleanerTool>},
    {L"Software List", L"Software List", 2, MakeTool<CatalogueTool>},
    {L"Alarm Clock", L"Alarm Clock", 4, MakeTool<AlarmTool>},
    {L"File Renamer", L"File Renamer", 3, MakeTool<RenamerTool>},
    {L"Timed Shutdown", L"Timed Shutdown", 6, MakeTool<ShutdownTool>},
    {L"Wallpaper changer", L"Wallpaper Changer", 7, MakeTool<WallpaperTool>},
    {L"PC Administrating", L"PC Administrating", 5, MakeTool<AdminTool>},
}};

// The pages of the main window in the order of their tabs: Home, then one for each tool. The tools'
// pages are named where the window wires one tool to another.
enum PageIndex : int {
  kPageHome = 0,
  kPageHardDisks = 1,
  kPageCleaner = 2,
  kPageSoftware = 3,
  kPageAlarm = 4,
  kPageRenamer = 5,
  kPageShutdown = 6,
  kPageWallpaper = 7,
  kPageAdministration = 8
};
constexpr int kPageCount = 1 + static_cast<int>(kTools.size());

constexpr const wchar_t* PageCaption(int page) { return page == kPageHome ? L"Home" : kTools[page - 1].tab; }
constexpr int PageOfModuleIcon(int position) { return position + 1; }
constexpr int ToolOfPage(int page) { return page - 1; }
