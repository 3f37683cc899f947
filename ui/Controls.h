#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

// Position of a control in its parent, as left, top, width, height.
struct Bounds {
  int left, top, width, height;
};

// Bounds of the 96-DPI layout on a window shown at this DPI.
Bounds ScaledBounds(Bounds bounds, int dpi);

// The create functions take their bounds in the 96-DPI layout and place the control at the parent's DPI.
// Creates a child control and gives it the font.
HWND CreateChild(HWND parent, const wchar_t* windowClass, const std::wstring& text, DWORD style, Bounds bounds, int id,
                 HFONT font, DWORD exStyle = 0);
// Whether the window is of the class (compared as Windows compares class names, ignoring case).
bool IsWindowOfClass(HWND window, const wchar_t* windowClass);
// Makes a check box or radio button wide enough for its mark and its whole caption in its font, at
// least as wide as it is (a font at another scale may need more room than the layout gave), on a window
// at this DPI. At 96 DPI, the scale the layout was drawn and checked at, it is left as it is; so it is
// by KeepRightOf.
void WidenChoiceToItsCaption(HWND control, int dpi);
// A label is as wide as its text, whatever width it was laid out with, so no font cuts it short. Its
// SS_NOTIFY style marks it as such when the window is laid out again for another DPI.
HWND CreateLabel(HWND parent, const std::wstring& text, Bounds bounds, HFONT font, int id = 0);
// A label of fixed width whose text wraps onto further lines.
HWND CreateWrappedLabel(HWND parent, const std::wstring& text, Bounds bounds, HFONT font);
// Moves the control right, where need be, so that it starts a gap (in the 96-DPI layout) after `before`
// ends: a label grown with its font would otherwise run under the control beside it. The control keeps
// the rule, and its place in the layout, for KeepRightOfAgain once the window is laid out anew.
void KeepRightOf(HWND control, HWND before, int gap);
void KeepRightOfAgain(HWND control, int dpi);
// Makes a label as wide as the text it shows (without its access key's mark) in its font.
void FitLabelToItsText(HWND label);
// Changes a label's text and makes it as wide as the new text.
void SetLabelText(HWND label, const std::wstring& text);
// Sets the height of the items of a list box (LB_SETITEMHEIGHT) or of a combo box's list
// (CB_SETITEMHEIGHT), given in the 96-DPI layout, at the control's DPI.
void SetItemHeight(HWND control, UINT setItemHeight, int height);

// A push button that never takes the keyboard focus; a click (or BM_CLICK) sends BN_CLICKED to its
// parent like an ordinary button. Its access key is a letter of its caption, underlined at the first
// word that starts with it; the caption stays the text it is given. Screen readers are told it is a
// push button named by its caption.
HWND CreateSpeedButton(HWND parent, const std::wstring& text, Bounds bounds, int id, HFONT font, wchar_t accessKey);
void RegisterSpeedButtonClass(HINSTANCE instance);

// Access keys: a speed button's, or the letter an ordinary button's caption marks with "&" (check
// boxes, radio buttons) or a label's text does (its key acts on the control made after it); 0 for none.
wchar_t AccessKeyOf(HWND control);
// The visible, enabled control directly in the container whose access key the typed character is.
HWND AccessKeyControl(HWND container, wchar_t typed);
// Access keys show underlined from the first Alt pressed in the window on, or always where the user's
// setting asks for it. Speed buttons follow a mark on the top-level window, the system's controls its
// keyboard-cue state (which Wine does not keep: there they always underline).
void HideAccessKeysUntilAlt(HWND window);
void ShowAccessKeys(HWND window);
bool AccessKeysShown(HWND control);

// The name screen readers give a control that no label made just before it names (or that Wine's
// standard object does not name from one: lists, trees, combo boxes); lists, trees and combo boxes
// are given their roles too, which Wine's standard object calls "client". An editable combo box's edit
// and a time picker's spin button take the same name. A list's items may be described too
// (`describeItem` is given the item's index).
using DescribeItem = std::function<std::wstring(int index)>;
void SetAccessibleName(HWND control, const std::wstring& name, DescribeItem describeItem = nullptr);

// The system's controls below the window, the program's own that draw themselves alike, are drawn
// without visual styles while high contrast is on, in the system's colours alone (a style's own
// colours would stay, as Wine's light style's do), and with them otherwise.
void FollowContrastInStyles(HWND root);

// Passes each character typed into an edit (or an editable combo box's edit) through the filter
// first; a filter that sets the character to 0 discards it.
using KeyFilter = std::function<void(wchar_t&)>;
void SetKeyFilter(HWND editOrCombo, KeyFilter filter);
// Calls the action with the virtual key of each key pressed in an edit, Enter included (which the
// window's dialog keys would otherwise take), before the edit handles the key.
using KeyDownAction = std::function<void(WORD key)>;
void SetKeyDownAction(HWND edit, KeyDownAction action);

// Opens a link label's text in the browser when it is a web address (a label's text may come from a
// downloaded file: nothing else is handed to the shell).
void OpenLinkLabel(HWND label);

// A tooltip that shows the hint while the pointer rests on the control.
void AddHint(HWND control, const std::wstring& hint);
// Text of a list box's item, of a tree view's item, and of a window.
std::wstring ListBoxText(HWND list, int index);
// Adds the texts to a list box in one batch: the storage reserved once and nothing drawn until the
// last one (a visible list box redraws its scroll bar at each addition otherwise, milliseconds an item
// under Wine). `added` is told each new item's index and text.
void AddListBoxItems(HWND list, const std::vector<std::wstring>& texts,
                     const std::function<void(int index, const std::wstring& text)>& added = nullptr);
std::wstring TreeItemText(HWND tree, HTREEITEM item);
std::wstring WindowTextOf(HWND window);
// A check box's or radio button's mark.
bool IsButtonChecked(HWND button);
void SetButtonChecked(HWND button, bool checked);

// Width and height of a text in a font, in pixels.
SIZE TextExtent(HFONT font, const std::wstring& text);
// Width of the widest of the texts in a font, in pixels; 0 for none.
int WidestTextWidth(HFONT font, const std::vector<std::wstring>& texts);
// The width a label needs for its text: the extent, and the part of an italic last letter beyond it.
int LabelWidth(HFONT font, const std::wstring& text);
// The height a text needs in the font when it wraps at the width.
int WrappedTextHeight(HFONT font, const std::wstring& text, int width);
