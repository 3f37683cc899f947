#include "tools/admin/SystemInfo.h"

#include "utilities/NumberFormat.h"

namespace {

constexpr std::uint64_t kMegabyte = 1048576;
const std::wstring kRule = L"---------------";

std::wstring Megabytes(const wchar_t* label, std::uint64_t bytes) {
  return label + std::to_wstring(bytes / kMegabyte) + L" MB";
}

}  // namespace

std::vector<std::wstring> SystemInfoLines(const MemoryFigures& memory, double clockMHz, wchar_t decimalSeparator) {
  return {
      L"Memory load: " + std::to_wstring(memory.loadPercent) + L"%",
      kRule,
      Megabytes(L"Total RAM: ", memory.totalPhysical),
      Megabytes(L"Available RAM: ", memory.availablePhysical),
      Megabytes(L"Page file: ", memory.totalPageFile),
      Megabytes(L"Available page file: ", memory.availablePageFile),
      kRule,
      L"Processor clock rate: " + FormatFixed2(clockMHz, 4, decimalSeparator) + L" MHz",
      L"(ESTIMATION)",
  };
}

double ClockFromTicks(std::uint64_t ticksInHalfASecond) { return static_cast<double>(ticksInHalfASecond) / 500000.0; }
