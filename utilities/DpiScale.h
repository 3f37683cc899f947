#pragma once

// The window is laid out in pixels of a 96-DPI screen; on a screen of another DPI every length of
// that layout (places, sizes, font heights, item heights) is scaled to it.
constexpr int kLayoutDpi = 96;

// The length of the 96-DPI layout on a screen of this DPI, rounded to the nearest pixel (a half away
// from zero), as MulDiv rounds. A DPI that is not positive leaves the length as it is.
int ScaleToDpi(int length, int dpi);
// The length of the 96-DPI layout that ScaleToDpi made these pixels from; exact at 96 DPI and above,
// where no two lengths scale to the same pixels. A DPI that is not positive leaves them as they are.
int LayoutLength(int pixels, int dpi);

// The program's pictures are drawn for screens at 100, 125, 150 and 200 % (frames 0 to 3). A screen
// takes the frame nearest its scale, the larger of two as near, and shows it at the frame's own size:
// a picture stretched by another factor would be blurred.
constexpr int kPictureFrameCount = 4;
int PictureFrameForDpi(int dpi);
