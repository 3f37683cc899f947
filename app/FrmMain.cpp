#include "app/FrmMain.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "app/ResourceIds.h"
#include "platform/Fonts.h"
#include "platform/HighContrast.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"
#include "platform/TextFiles.h"
#include "ui/Handlers.h"
#include "ui/WindowObject.h"
#include "utilities/DataFiles.h"
#include "utilities/DpiScale.h"
#include "utilities/ErrorText.h"
#include "utilities/LargestFiles.h"

namespace {

constexpr DWORD kMainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
// The page area inside the page control: 588 x 388 in the 598 x 418 client area (at 96 DPI, as every
// length here).
constexpr int kPageMarginSide = 5;
constexpr int kPageMarginTop = 25;
constexpr int kPageMarginBottom = 5;
constexpr int kFontHeight = 11;
// Room around a tab's caption, at most; less where the tabs would not fit in one row.
constexpr int kTabPaddingX = 6;
constexpr int kTabPaddingXMin = 3;  // below this the tab's own drawing clips the caption
constexpr int kTabPaddingY = 3;
constexpr int kSmallestTabFontHeight = 8;
// The selected tab is drawn wider than its place in the row, on both sides.
constexpr int kSelectedTabOverhang = 2;

void RegisterMainWindowClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  // The icons at the system's sizes for them, which grow with the screen's DPI.
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUOXEL), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUOXEL), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = TFrmMain::kWindowClass;
  RegisterClassExW(&wc);
}

// The widest padding from kTabPaddingX down to kTabPaddingXMin with which the row of tabs, captions in
// the font, fits the window at this DPI; 0 when none does. The captions are measured once, not once per
// padding.
int WidestFittingPadding(HFONT font, int dpi) {
  int captions = 0;
  for (int page = 0; page < kPageCount; ++page) captions += TextExtent(font, PageCaption(page)).cx;
  const int room = ScaleToDpi(TFrmMain::kClientWidth - 2 * kSelectedTabOverhang, dpi) - captions;
  const int padding = room < 0 ? 0 : std::min(ScaleToDpi(kTabPaddingX, dpi), room / (2 * kPageCount));
  return padding >= ScaleToDpi(kTabPaddingXMin, dpi) ? padding : 0;
}

// Where the pages lie in a page control filling a client area of this size in pixels, at this DPI.
Bounds PageBounds(int clientWidth, int clientHeight, int dpi) {
  const int side = ScaleToDpi(kPageMarginSide, dpi), top = ScaleToDpi(kPageMarginTop, dpi);
  // The far margins are those of the scaled far edges, as a control's are: a control that ends at the
  // page's edge in the layout ends there at every scale.
  const int right = ScaleToDpi(TFrmMain::kClientWidth, dpi) - ScaleToDpi(TFrmMain::kClientWidth - kPageMarginSide, dpi);
  const int bottom =
      ScaleToDpi(TFrmMain::kClientHeight, dpi) - ScaleToDpi(TFrmMain::kClientHeight - kPageMarginBottom, dpi);
  return {side, top, clientWidth - side - right, clientHeight - top - bottom};
}

RECT CentredWindowRect(int dpi) {
  RECT rect{0, 0, ScaleToDpi(TFrmMain::kClientWidth, dpi), ScaleToDpi(TFrmMain::kClientHeight, dpi)};
  AdjustWindowRectEx(&rect, kMainWindowStyle, FALSE, 0);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return RECT{left, top, left + width, top + height};
}

}  // namespace

TFrmMain::TFrmMain(HINSTANCE instance, std::wstring appDir) : instance_(instance), appDir_(std::move(appDir)) {
  RegisterMainWindowClass(instance, WindowProc);
  Page::RegisterWindowClass(instance);
  RegisterSpeedButtonClass(instance);
  taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
  showRequestMessage_ = ShowRequestMessage();
  smallIcon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUOXEL), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
  CreateFonts();
  const RECT rect = CentredWindowRect(dpi_);
  handle_ = CreateWindowExW(0, TFrmMain::kWindowClass, kCaption, kMainWindowStyle, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, this);
  if (!handle_) throw AppError(L"The main window cannot be created");
  CreatePageControl();
  CreateHomePage();
  CreateTools();
  WireTools();
  CreateComponents();
  WatchPageKeys();
  HideAccessKeysUntilAlt(handle_);
  if (HighContrastOn()) FollowContrastInStyles(handle_);
  FormCreate();
}

