#pragma once
#include <windows.h>

#include "platform/Handles.h"

// What a control's font is: face, height in pixels of the 96-DPI layout (a character height, as the
// pages' tables give it), weight and style.
struct FontSpec {
  const wchar_t* face = L"Tahoma";
  int height = 11;
  int weight = FW_NORMAL;
  bool italic = false;
  bool underline = false;
  BYTE charset = DEFAULT_CHARSET;
};

// The font for a window shown at this DPI: the same size in points on any screen.
ScopedFont MakeFont(const FontSpec& font, int dpi);
// The same font for a window moved from one DPI to another: its height follows the DPI.
ScopedFont RescaledFont(HFONT font, int fromDpi, int toDpi);
