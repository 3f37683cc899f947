#include "platform/HighContrast.h"

#include <windows.h>

namespace {
HighContrastReader g_reader;
}

void SetHighContrastReader(HighContrastReader reader) { g_reader = std::move(reader); }

bool HighContrastOn() {
  if (g_reader) return g_reader();
  HIGHCONTRASTW setting{};
  setting.cbSize = sizeof setting;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
         (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}
