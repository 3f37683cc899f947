// Times the loading of a software catalogue of FOLDER\Data\soft.txt, one way per run:
//   catalogue_probe load FOLDER    Quoxel's own LoadSoftwareList in its real window, then the "Software
//                                  List" page brought forward, made and its tree filled: read, decode,
//                                  parse and fill, as the user meets it. Prints
//                                  "load_ms", "paint_ms" (the first paint after it) and "items".
//   catalogue_probe bare FOLDER    the floor: the file's nodes, parsed before the clock starts, put in a
//                                  tree view of a plain window with TVM_INSERTITEMW, redraw off. Prints
//                                  "insert_ms", "paint_ms" and "items".
//   catalogue_probe phases FOLDER  the load's steps before the tree, with the real functions, no window:
//                                  "read_decode_split_ms" (ReadTextListFile), "decode_split_ms"
//                                  (DecodeTextList), "decode_ms" (Utf8ToUtf16), "parse_ms" (ParseCatalogue)
//                                  and "lines".
// Exit 0 when it measured, 1 when it could not, 2 on wrong arguments.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/FrmMain.h"
#include "app/Navigation.h"
#include "bench/probe_support.h"
#include "platform/Boxes.h"
#include "platform/Shell.h"
#include "platform/TextFiles.h"
#include "tools/catalogue/Catalogue.h"
#include "tools/catalogue/CatalogueTool.h"
#include "utilities/TextListFile.h"

namespace {

constexpr wchar_t kBareClass[] = L"BareCatalogueWindow";
// The same tree view as Quoxel's: styles, size, font and indent (tools/catalogue/CataloguePage.cpp).
constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT;
constexpr int kTreeWidth = 161, kTreeHeight = 363, kTreeIndent = 19, kFontHeight = 11;

struct Line {
  int level;
  std::wstring caption;
};

// The paint that the load's invalidation asks for, timed apart.
double TimePaint(HWND tree) {
  const double start = NowMs();
  UpdateWindow(tree);
  return NowMs() - start;
}

long TreeCount(HWND tree) { return static_cast<long>(SendMessageW(tree, TVM_GETCOUNT, 0, 0)); }

int RunLoad(const std::wstring& folder) {
  InitControls();
  KeepItHeadless("catalogue_probe");
  TFrmMain form(GetModuleHandleW(nullptr), folder + L"\\");
  ShowWindow(form.Handle(), SW_SHOWNORMAL);
  Settle();
  // The start read the catalogue already, and the page is made, its tree filled, when first shown: the
  // timed load reads it again and brings the page forward as the user reaches it.
  const double start = NowMs();
  form.ToolAs<CatalogueTool>().LoadSoftwareList();
  form.SetActivePage(PageOf<CatalogueTool>());
  form.TabitChange();
  const double elapsed = NowMs() - start;
  const HWND tree = form.ToolAs<CatalogueTool>().Softat;
  const double paint = TimePaint(tree);
  std::printf("load_ms %.3f\npaint_ms %.3f\nitems %ld\n", elapsed, paint, TreeCount(tree));
  return boxesShown > 0 ? 1 : 0;
}

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  if (FILE* file = _wfopen(path.c_str(), L"rb")) {
    char buffer[65536];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, read);
    std::fclose(file);
  }
  return bytes;
}

std::wstring FromUtf8(const std::string& bytes) {
  const int size = static_cast<int>(bytes.size());
  std::wstring text(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, text.data(), static_cast<int>(text.size()));
  return text;
}

std::string WithoutUtf8Mark(std::string bytes) {
  return bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
}

// The simplest reading of the file the generator writes: UTF-8, CR LF, tabs for the level.
std::vector<Line> ParseLines(const std::wstring& text) {
  std::vector<Line> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    size_t level = start;
    while (level < end && text[level] == L'\t') ++level;
    const size_t stop = end > level && text[end - 1] == L'\r' ? end - 1 : end;
    lines.push_back({static_cast<int>(level - start), text.substr(level, stop - level)});
    start = end + 1;
  }
  return lines;
}

