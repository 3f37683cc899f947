#include "utilities/AccessKeys.h"

#include <cwctype>

namespace {

wchar_t Upper(wchar_t c) { return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c))); }

// Where the key's letter is underlined: at a word's start if one starts with it; npos when none holds it.
std::size_t KeyPosition(const std::wstring& text, wchar_t key) {
  std::size_t anywhere = std::wstring::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!PressesAccessKey(text[i], key)) continue;
    if (i == 0 || std::iswspace(static_cast<wint_t>(text[i - 1]))) return i;
    if (anywhere == std::wstring::npos) anywhere = i;
  }
  return anywhere;
}

}  // namespace

wchar_t MarkedAccessKey(const std::wstring& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return Upper(caption[i + 1]);
    ++i;  // "&&" is an ampersand shown as such
  }
  return 0;
}

std::wstring CaptionAsShown(const std::wstring& caption) {
  std::wstring shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;  // the mark goes; of "&&" one stays
    shown += caption[i];
  }
  return shown;
}

bool PressesAccessKey(wchar_t typed, wchar_t key) { return key != 0 && Upper(typed) == Upper(key); }

std::wstring MarkAccessKey(const std::wstring& text, wchar_t key) {
  const std::size_t position = KeyPosition(text, key);
  std::wstring marked;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == position || text[i] == L'&') marked += L'&';
    marked += text[i];
  }
  return marked;
}
