#pragma once
#include <string>

// Access keys as captions mark them: an "&" before the letter that Alt presses, "&&" for an ampersand.

// The key a caption marks, in upper case; 0 when it marks none.
wchar_t MarkedAccessKey(const std::wstring& caption);

// The caption as it is shown: without its mark, an ampersand for each "&&".
std::wstring CaptionAsShown(const std::wstring& caption);

// Whether a typed character presses the access key, in either letter case. No character presses key 0.
bool PressesAccessKey(wchar_t typed, wchar_t key);

// The text marked for drawing with its key underlined: its ampersands doubled and an "&" before the
// first word that starts with the key's letter, or else before the first such letter anywhere.
std::wstring MarkAccessKey(const std::wstring& text, wchar_t key);
