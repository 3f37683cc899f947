#include "platform/Fonts.h"

#include "utilities/DpiScale.h"

ScopedFont MakeFont(const FontSpec& font, int dpi) {
  return ScopedFont(CreateFontW(-ScaleToDpi(font.height, dpi), 0, 0, 0, font.weight, font.italic, font.underline, FALSE,
                                font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, font.face));
}

ScopedFont RescaledFont(HFONT font, int fromDpi, int toDpi) {
  LOGFONTW description{};
  GetObjectW(font, sizeof description, &description);
  description.lfHeight = ScaleToDpi(LayoutLength(description.lfHeight, fromDpi), toDpi);
  description.lfWidth = ScaleToDpi(LayoutLength(description.lfWidth, fromDpi), toDpi);
  return ScopedFont(CreateFontIndirectW(&description));
}