TFrmMain::~TFrmMain() {
  StopWatchingPageKeys();
  if (IsWindow(handle_)) DestroyWindow(handle_);
}

UINT TFrmMain::ShowRequestMessage() { return RegisterWindowMessageW(L"Quoxel.ShowRequest"); }

void TFrmMain::StartedInTray() {
  for (const auto& tool : tools_) tool->StartedInTray();
}

void TFrmMain::AnswerLaterStarts(const std::wstring& instanceName) {
  instanceName_ = instanceName;
  MarkInstanceWindow(handle_, instanceName_);
}

void TFrmMain::CreateFonts() {
  fonts_.normal = MakeFont({L"Tahoma", kFontHeight}, dpi_);
  fonts_.bold = MakeFont({L"Tahoma", kFontHeight, FW_BOLD}, dpi_);
  fonts_.link = MakeFont({L"Tahoma", kFontHeight, FW_NORMAL, false, true}, dpi_);
  versionFont_ = MakeFont({L"Tahoma", 21}, dpi_);
}

void TFrmMain::WireTools() {
  // A forced shutdown never lets the window end: the list is saved first. The shutdown the user set
  // goes ahead even when the save fails, since a box would hold it up with nobody there to answer.
  ToolAs<ShutdownTool>().BeforeShutdownRequest = [this] { SaveWallpaperListSilently(); };
}

void TFrmMain::SaveWallpaperListSilently() {
  try {
    ToolAs<WallpaperTool>().SaveWallpaperListOnce();
  } catch (const std::exception&) {
  }
}

void TFrmMain::CreateTools() {
  for (int page = kPageHome + 1; page < kPageCount; ++page) {
    Tool& tool = *(tools_[ToolOfPage(page)] = kTools[ToolOfPage(page)].make(*this));
    SetPageWork(page, [&tool] { tool.PageShown(); });
  }
}

Page& TFrmMain::MakePage(int page) {
  if (pages_[page]) return *pages_[page];
  RECT client;
  GetClientRect(handle_, &client);
  pages_[page] = std::make_unique<Page>(Tabit, PageBounds(client.right, client.bottom, dpi_));
  tools_[ToolOfPage(page)]->MakeControls(*pages_[page]);
  FollowWindowDpi(pages_[page]->Handle());
  if (HighContrastOn()) FollowContrastInStyles(pages_[page]->Handle());
  return *pages_[page];
}

// Controls are made at the DPI the system gives their window. Where the main window was laid out for
// another one since (it follows WM_DPICHANGED, which not every system's window DPI does), they follow
// it too; the shared fonts are the window's already.
void TFrmMain::FollowWindowDpi(HWND page) {
  const int madeAt = WindowDpi(page);
  if (madeAt == dpi_) return;
  auto fonts = std::make_unique<RescaledFonts>(madeAt, dpi_);
  for (const ScopedFont* font : {&fonts_.normal, &fonts_.bold, &fonts_.link}) fonts->Replace(font->Get(), font->Get());
  RelayoutForDpi(page, madeAt, dpi_, *fonts);
  pageFonts_.push_back(std::move(fonts));
}

