#include "ui/FrmMain.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/ResourceIds.h"
#include "platform/Boxes.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "ui/CheckListBox.h"
#include "ui/ErrorText.h"
#include "utilities/LargestFiles.h"

namespace {

constexpr wchar_t kMainWindowClass[] = L"TFrmMain";
constexpr DWORD kMainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
// The page area inside the page control: 588 x 388 in the 598 x 418 client area.
constexpr int kPageMarginSide = 5;
constexpr int kPageMarginTop = 25;
constexpr int kPageMarginBottom = 5;
constexpr int kFontHeight = 11;
// Room around a tab's caption, at most; less where the nine tabs would not fit in one row.
constexpr int kTabPaddingX = 6;
constexpr int kTabPaddingXMin = 3;  // below this the tab's own drawing clips the caption
constexpr int kTabPaddingY = 3;
constexpr int kSmallestTabFontHeight = 8;
// The selected tab is drawn wider than its place in the row, on both sides.
constexpr int kSelectedTabOverhang = 2;

HFONT CreateTahoma(int height, int weight, bool underline) {
  return CreateFontW(-height, 0, 0, 0, weight, FALSE, underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

void RegisterMainWindowClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUOXEL), IMAGE_ICON, 32, 32, 0));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUOXEL), IMAGE_ICON, 16, 16, 0));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  RegisterClassExW(&wc);
}

// Width of the row of tabs with their captions in the font.
int TabRowWidth(HFONT font, int padding) {
  int width = 2 * kSelectedTabOverhang;
  for (const wchar_t* caption : kPageCaptions) width += TextExtent(font, caption).cx + 2 * padding;
  return width;
}

RECT CentredWindowRect() {
  RECT rect{0, 0, TFrmMain::kClientWidth, TFrmMain::kClientHeight};
  AdjustWindowRectEx(&rect, kMainWindowStyle, FALSE, 0);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return RECT{left, top, left + width, top + height};
}

}  // namespace

TFrmMain::TFrmMain(HINSTANCE instance) : instance_(instance) {
  RegisterMainWindowClass(instance, WindowProc);
  Page::RegisterWindowClass(instance);
  RegisterSpeedButtonClass(instance);
  taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
  smallIcon_.Reset(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUOXEL), IMAGE_ICON, 16, 16, 0)));
  CreateFonts();
  const RECT rect = CentredWindowRect();
  handle_ = CreateWindowExW(0, kMainWindowClass, kCaption, kMainWindowStyle, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, this);
  if (!handle_) throw AppError(L"The main window cannot be created");
  CreatePageControl();
  CreateHomePage();
  CreateDiskPage();
  CreateCataloguePage();
  CreateAdminPage();
  CreateComponents();
  LayOutPages();
  FormCreate();
}

TFrmMain::~TFrmMain() {
  if (IsWindow(handle_)) DestroyWindow(handle_);
}

void TFrmMain::CreateFonts() {
  font_.Reset(CreateTahoma(kFontHeight, FW_NORMAL, false));
  boldFont_.Reset(CreateTahoma(kFontHeight, FW_BOLD, false));
  versionFont_.Reset(CreateTahoma(21, FW_NORMAL, false));
  linkFont_.Reset(CreateTahoma(kFontHeight, FW_NORMAL, true));
}

