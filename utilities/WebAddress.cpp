#include "utilities/WebAddress.h"

#include <initializer_list>

#include "utilities/AsciiCase.h"

namespace {

// prefix is lower case.
bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (AsciiLower(text[i]) != prefix[i]) return false;
  return true;
}

}  // namespace

bool IsWebAddress(const std::wstring& text) {
  for (const std::wstring scheme : {L"http://", L"https://"})
    if (StartsWithIgnoringCase(text, scheme) && text.size() > scheme.size()) return true;
  return false;
}
