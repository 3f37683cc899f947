#pragma once
#include <windows.h>

#include <map>
#include <vector>

#include "platform/Handles.h"

// The fonts of a window laid out again for another DPI: each font in use is replaced by one of the same
// size in points at the new DPI, made once and shared by every control that had the old one.
class RescaledFonts {
 public:
  RescaledFonts(int fromDpi, int toDpi) : fromDpi_(fromDpi), toDpi_(toDpi) {}
  // Uses a replacement its owner made anew for the new DPI.
  void Replace(HFONT font, HFONT replacement) { replacements_[font] = replacement; }
  HFONT For(HFONT font);

 private:
  int fromDpi_, toDpi_;
  std::map<HFONT, HFONT> replacements_;
  std::vector<ScopedFont> made_;
};

// Lays out every window below `root` again for a new DPI, from the 96-DPI layout the create functions
// (ui/Controls.h) scaled it from: each window's place and size, its font, a label's width from its text,
// the item height of a list or a combo box's list, and the pages' paintings. `fonts` gives the new
// fonts and must outlive the windows.
void RelayoutForDpi(HWND root, int fromDpi, int toDpi, RescaledFonts& fonts);
