#include "utilities/DpiScale.h"

int ScaleToDpi(int length, int dpi) {
  if (dpi <= 0) return length;
  const long long product = static_cast<long long>(length) * dpi;
  const long long magnitude = (product < 0 ? -product : product) + kLayoutDpi / 2;
  const long long scaled = magnitude / kLayoutDpi;
  return static_cast<int>(product < 0 ? -scaled : scaled);
}
