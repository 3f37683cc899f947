#pragma once
#include <functional>

// Whether the user has asked for high contrast (SPI_GETHIGHCONTRAST's HCF_HIGHCONTRASTON): then the
// program shows the system's colours only. Asked afresh at each call. Tests answer in its place; an
// empty reader brings the system's setting back.
bool HighContrastOn();
using HighContrastReader = std::function<bool()>;
void SetHighContrastReader(HighContrastReader reader);
