#pragma once
#include <windows.h>

// Helpers for a small topmost window that pops up on its own, apart from the main window (so that it
// shows while that one is in the tray), with the dialog face and its own buttons.

// Takes the main window's icons for the caption and the taskbar.
void ShowProgramIcons(HWND notice, HWND programWindow);
// Sizes the window to a client area given in 96-DPI lengths, scaled to its DPI, centred on the work
// area of the main screen.
void FitNoticeToLayout(HWND notice, SIZE clientSize);
// Topmost and shown without the keyboard: what the user types into another program stays there.
void ShowNoticeWithoutKeyboard(HWND notice);
// As in a dialog, the focus goes back to the button that had it when the user left, at first the
// default button. `focused` keeps that button between the calls.
void FollowNoticeActivation(HWND notice, bool active, HWND defaultButton, HWND& focused);
// WM_CTLCOLORSTATIC for its texts: the system's text on the dialog face.
LRESULT NoticeTextColour(HDC dc);
