#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/Handles.h"

// A decoded picture: top-down rows of 32-bit pixels in B, G, R, A order, alpha not premultiplied.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

// Decodes a PNG file's bytes; throws AppError when they are not a readable PNG.
Picture DecodePng(const void* data, size_t size);
// Decodes a PNG stored as an RCDATA resource of the module.
Picture LoadPngResource(HINSTANCE module, int resourceId);

// A 32-bit DIB section with premultiplied alpha, as AlphaBlend wants it.
ScopedBitmap CreatePremultipliedBitmap(const Picture& picture);
// The pictures side by side, tops aligned, in one picture as wide as all of them together.
Picture JoinSideBySide(const std::vector<Picture>& pictures);
// The picture with every pixel from `firstColumn` rightwards in one colour, each keeping its alpha:
// a shape drawn in a system colour, as high contrast asks.
Picture InOneColourFrom(const Picture& picture, int firstColumn, COLORREF colour);
// A 32-bit DIB section with the picture's alpha as it is, as image lists take a row of their images.
ScopedBitmap CreateAlphaBitmap(const Picture& picture);
// Draws the picture at (x, y), blended over what is already there.
void DrawPicture(HDC dc, HBITMAP premultiplied, int x, int y, int width, int height);