void TFrmMain::CreatePageControl() {
  Tabit = CreateChild(handle_, WC_TABCONTROLW, L"",
                      WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TCS_SINGLELINE | TCS_TABS,
                      {0, 0, kClientWidth, kClientHeight}, 0, font_.Get(), WS_EX_CONTROLPARENT);
  FitTabsInOneRow();
  SendMessageW(Tabit, TCM_SETMINTABWIDTH, 0, 0);  // short captions need no wider tab
  for (int i = 0; i < kPageCount; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(kPageCaptions[i]);
    SendMessageW(Tabit, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    pages_[i] = std::make_unique<Page>(Tabit);
  }
  SH1 = PageHandle(kPageHome);
  SH2 = PageHandle(kPageHardDisks);
  Sh3 = PageHandle(kPageCleaner);
  SH4 = PageHandle(kPageSoftware);
  SH6 = PageHandle(kPageAlarm);
  SH7 = PageHandle(kPageRenamer);
  SH8 = PageHandle(kPageShutdown);
  SH10 = PageHandle(kPageWallpaper);
  SH9 = PageHandle(kPageAdministration);
}

void TFrmMain::FitTabsInOneRow() {
  // Where Tahoma runs wider than the row has room for (Wine's Tahoma is a wider design than the one
  // the layout was made with), first the padding and then the captions' height give way, so that all
  // nine tabs stay in one row without scroll arrows.
  for (int height = kFontHeight; height >= kSmallestTabFontHeight; --height) {
    if (height != kFontHeight) tabFont_.Reset(CreateTahoma(height, FW_NORMAL, false));
    HFONT font = height == kFontHeight ? font_.Get() : tabFont_.Get();
    for (int padding = kTabPaddingX; padding >= kTabPaddingXMin; --padding) {
      if (TabRowWidth(font, padding) <= kClientWidth) {
        SendMessageW(Tabit, TCM_SETPADDING, 0, MAKELPARAM(padding, kTabPaddingY));
        SendMessageW(Tabit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return;
      }
    }
  }
}

void TFrmMain::CreateComponents() {
  Pop1.Reset(CreatePopupMenu());
  AppendMenuW(Pop1.Get(), MF_STRING, kCmdProcesses1, L"Windows Processes");
  AppendMenuW(Pop1.Get(), MF_STRING, kCmdSetanewrandomwallpaper1, L"Random Wallpaper");
  AppendMenuW(Pop1.Get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(Pop1.Get(), MF_STRING, kCmdShow1, L"Show");
  AppendMenuW(Pop1.Get(), MF_STRING, kCmdHide1, L"Hide");
  AppendMenuW(Pop1.Get(), MF_STRING, kCmdExit1, L"Exit");
  Pop2.Reset(CreatePopupMenu());
  AppendMenuW(Pop2.Get(), MF_STRING, kCmdSaveRTAF, L"Save results to a file");

  AlarmAjastin.Attach(handle_);
  ShutAjastin.Attach(handle_);
  Ajastin3.Attach(handle_);

  Avaaja2.title = L"Select files";
  Avaaja2.filter = L"Any file (*.*)|*.*";
  Avaaja2.defaultExtension = L".*";
  Avaaja2.multiSelect = true;
  Avaaja3.filter = L"Pictures|*.bmp;*.jpg;*.jpeg";
  Avaaja3.multiSelect = true;
  Save1.kind = FileDialog::Kind::Save;
  Save1.filter = L"Text File (*.txt)|*.txt";
  Save1.defaultExtension = L".txt";
  Save1.overwritePrompt = true;  // the results file may replace another: ask first
}

void TFrmMain::LayOutPages() {
  RECT client;
  GetClientRect(handle_, &client);
  MoveWindow(Tabit, 0, 0, client.right, client.bottom, TRUE);
  for (const auto& page : pages_)
    MoveWindow(page->Handle(), kPageMarginSide, kPageMarginTop, client.right - 2 * kPageMarginSide,
               client.bottom - kPageMarginTop - kPageMarginBottom, TRUE);
}

int TFrmMain::ActivePage() const { return static_cast<int>(SendMessageW(Tabit, TCM_GETCURSEL, 0, 0)); }

void TFrmMain::SetActivePage(int index) {
  SendMessageW(Tabit, TCM_SETCURSEL, index, 0);
  ShowOnlyActivePage();
}

void TFrmMain::ShowOnlyActivePage() {
  const int active = ActivePage();
  for (int i = 0; i < kPageCount; ++i)
    if (i != active) ShowWindow(pages_[i]->Handle(), SW_HIDE);
  if (active >= 0) ShowWindow(pages_[active]->Handle(), SW_SHOW);
}

void TFrmMain::SetPageWork(int page, std::function<void()> work) { pageWork_[page] = std::move(work); }

void TFrmMain::RunPageWork(int page) {
  if (page >= 0 && pageWork_[page]) pageWork_[page]();
}

void TFrmMain::TabitChange() { RunPageWork(ActivePage()); }

void TFrmMain::FormCreate() {
  Random.Seed(HighResolutionSeed());
  AlertDrive = L'C';
  SetWindowTextW(EditAA, (std::wstring(L"10") + UserDecimalSeparator() + L"0").c_str());
  AppDir = ExecutableFolder();
  LoadSoftwareList();
  SetActivePage(kPageHome);
  ResetLargestFiles();
  AlarmOn = false;
  TimedShutdownOn = false;
  AddTrayIcon();
}

void TFrmMain::FormDestroy() {
  SoftIni.reset();
  RemoveTrayIcon();
}

void TFrmMain::HandleCommand(int id, int code) {
  if (id == kCmdLstKovot) {
    if (code == LBN_SELCHANGE) LstKovotClick();
    return;
  }
  if (id == kCmdLstProc) {
    if (code == LBN_SELCHANGE) LstProcClick();
    if (code == kCheckListMarkChanged) LstProcClickCheck();
    return;
  }
  if (code != 0) return;  // menu items, button and label clicks all report code 0
  switch (id) {
    case kCmdProcesses1: Processes1Click(); break;
    case kCmdShow1: Show1Click(); break;
    case kCmdHide1: Hide1Click(); break;
    case kCmdExit1: Exit1Click(); break;
    case kCmdSaveRTAF: SaveRTAFClick(); break;
    case kCmdBtnMinTray: BtnMinTrayClick(); break;
    case kCmdLblLink1: LblLink1Click(); break;
    case kCmdBtnKovoIsoimmat: BtnKovoIsoimmatClick(); break;
    case kCmdChkSAlert: ChkSAlertClick(); break;
    case kCmdBtnGInf: BtnGInfClick(); break;
    case kCmdLblSLink: LblSLinkClick(); break;
    case kCmdBtnUpdate1: BtnUpdate1Click(); break;
  }
}

void TFrmMain::HandleTimer(UINT_PTR id) {
  if (id == Ajastin3.Id()) Ajastin3Timer();
}

void TFrmMain::EndProgram() {
  if (searching_)
    endRequested_ = true;
  else
    DestroyWindow(handle_);
}

void TFrmMain::ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
      return;
    }
    if (IsDialogMessageW(handle_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void TFrmMain::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const AppError& error) {
    ShowErrorBox(handle_, error.Message());
  } catch (const std::exception& error) {
    ShowErrorBox(handle_, WidenMessage(error.what()));
  }
}

bool TFrmMain::HandleNotify(const NMHDR& header) {
  if (header.hwndFrom == Tabit && header.code == TCN_SELCHANGE) {
    ShowOnlyActivePage();
    RunHandler([this] { TabitChange(); });
    return true;
  }
  if (header.hwndFrom == Softat && header.code == TVN_SELCHANGEDW) {
    const HTREEITEM node = reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.hItem;
    RunHandler([this, node] { SoftatChange(node); });
    return true;
  }
  if (header.hwndFrom == Kuvakkeet && header.code == NM_DBLCLK) {
    const POINT point = reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction;
    RunHandler([this, point] { KuvakkeetDblClick(point); });
    return true;
  }
  return false;
}

LRESULT TFrmMain::ColourStatic(HDC dc, HWND control) {
  SetBkMode(dc, TRANSPARENT);
  if (control == LblLink1 || control == LblSLink) SetTextColor(dc, RGB(0, 0, 255));
  if (GetParent(control) == PnlKovo) return reinterpret_cast<LRESULT>(panelKovo_->Background());
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT TFrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreatedMessage_) {
    // The shell came back (Explorer restarted): without the icon the hidden window is unreachable.
    AddTrayIcon();
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      RunHandler([this, wParam] { HandleCommand(LOWORD(wParam), HIWORD(wParam)); });
      return 0;
    case WM_TIMER:
      RunHandler([this, wParam] { HandleTimer(wParam); });
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == LstLargest) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (lParam == -1) {  // from the keyboard: at the list's corner
          at = POINT{0, 0};
          ClientToScreen(LstLargest, &at);
        }
        ShowPopupMenu(Pop2.Get(), handle_, at);
        return 0;
      }
      break;
    case WM_CTLCOLORLISTBOX:
      if (reinterpret_cast<HWND>(lParam) == LstKovot) return reinterpret_cast<LRESULT>(creamBrush_.Get());
      if (reinterpret_cast<HWND>(lParam) == LstInfo) {
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (IsCheckListBox(item.hwndItem)) {
        DrawCheckListItem(item);
        return TRUE;
      }
      break;
    }
    case WM_CLOSE:
      EndProgram();
      return 0;
    case kTrayIconMessage:
      RunHandler([this, lParam] { TrayIconNotify(lParam); });
      return 0;
    case WM_NOTIFY:
      if (HandleNotify(*reinterpret_cast<const NMHDR*>(lParam))) return 0;
      break;
    case WM_CTLCOLORSTATIC:
      return ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == LblLink1 || reinterpret_cast<HWND>(wParam) == LblSLink) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_SIZE:
      if (Tabit) LayOutPages();
      return 0;
    case WM_DESTROY:
      RunHandler([this] { FormDestroy(); });
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TFrmMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TFrmMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TFrmMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    form->handle_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return form->HandleMessage(message, wParam, lParam);
}