HWND CreateBareWindow() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kBareClass;
  RegisterClassExW(&wc);
  return CreateWindowExW(0, kBareClass, L"Bare Catalogue", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400, 450,
                         nullptr, nullptr, wc.hInstance, nullptr);
}

HWND CreateBareTree(HWND parent, HFONT font) {
  HWND tree = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", kTreeStyle, 0, 22, kTreeWidth, kTreeHeight, parent,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(tree, TVM_SETINDENT, kTreeIndent, 0);
  return tree;
}

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const std::wstring& caption) {
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<wchar_t*>(caption.c_str());
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

// Each line hangs under the last line one level up; the generator never skips a level.
void InsertLines(HWND tree, const std::vector<Line>& lines) {
  std::vector<HTREEITEM> lastAt(1, TVI_ROOT);
  for (const Line& line : lines) {
    lastAt.resize(static_cast<size_t>(line.level) + 1);
    lastAt.push_back(InsertItem(tree, lastAt[static_cast<size_t>(line.level)], line.caption));
  }
}

int RunBare(const std::wstring& folder) {
  const std::vector<Line> lines = ParseLines(FromUtf8(WithoutUtf8Mark(ReadBytes(folder + L"\\Data\\soft.txt"))));
  if (lines.empty()) {
    std::fprintf(stderr, "catalogue_probe: no lines in %ls\\Data\\soft.txt\n", folder.c_str());
    return 1;
  }
  InitControls();
  HFONT font = CreateFontW(-kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  HWND window = CreateBareWindow();
  HWND tree = CreateBareTree(window, font);
  ShowWindow(window, SW_SHOWNORMAL);
  Settle();
  const double start = NowMs();
  SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
  InsertLines(tree, lines);
  SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree, nullptr, TRUE);
  const double elapsed = NowMs() - start;
  const double paint = TimePaint(tree);
  std::printf("insert_ms %.3f\npaint_ms %.3f\nitems %ld\n", elapsed, paint, TreeCount(tree));
  DestroyWindow(window);
  DeleteObject(font);
  return 0;
}

template <typename Work>
double TimeMs(Work&& work) {
  const double start = NowMs();
  work();
  return NowMs() - start;
}

// The file has a byte-order mark, so the code page conversion is never asked for.
std::wstring NoAnsi(const std::string&) { return std::wstring(); }

int RunPhases(const std::wstring& folder) {
  const std::wstring path = folder + L"\\Data\\soft.txt";
  const std::string bytes = ReadBytes(path);
  std::vector<std::wstring> lines = ReadTextListFile(path);  // once untimed: the steps then meet the same heap
  std::wstring text;
  const double whole = TimeMs([&] { lines = ReadTextListFile(path); });
  const double decodeSplit = TimeMs([&] { lines = DecodeTextList(bytes, NoAnsi); });
  const double decode = TimeMs([&] { text = Utf8ToUtf16(WithoutUtf8Mark(bytes)); });
  Catalogue catalogue;
  const double parse = TimeMs([&] { catalogue = ParseCatalogue(lines); });
  std::printf("read_decode_split_ms %.3f\ndecode_split_ms %.3f\ndecode_ms %.3f\nparse_ms %.3f\nlines %lu\n", whole,
              decodeSplit, decode, parse, static_cast<unsigned long>(catalogue.nodes.size()));
  return catalogue.error ? 1 : 0;
}

int Run(const std::wstring& mode, const std::wstring& folder) {
  if (mode == L"load") return RunLoad(folder);
  if (mode == L"bare") return RunBare(folder);
  return RunPhases(folder);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc == 3 ? argv[1] : L"";
  if (mode != L"load" && mode != L"bare" && mode != L"phases") {
    std::fprintf(stderr, "usage: catalogue_probe load|bare|phases FOLDER\n");
    return 2;
  }
  try {
    return Run(mode, argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "catalogue_probe: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "catalogue_probe: an error that is not a std::exception\n");
  }
  return 1;
}
