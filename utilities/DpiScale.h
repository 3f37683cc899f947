#pragma once

// The window is laid out in pixels of a 96-DPI screen; on a screen of another DPI every length of
// that layout (places, sizes, font heights, item heights) is scaled to it.
constexpr int kLayoutDpi = 96;

// The length of the 96-DPI layout on a screen of this DPI, rounded to the nearest pixel (a half away
// from zero), as MulDiv rounds. A DPI that is not positive leaves the length as it is.
int ScaleToDpi(int length, int dpi);
