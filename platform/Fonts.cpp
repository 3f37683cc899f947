#include "platform/Fonts.h"

ScopedFont MakeFont(const FontSpec& font) {
  return ScopedFont(CreateFontW(-font.height, 0, 0, 0, font.weight, font.italic, font.underline, FALSE, font.charset,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, font.face));
}
