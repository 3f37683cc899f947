#include "ui/Controls.h"

#include <commctrl.h>
#include <oleacc.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <iterator>
#include <map>

#include "platform/Accessible.h"
#include "platform/Dpi.h"
#include "platform/Handles.h"
#include "platform/HighContrast.h"
#include "platform/Shell.h"
#include "utilities/AccessKeys.h"
#include "utilities/DpiScale.h"
#include "utilities/WebAddress.h"

namespace {

constexpr wchar_t kSpeedButtonClass[] = L"QuoxelSpeedButton";
// Marks a top-level window whose access keys show underlined.
constexpr wchar_t kAccessKeysShown[] = L"Quoxel.AccessKeysShown";
constexpr int kChoiceCaptionGap = 4;  // between a check box's mark and its caption, as the system draws it

// What a control keeps of the layout where a rule may move it or widen it, to place it again when the
// window is laid out for another DPI (KeepRightOf, WidenChoiceToItsCaption).
constexpr wchar_t kKeptRightOf[] = L"Quoxel.KeptRightOf";
constexpr wchar_t kKeptGap[] = L"Quoxel.KeptGap";
constexpr wchar_t kLayoutLeft[] = L"Quoxel.LayoutLeft";
constexpr wchar_t kLayoutWidth[] = L"Quoxel.LayoutWidth";

HANDLE PropValue(int value) { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(value)); }
int IntProp(HWND control, const wchar_t* name) {
  return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(control, name)));
}

// One memory device context for every measurement: text measures the same on it as on the screen,
// and under Wine each screen context taken costs round trips to the Wine server and the X server.
HDC MeasuringDC() {
  static const ScopedMemoryDC dc(nullptr);
  return dc.Get();
}

// Runs a measurement with the font selected.
template <typename Measure>
auto WithFont(HFONT font, Measure measure) {
  const HDC dc = MeasuringDC();
  ScopedSelectObject selected(dc, font);
  return measure(dc);
}

