#include "utilities/StartupCommand.h"

#include <algorithm>
#include <cwctype>

namespace {

constexpr wchar_t kTrayArgument[] = L"/tray";

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towlower(x) == std::towlower(y);
         });
}

std::wstring WithoutOuterSpaces(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

std::wstring StartupCommandLine(const std::wstring& programPath) {
  return L"\"" + programPath + L"\" " + kTrayArgument;
}

bool StartsProgramInTray(const std::wstring& stored, const std::wstring& programPath) {
  const std::wstring command = WithoutOuterSpaces(stored);
  std::wstring program, arguments;
  if (!command.empty() && command.front() == L'"') {
    const size_t close = command.find(L'"', 1);
    if (close == std::wstring::npos) return false;
    program = command.substr(1, close - 1);
    arguments = command.substr(close + 1);
  } else {
    // Unquoted, the path may hold spaces of its own: the program's path must come whole.
    program = command.substr(0, std::min(programPath.size(), command.size()));
    arguments = command.substr(program.size());
    if (!arguments.empty() && arguments.front() != L' ') return false;
  }
  return SameIgnoringCase(program, programPath) && IsTrayArgument(WithoutOuterSpaces(arguments));
}

bool IsTrayArgument(const std::wstring& argument) { return SameIgnoringCase(argument, kTrayArgument); }
