#include "utilities/NameOrder.h"

#include "utilities/AsciiCase.h"

namespace {

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/:") + 1); }

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The run of digits from `at`, without its leading zeros; `at` moves past it.
std::wstring DigitRun(const std::wstring& text, std::size_t& at) {
  while (at < text.size() && text[at] == L'0' && at + 1 < text.size() && IsDigit(text[at + 1])) ++at;
  const std::size_t start = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  return text.substr(start, at - start);
}

// Negative, zero or positive as the left digit run's value is below, equal to or above the right's.
int CompareNumbers(const std::wstring& left, const std::wstring& right) {
  if (left.size() != right.size()) return left.size() < right.size() ? -1 : 1;
  return left.compare(right);
}

}  // namespace

bool FileNameOrderLess(const std::wstring& leftPath, const std::wstring& rightPath) {
  const std::wstring left = NameOf(leftPath), right = NameOf(rightPath);
  std::size_t l = 0, r = 0;
  while (l < left.size() && r < right.size()) {
    if (IsDigit(left[l]) && IsDigit(right[r])) {
      const int order = CompareNumbers(DigitRun(left, l), DigitRun(right, r));
      if (order != 0) return order < 0;
      continue;
    }
    const wchar_t a = AsciiLower(left[l++]), b = AsciiLower(right[r++]);
    if (a != b) return a < b;
  }
  if (left.size() - l != right.size() - r) return left.size() - l < right.size() - r;
  return left < right;  // names equal but for case or zeros: a fixed order all the same
}
