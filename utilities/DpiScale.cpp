#include "utilities/DpiScale.h"

#include <cstdlib>

namespace {

// The quotient rounded to the nearest whole number, a half away from zero, as MulDiv rounds.
int DivideRounded(long long numerator, int denominator) {
  const long long magnitude = (numerator < 0 ? -numerator : numerator) + denominator / 2;
  const long long quotient = magnitude / denominator;
  return static_cast<int>(numerator < 0 ? -quotient : quotient);
}

}  // namespace

int ScaleToDpi(int length, int dpi) {
  return dpi <= 0 ? length : DivideRounded(static_cast<long long>(length) * dpi, kLayoutDpi);
}

int LayoutLength(int pixels, int dpi) {
  return dpi <= 0 ? pixels : DivideRounded(static_cast<long long>(pixels) * kLayoutDpi, dpi);
}

int PictureFrameForDpi(int dpi) {
  static constexpr int kFrameDpis[kPictureFrameCount] = {96, 120, 144, 192};
  int nearest = 0;
  for (int frame = 1; frame < kPictureFrameCount; ++frame)
    if (std::abs(dpi - kFrameDpis[frame]) <= std::abs(dpi - kFrameDpis[nearest])) nearest = frame;
  return nearest;
}