// Creates the control at bounds already in the parent's pixels, and gives it the font.
HWND CreateAt(HWND parent, const wchar_t* windowClass, const std::wstring& text, DWORD style, Bounds b, int id,
              HFONT font, DWORD exStyle = 0) {
  HWND control = CreateWindowExW(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, b.left, b.top,
                                 b.width, b.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// Pressed while the left button went down on it and the pointer is still over it.
struct SpeedButtonState {
  bool tracking = false;
  bool pointerInside = false;
  HFONT font = nullptr;
  wchar_t accessKey = 0;
};

SpeedButtonState* StateOf(HWND button) {
  return reinterpret_cast<SpeedButtonState*>(GetWindowLongPtrW(button, GWLP_USERDATA));
}

void PaintSpeedButton(HWND button, HDC dc) {
  RECT rect;
  GetClientRect(button, &rect);
  const SpeedButtonState* state = StateOf(button);
  const bool pressed = state->tracking && state->pointerInside;
  const bool enabled = IsWindowEnabled(button);
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  if (HTHEME theme = OpenThemeData(button, L"BUTTON")) {
    const int part = !enabled ? PBS_DISABLED : pressed ? PBS_PRESSED : PBS_NORMAL;
    DrawThemeBackground(theme, dc, BP_PUSHBUTTON, part, &rect, nullptr);
    CloseThemeData(theme);
  } else {
    DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  }
  wchar_t text[256];
  GetWindowTextW(button, text, 256);
  ScopedSelectObject font(dc, state->font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  if (pressed) OffsetRect(&rect, 1, 1);
  // The plain caption while the keys are hidden: Wine's DrawText underlines even with DT_HIDEPREFIX.
  const bool keyShown = AccessKeysShown(button);
  const std::wstring caption = keyShown ? MarkAccessKey(text, state->accessKey) : std::wstring(text);
  DrawTextW(dc, caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | (keyShown ? 0 : DT_NOPREFIX));
}

// A push button named by its caption, unavailable while disabled, pressed with Alt and its key.
AccessibleFacts SpeedButtonFacts(HWND button) {
  const SpeedButtonState* state = StateOf(button);
  if (!state) return {};
  AccessibleFacts facts;
  facts.name = WindowTextOf(button);
  facts.role = ROLE_SYSTEM_PUSHBUTTON;
  facts.state = (IsWindowEnabled(button) ? 0 : STATE_SYSTEM_UNAVAILABLE) |
                (IsWindowVisible(button) ? 0 : STATE_SYSTEM_INVISIBLE) |
                (state->tracking && state->pointerInside ? STATE_SYSTEM_PRESSED : 0);
  if (state->accessKey) facts.keyboardShortcut = std::wstring(L"Alt+") + state->accessKey;
  return facts;
}

bool AsksForClientObject(UINT message, LPARAM lParam) {
  return message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT;
}

void NotifyClick(HWND button) {
  const int id = GetDlgCtrlID(button);
  SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

LRESULT CALLBACK SpeedButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  SpeedButtonState* state = StateOf(button);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new SpeedButtonState));
      break;
    case WM_NCDESTROY:
      delete state;
      SetWindowLongPtrW(button, GWLP_USERDATA, 0);
      break;
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(button, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font);
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      state->tracking = state->pointerInside = true;
      SetCapture(button);
      InvalidateRect(button, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      if (state->tracking) {
        RECT rect;
        GetClientRect(button, &rect);
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const bool inside = PtInRect(&rect, point);
        if (inside != state->pointerInside) {
          state->pointerInside = inside;
          InvalidateRect(button, nullptr, FALSE);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (state->tracking) {
        RECT rect;
        GetClientRect(button, &rect);
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const bool click = PtInRect(&rect, point);
        state->tracking = state->pointerInside = false;
        ReleaseCapture();
        InvalidateRect(button, nullptr, FALSE);
        if (click) NotifyClick(button);
      }
      return 0;
    case WM_CAPTURECHANGED:
      state->tracking = false;
      InvalidateRect(button, nullptr, FALSE);
      return 0;
    case BM_CLICK:
      if (IsWindowEnabled(button)) NotifyClick(button);
      return 0;
    case WM_ENABLE:
      InvalidateRect(button, nullptr, FALSE);
      return 0;
    case WM_GETOBJECT:
      if (!AsksForClientObject(message, lParam)) break;
      if (const LRESULT object = AccessibleClientObject(button, wParam, [button] { return SpeedButtonFacts(button); }))
        return object;
      break;
    case WM_SETTEXT: {  // a new caption is painted with the next paint, as a button's is
      const LRESULT result = DefWindowProcW(button, message, wParam, lParam);
      InvalidateRect(button, nullptr, FALSE);
      return result;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(button, &ps);
      PaintSpeedButton(button, dc);
      EndPaint(button, &ps);
      return 0;
    }
  }
  return DefWindowProcW(button, message, wParam, lParam);
}

}  // namespace

Bounds ScaledBounds(Bounds b, int dpi) {
  // The far edges are scaled rather than the sizes, so that controls side by side stay side by side.
  const int left = ScaleToDpi(b.left, dpi), top = ScaleToDpi(b.top, dpi);
  return {left, top, ScaleToDpi(b.left + b.width, dpi) - left, ScaleToDpi(b.top + b.height, dpi) - top};
}

bool IsWindowOfClass(HWND window, const wchar_t* windowClass) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return lstrcmpiW(name, windowClass) == 0;
}

namespace {

bool IsChoice(const wchar_t* windowClass, DWORD style) {
  const DWORD type = style & BS_TYPEMASK;
  return lstrcmpiW(windowClass, WC_BUTTONW) == 0 &&
         (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
          type == BS_3STATE || type == BS_AUTO3STATE);
}

}  // namespace

HWND CreateChild(HWND parent, const wchar_t* windowClass, const std::wstring& text, DWORD style, Bounds bounds, int id,
                 HFONT font, DWORD exStyle) {
  const int dpi = WindowDpi(parent);
  const HWND control = CreateAt(parent, windowClass, text, style, ScaledBounds(bounds, dpi), id, font, exStyle);
  // Only a check box or radio button is measured, so that making the other controls asks nothing more.
  if (IsChoice(windowClass, style)) WidenChoiceToItsCaption(control, dpi);
  return control;
}

void WidenChoiceToItsCaption(HWND control, int dpi) {
  if (!IsWindowOfClass(control, WC_BUTTONW) || !IsChoice(WC_BUTTONW, GetWindowLongW(control, GWL_STYLE))) return;
  RECT rect;
  GetWindowRect(control, &rect);
  if (!GetPropW(control, kLayoutWidth))  // made just now: its width is the layout's
    SetPropW(control, kLayoutWidth, PropValue(LayoutLength(rect.right - rect.left, dpi)));
  int width = ScaleToDpi(IntProp(control, kLayoutWidth), dpi);
  if (dpi != kLayoutDpi) {  // the layout was drawn and checked at 96 DPI
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    width = std::max(width, SystemMetricAtDpi(SM_CXMENUCHECK, dpi) + ScaleToDpi(kChoiceCaptionGap, dpi) +
                                static_cast<int>(TextExtent(font, CaptionAsShown(WindowTextOf(control))).cx));
  }
  if (width != rect.right - rect.left)
    SetWindowPos(control, nullptr, 0, 0, width, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateLabel(HWND parent, const std::wstring& text, Bounds bounds, HFONT font, int id) {
  // Only a label made with an access key's mark reads "&" as one; any other shows its text as it is.
  const DWORD prefix = MarkedAccessKey(text) ? 0 : SS_NOPREFIX;
  const HWND label = CreateAt(parent, L"STATIC", text, SS_LEFT | SS_NOTIFY | prefix,
                              ScaledBounds(bounds, WindowDpi(parent)), id, font);
  FitLabelToItsText(label);
  return label;
}

namespace {

void FitLabelToText(HWND label, const std::wstring& text) {
  RECT rect;
  GetWindowRect(label, &rect);
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  const bool marked = !(GetWindowLongW(label, GWL_STYLE) & SS_NOPREFIX);
  SetWindowPos(label, nullptr, 0, 0, LabelWidth(font, marked ? CaptionAsShown(text) : text), rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void FitLabelToItsText(HWND label) { FitLabelToText(label, WindowTextOf(label)); }

int WrappedTextHeight(HFONT font, const std::wstring& text, int width) {
  return WithFont(font, [&](HDC dc) {
    RECT needed{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK);
    return static_cast<int>(needed.bottom);
  });
}

HWND CreateWrappedLabel(HWND parent, const std::wstring& text, Bounds bounds, HFONT font) {
  bounds = ScaledBounds(bounds, WindowDpi(parent));
  // Tall enough for every line the text wraps to in this font.
  if (const int height = WrappedTextHeight(font, text, bounds.width); height > bounds.height) bounds.height = height;
  return CreateAt(parent, L"STATIC", text, SS_LEFT, bounds, 0, font);
}

namespace {

RECT RectInParent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveRightOf(HWND control, HWND before, int gap, int layoutLeft, int dpi) {
  const RECT rect = RectInParent(control);
  int left = ScaleToDpi(layoutLeft, dpi);
  if (dpi != kLayoutDpi)  // the layout was drawn and checked at 96 DPI
    left = std::max(left, static_cast<int>(RectInParent(before).right) + ScaleToDpi(gap, dpi));
  if (left != rect.left)
    SetWindowPos(control, nullptr, left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void KeepRightOf(HWND control, HWND before, int gap) {
  const int layoutLeft = LayoutLength(RectInParent(control).left, WindowDpi(control));
  SetPropW(control, kKeptRightOf, before);
  SetPropW(control, kKeptGap, PropValue(gap));
  SetPropW(control, kLayoutLeft, PropValue(layoutLeft));
  MoveRightOf(control, before, gap, layoutLeft, WindowDpi(control));
}

void KeepRightOfAgain(HWND control, int dpi) {
  const HWND before = static_cast<HWND>(GetPropW(control, kKeptRightOf));
  if (!before) return;
  MoveRightOf(control, before, IntProp(control, kKeptGap), IntProp(control, kLayoutLeft), dpi);
}

// Sized first: a label may paint its new text at once, wrapped in the width it has then, and a later
// widening repaints only the part it adds.
void SetLabelText(HWND label, const std::wstring& text) {
  FitLabelToText(label, text);
  SetWindowTextW(label, text.c_str());
}

void SetItemHeight(HWND control, UINT setItemHeight, int height) {
  SendMessageW(control, setItemHeight, 0, ScaleToDpi(height, WindowDpi(control)));
}

void RegisterSpeedButtonClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = SpeedButtonProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kSpeedButtonClass;
  RegisterClassExW(&wc);
}

HWND CreateSpeedButton(HWND parent, const std::wstring& text, Bounds bounds, int id, HFONT font, wchar_t accessKey) {
  const HWND button = CreateChild(parent, kSpeedButtonClass, text, 0, bounds, id, font);
  if (SpeedButtonState* state = button ? StateOf(button) : nullptr) state->accessKey = accessKey;
  return button;
}

wchar_t AccessKeyOf(HWND control) {
  if (GetWindowLongPtrW(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SpeedButtonProc))
    return StateOf(control)->accessKey;
  const bool marks = IsWindowOfClass(control, WC_BUTTONW) ||
                     (IsWindowOfClass(control, WC_STATICW) && !(GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX));
  return marks ? MarkedAccessKey(WindowTextOf(control)) : 0;
}

HWND AccessKeyControl(HWND container, wchar_t typed) {
  for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && IsWindowEnabled(child) && PressesAccessKey(typed, AccessKeyOf(child))) return child;
  return nullptr;
}

bool AccessKeysShown(HWND control) { return GetPropW(GetAncestor(control, GA_ROOT), kAccessKeysShown) != nullptr; }

void ShowAccessKeys(HWND window) {
  if (GetPropW(window, kAccessKeysShown)) return;
  SetPropW(window, kAccessKeysShown, window);
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void HideAccessKeysUntilAlt(HWND window) {
  BOOL alwaysShown = FALSE;
  SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0);
  if (alwaysShown) {
    ShowAccessKeys(window);
    return;
  }
  RemovePropW(window, kAccessKeysShown);
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEACCEL), 0);
}

namespace {

// Controls named by SetAccessibleName, with the window procedure each had before.
struct NamedControl {
  WNDPROC previous;
  std::wstring name;
  DescribeItem describeItem;
};
std::map<HWND, NamedControl>& NamedControls() {
  static std::map<HWND, NamedControl> named;
  return named;
}

// The roles that Wine's standard object gives as "client".
std::optional<long> RoleOfClass(HWND control) {
  if (IsWindowOfClass(control, WC_LISTBOXW) || IsWindowOfClass(control, WC_LISTVIEWW)) return ROLE_SYSTEM_LIST;
  if (IsWindowOfClass(control, WC_TREEVIEWW)) return ROLE_SYSTEM_OUTLINE;
  if (IsWindowOfClass(control, WC_COMBOBOXW)) return ROLE_SYSTEM_COMBOBOX;
  if (IsWindowOfClass(control, UPDOWN_CLASSW)) return ROLE_SYSTEM_SPINBUTTON;
  return std::nullopt;
}

AccessibleFacts NamedControlFacts(HWND control) {
  const auto found = NamedControls().find(control);
  if (found == NamedControls().end()) return {};
  AccessibleFacts facts;
  facts.name = found->second.name;
  facts.role = RoleOfClass(control);
  if (const DescribeItem& describe = found->second.describeItem)
    facts.childDescription = [describe](long child) { return describe(static_cast<int>(child) - 1); };
  return facts;
}

// Replaces the window procedure rather than subclassing through the common controls, whose every
// message costs a round trip to the Wine server: a named list may be filled with thousands of items.
LRESULT CALLBACK AnswerWithName(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = NamedControls().find(control);
  const WNDPROC previous = found->second.previous;
  if (AsksForClientObject(message, lParam)) {
    const LRESULT object = AccessibleClientObject(control, wParam, [control] { return NamedControlFacts(control); });
    if (object) return object;
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    NamedControls().erase(found);
  }
  return CallWindowProcW(previous, control, message, wParam, lParam);
}

void AnswerWithTheName(HWND control, const std::wstring& name, DescribeItem describeItem = nullptr) {
  const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
  NamedControls()[control] = {previous, name, std::move(describeItem)};
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnswerWithName));
}

// The window of its own that a screen reader reaches inside the control: an editable combo box's
// edit, a time picker's spin button; null for none.
HWND InnerPart(HWND control) {
  COMBOBOXINFO combo{};
  combo.cbSize = sizeof combo;
  if (IsWindowOfClass(control, WC_COMBOBOXW) && GetComboBoxInfo(control, &combo) && combo.hwndItem != control)
    return combo.hwndItem;
  if (IsWindowOfClass(control, DATETIMEPICK_CLASSW)) return FindWindowExW(control, nullptr, UPDOWN_CLASSW, nullptr);
  return nullptr;
}

}  // namespace

void SetAccessibleName(HWND control, const std::wstring& name, DescribeItem describeItem) {
  AnswerWithTheName(control, name, std::move(describeItem));
  if (const HWND inner = InnerPart(control)) AnswerWithTheName(inner, name);
}

namespace {

BOOL CALLBACK SetStyleForContrast(HWND control, LPARAM highContrast) {
  const wchar_t* none = highContrast ? L" " : nullptr;  // " " names no style (Wine takes "" as none given)
  SetWindowTheme(control, none, none);
  return TRUE;
}

}  // namespace

void FollowContrastInStyles(HWND root) {
  EnumChildWindows(root, SetStyleForContrast, HighContrastOn());
}

namespace {

LRESULT CALLBACK FilterKeys(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* filter = reinterpret_cast<KeyFilter*>(data);
  if (message == WM_CHAR) {
    wchar_t key = static_cast<wchar_t>(wParam);
    (*filter)(key);
    if (key == 0) return 0;
    wParam = key;
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(edit, FilterKeys, 0);
    delete filter;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void SetKeyFilter(HWND editOrCombo, KeyFilter filter) {
  COMBOBOXINFO combo{};
  combo.cbSize = sizeof combo;
  HWND edit = GetComboBoxInfo(editOrCombo, &combo) && combo.hwndItem ? combo.hwndItem : editOrCombo;
  SetWindowSubclass(edit, FilterKeys, 0, reinterpret_cast<DWORD_PTR>(new KeyFilter(std::move(filter))));
}

namespace {

LRESULT CALLBACK ReportKeyDown(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* action = reinterpret_cast<KeyDownAction*>(data);
  switch (message) {
    case WM_GETDLGCODE: {
      const auto* queued = reinterpret_cast<const MSG*>(lParam);
      const bool enter = queued && queued->message == WM_KEYDOWN && queued->wParam == VK_RETURN;
      return DefSubclassProc(edit, message, wParam, lParam) | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
      (*action)(static_cast<WORD>(wParam));
      break;
    case WM_CHAR:
      if (wParam == VK_RETURN) return 0;  // a single-line edit would only beep at it
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, ReportKeyDown, 1);
      delete action;
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void SetKeyDownAction(HWND edit, KeyDownAction action) {
  SetWindowSubclass(edit, ReportKeyDown, 1, reinterpret_cast<DWORD_PTR>(new KeyDownAction(std::move(action))));
}

void AddHint(HWND control, const std::wstring& hint) {
  // Owned by the control's parent, the tooltip goes when the page goes.
  const HWND tooltip =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, GetParent(control), nullptr, nullptr, nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(hint.c_str());
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::wstring ListBoxText(HWND list, int index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

void AddListBoxItems(HWND list, const std::vector<std::wstring>& texts,
                     const std::function<void(int index, const std::wstring& text)>& added) {
  std::size_t characters = 0;
  for (const std::wstring& text : texts) characters += text.size() + 1;
  SendMessageW(list, LB_INITSTORAGE, texts.size(), characters * sizeof(wchar_t));
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (const std::wstring& text : texts) {
    const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0 && added) added(static_cast<int>(index), text);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

std::wstring TreeItemText(HWND tree, HTREEITEM item) {
  wchar_t text[1024] = {};
  TVITEMW data{};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = 1024;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  return text;
}

std::wstring WindowTextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

bool IsButtonChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetButtonChecked(HWND button, bool checked) {
  SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int LabelWidth(HFONT font, const std::wstring& text) {
  return WithFont(font, [&text](HDC dc) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    // An italic last letter reaches past its advance: the label must hold all of it.
    GLYPHMETRICS glyph{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    if (!text.empty() && GetGlyphOutlineW(dc, text.back(), GGO_METRICS, &glyph, 0, nullptr, &identity) != GDI_ERROR) {
      const int beyond = glyph.gmptGlyphOrigin.x + static_cast<int>(glyph.gmBlackBoxX) - glyph.gmCellIncX;
      if (beyond > 0) size.cx += beyond;
    }
    return static_cast<int>(size.cx);
  });
}

SIZE TextExtent(HFONT font, const std::wstring& text) {
  return WithFont(font, [&text](HDC dc) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
  });
}

int WidestTextWidth(HFONT font, const std::vector<std::wstring>& texts) {
  return WithFont(font, [&texts](HDC dc) {
    int widest = 0;
    for (const std::wstring& text : texts) {
      SIZE size{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
      widest = std::max(widest, static_cast<int>(size.cx));
    }
    return widest;
  });
}

void OpenLinkLabel(HWND label) {
  const std::wstring text = WindowTextOf(label);
  if (IsWebAddress(text)) OpenInBrowser(text);
}
