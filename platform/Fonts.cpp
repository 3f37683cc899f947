#include "platform/Fonts.h"

ScopedFont MakeFont(const FontSpec& spec) {
  return ScopedFont(CreateFontW(-spec.height, 0, 0, 0, spec.weight, spec.italic, spec.underline, FALSE, spec.charset,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, spec.face));
}
