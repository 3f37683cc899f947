#include "utilities/InstanceName.h"

#include <cstdint>

namespace {

// The same folder written in its usual forms: forward slashes, trailing separators and the
// long-path prefix make no other folder.
std::wstring CanonicalFolder(const std::wstring& folder) {
  std::wstring canonical = folder;
  for (wchar_t& c : canonical)
    if (c == L'/') c = L'\\';
  const std::wstring longPrefix = L"\\\\?\\", longUncPrefix = L"\\\\?\\UNC\\";
  if (canonical.rfind(longUncPrefix, 0) == 0)
    canonical.replace(0, longUncPrefix.size(), L"\\\\");
  else if (canonical.rfind(longPrefix, 0) == 0)
    canonical.erase(0, longPrefix.size());
  while (!canonical.empty() && canonical.back() == L'\\') canonical.pop_back();
  return canonical;
}

// FNV-1a over the bytes of the code units, 64 bits: spread enough that two folders of one user do
// not meet.
std::uint64_t Fnv1a64(const std::wstring& text) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const wchar_t c : text) {
    const auto unit = static_cast<std::uint32_t>(c);
    for (size_t byte = 0; byte < sizeof(wchar_t); ++byte) {
      hash ^= (unit >> (8 * byte)) & 0xffU;
      hash *= 0x100000001b3ULL;
    }
  }
  return hash;
}

std::wstring Hex16(std::uint64_t value) {
  std::wstring digits(16, L'0');
  for (size_t i = digits.size(); i-- > 0; value >>= 4) digits[i] = L"0123456789abcdef"[value & 0xf];
  return digits;
}

}  // namespace

std::wstring InstanceNameOfFoldedFolder(const std::wstring& foldedFolder) {
  return L"Quoxel-" + Hex16(Fnv1a64(CanonicalFolder(foldedFolder)));
}