void TFrmMain::CreatePageControl() {
  Tabit = CreateChild(handle_, WC_TABCONTROLW, L"",
                      WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TCS_SINGLELINE | TCS_TABS,
                      {0, 0, kClientWidth, kClientHeight}, 0, fonts_.normal.Get(), WS_EX_CONTROLPARENT);
  FitTabsInOneRow();
  SendMessageW(Tabit, TCM_SETMINTABWIDTH, 0, 0);  // short captions need no wider tab
  for (int i = 0; i < kPageCount; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(PageCaption(i));
    SendMessageW(Tabit, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  pages_[kPageHome] =
      std::make_unique<Page>(Tabit, PageBounds(ScaleToDpi(kClientWidth, dpi_), ScaleToDpi(kClientHeight, dpi_), dpi_));
}

void TFrmMain::FitTabsInOneRow() {
  // Where Tahoma runs wider than the row has room for (Wine's Tahoma is a wider design than the one
  // the layout was made with), first the padding and then the captions' height give way, so that all
  // tabs stay in one row without scroll arrows.
  for (int height = kFontHeight; height >= kSmallestTabFontHeight; --height) {
    if (height != kFontHeight) tabFont_ = MakeFont({L"Tahoma", height}, dpi_);
    HFONT font = height == kFontHeight ? fonts_.normal.Get() : tabFont_.Get();
    if (const int padding = WidestFittingPadding(font, dpi_)) {
      SendMessageW(Tabit, TCM_SETPADDING, 0, MAKELPARAM(padding, ScaleToDpi(kTabPaddingY, dpi_)));
      SendMessageW(Tabit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      return;
    }
  }
}

void TFrmMain::CreateComponents() {
  Pop1.Reset(CreatePopupMenu());
  const auto item = [this](UINT command, const wchar_t* text, Binding::Action handler) {
    AppendMenuW(Pop1.Get(), MF_STRING, command, text);
    trayCommands_.Bind(command, std::move(handler));
  };
  item(kCmdProcesses1, L"Windows Processes", [this] { Processes1Click(); });
  item(kCmdSetanewrandomwallpaper1, L"Random Wallpaper",
       [this] { ToolAs<WallpaperTool>().Setanewrandomwallpaper1Click(); });
  AppendMenuW(Pop1.Get(), MF_SEPARATOR, 0, nullptr);
  item(kCmdStartWithWindows1, L"Start with Windows", [this] { StartWithWindows1Click(); });
  item(kCmdRememberSettings1, L"Remember settings", [this] { RememberSettings1Click(); });
  AppendMenuW(Pop1.Get(), MF_SEPARATOR, 0, nullptr);
  item(kCmdShow1, L"Show", [this] { Show1Click(); });
  item(kCmdHide1, L"Hide", [this] { Hide1Click(); });
  item(kCmdExit1, L"Exit", [this] { Exit1Click(); });
}

void TFrmMain::LayOutPages() {
  RECT client;
  GetClientRect(handle_, &client);
  MoveWindow(Tabit, 0, 0, client.right, client.bottom, TRUE);
  const Bounds bounds = PageBounds(client.right, client.bottom, dpi_);
  for (const auto& page : pages_)
    if (page) MoveWindow(page->Handle(), bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
}

void TFrmMain::ApplyDpi(int dpi, const RECT& suggested) {
  if (dpi != dpi_) {
    const int fromDpi = dpi_;
    WindowFonts previous = std::move(fonts_);
    const ScopedFont previousVersionFont = std::move(versionFont_);
    dpi_ = dpi;
    CreateFonts();
    auto fonts = std::make_unique<RescaledFonts>(fromDpi, dpi);
    fonts->Replace(previous.normal.Get(), fonts_.normal.Get());
    fonts->Replace(previous.bold.Get(), fonts_.bold.Get());
    fonts->Replace(previous.link.Get(), fonts_.link.Get());
    fonts->Replace(previousVersionFont.Get(), versionFont_.Get());
    RelayoutForDpi(handle_, fromDpi, dpi, *fonts);
    rescaledFonts_ = std::move(fonts);  // no control uses the fonts of the layout before any more
    pageFonts_.clear();
    FitTabsInOneRow();
    LoadLogo();
    LoadModulePictures();
  }
  SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutPages();
}

int TFrmMain::ActivePage() const { return static_cast<int>(SendMessageW(Tabit, TCM_GETCURSEL, 0, 0)); }

void TFrmMain::SetActivePage(int index) {
  SendMessageW(Tabit, TCM_SETCURSEL, index, 0);
  ShowOnlyActivePage();
}

void TFrmMain::ShowOnlyActivePage() {
  const int active = ActivePage();
  for (int i = 0; i < kPageCount; ++i)
    if (i != active && pages_[i]) ShowWindow(pages_[i]->Handle(), SW_HIDE);
  if (active >= 0) ShowWindow(MakePage(active).Handle(), SW_SHOW);
}

void TFrmMain::SetPageWork(int page, std::function<void()> work) { pageWork_[page] = std::move(work); }

void TFrmMain::RunPageWork(int page) {
  if (page >= 0 && pageWork_[page]) pageWork_[page]();
}

void TFrmMain::TabitChange() { RunPageWork(ActivePage()); }

void TFrmMain::FormCreate() {
  RecoverCutShortWrites(DataFile(appDir_, L""));  // before any file of Data is read
  random_.Seed(HighResolutionSeed());
  ToolAs<DiskTool>().SetAlertDefaults();
  ToolAs<WallpaperTool>().LoadWallpaperList();
  ToolAs<CatalogueTool>().LoadSoftwareList();
  SetActivePage(kPageHome);
  ResetLargestFiles();
  ToolAs<AlarmTool>().DisarmAlarm();
  ToolAs<ShutdownTool>().DisarmShutdown();
  AddTrayIcon();
  RestoreSettings();  // after the icon, which says why an alarm could not be armed again
}

void TFrmMain::FormDestroy() {
  ToolAs<CatalogueTool>().FreeLinkReader();
  RunHandler([this] { ToolAs<WallpaperTool>().SaveWallpaperListOnce(); });  // the icon goes even when saving fails
  RemoveTrayIcon();
}

void TFrmMain::EndProgram() {
  if (longWork_ > 0)
    endRequested_ = true;
  else
    DestroyWindow(handle_);
}

void TFrmMain::LongWorkEnded() {
  if (--longWork_ == 0 && endRequested_) PostMessageW(handle_, WM_CLOSE, 0, 0);
}

namespace {

BOOL CALLBACK PassSystemColourChange(HWND control, LPARAM) {
  SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

}  // namespace

void TFrmMain::FollowSystemColours() {
  // The common controls keep the system's colours they were made with until told.
  EnumChildWindows(handle_, PassSystemColourChange, 0);
  FollowContrastInStyles(handle_);
  ShowModuleIconColours();
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TFrmMain::RememberFocus() {
  const HWND focus = GetFocus();
  focusWhenLeft_ = focus && IsChild(handle_, focus) ? focus : nullptr;
}

bool TFrmMain::GiveFocusBack() {
  const HWND control = std::exchange(focusWhenLeft_, nullptr);
  // It may have gone meanwhile, or be on a page that is not in front any more.
  if (!control || !IsChild(handle_, control) || !IsWindowVisible(control) || !IsWindowEnabled(control)) return false;
  SetFocus(control);
  return true;
}

void TFrmMain::RunHandler(const std::function<void()>& handler) { ::RunHandler(handle_, handler); }

LRESULT TFrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreatedMessage_) {
    // The shell came back (Explorer restarted): without the icon the hidden window is unreachable.
    AddTrayIcon();
    return 0;
  }
  if (message == showRequestMessage_) {
    RunHandler([this] { Show1Click(); });
    return 0;
  }
  switch (message) {
    case WM_COMMAND:  // the tray menu's
      if (const Binding::Action* handler = trayCommands_.Of(wParam, lParam)) RunHandler(*handler);
      return 0;
    case WM_CLOSE:  // posted again by the end of long work, once the user has chosen to end
      if (endRequested_)
        EndProgram();
      else
        RunHandler([this] { CloseBoxClick(); });
      return 0;
    case kMovePageMessage:
      MovePage(static_cast<int>(wParam));
      return 0;
    case kTrayIconMessage:
      RunHandler([this, lParam] { TrayIconNotify(lParam); });
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.hwndFrom == Tabit && header.code == TCN_SELCHANGE) {
        ShowOnlyActivePage();
        RunHandler([this] { TabitChange(); });
        return 0;
      }
      break;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE)
        RememberFocus();
      else if (!HIWORD(wParam) && GiveFocusBack())  // not while minimized
        return 0;
      break;  // the window itself takes the focus
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETHIGHCONTRAST) FollowSystemColours();
      break;
    case WM_SYSCOLORCHANGE:
      FollowSystemColours();
      break;
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SIZE:
      if (Tabit) LayOutPages();
      return 0;
    case WM_ENDSESSION:
      if (!wParam) return 0;
      // The process may end without WM_DESTROY; a box would hold the end of the session up.
      SaveWallpaperListSilently();
      ToolAs<WallpaperTool>().StopConversion();  // its half-written bitmap goes before the process may end
      if (longWork_ > 0) endRequested_ = true;   // long work stops, and the program ends after it
      return 0;
    case WM_DESTROY:
      if (!instanceName_.empty()) UnmarkInstanceWindow(handle_, instanceName_);
      RunHandler([this] { FormDestroy(); });
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TFrmMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TFrmMain* form = WindowObject(window, message, lParam, &TFrmMain::handle_);
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    form->handle_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return form->HandleMessage(message, wParam, lParam);
}
