#pragma once
#include <string>

// Letter case of the English letters only, the same under every locale: for names the program
// compares itself ("[Linkit]", "http://", ".JPG").
inline wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

inline std::wstring AsciiLowerCase(std::wstring text) {
  for (wchar_t& c : text) c = AsciiLower(c);
  return text;
}
