#include "utilities/DpiScale.h"

#include <cstdlib>

int ScaleToDpi(int length, int dpi) {
  if (dpi <= 0) return length;
  const long long product = static_cast<long long>(length) * dpi;
  const long long magnitude = (product < 0 ? -product : product) + kLayoutDpi / 2;
  const long long scaled = magnitude / kLayoutDpi;
  return static_cast<int>(product < 0 ? -scaled : scaled);
}

int LayoutLength(int pixels, int dpi) {
  if (dpi <= 0) return pixels;
  const long long product = static_cast<long long>(pixels) * kLayoutDpi;
  const long long magnitude = (product < 0 ? -product : product) + dpi / 2;
  const long long length = magnitude / dpi;
  return static_cast<int>(product < 0 ? -length : length);
}

int PictureFrameForDpi(int dpi) {
  static constexpr int kFrameDpis[kPictureFrameCount] = {96, 120, 144, 192};
  int nearest = 0;
  for (int frame = 1; frame < kPictureFrameCount; ++frame)
    if (std::abs(dpi - kFrameDpis[frame]) <= std::abs(dpi - kFrameDpis[nearest])) nearest = frame;
  return nearest;
}
