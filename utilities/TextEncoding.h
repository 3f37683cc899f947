#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Conversions between the program's text (UTF-16 code units in std::wstring) and bytes. The ANSI code
// page belongs to the operating system, so its conversions are passed in by the caller: Windows passes
// its CP_ACP conversions, the tests a fixed single-byte one.

// Bytes in the ANSI code page to UTF-16.
using AnsiDecoder = std::function<std::wstring(const std::string& bytes)>;
// UTF-16 to the ANSI code page; nothing when any character has no exact equivalent there.
using AnsiEncoder = std::function<std::optional<std::string>(const std::wstring& text)>;

// The byte-order mark that opens a UTF-8 file.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// UTF-8 to UTF-16: each maximal invalid part of a sequence becomes one U+FFFD.
std::wstring Utf8ToUtf16(const std::string& bytes);
// True when the bytes are strict UTF-8: no overlong form, no encoded surrogate, nothing above U+10FFFF,
// no sequence cut short.
bool IsStrictUtf8(const std::string& bytes);
// True when the bytes are strict UTF-8 (no overlong form, no encoded surrogate, nothing above
// U+10FFFF, no sequence cut short) and hold at least one sequence of more than one byte.
bool IsUtf8BeyondAscii(const std::string& bytes);
// UTF-16 to UTF-8: surrogate pairs become 4-byte sequences, a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::wstring& text);
// UTF-16 code units stored as bytes in either order; an odd last byte is dropped.
std::wstring Utf16BytesToText(const std::string& bytes, bool bigEndian);
// The code units as bytes in that order.
std::string TextToUtf16Bytes(const std::wstring& text, bool bigEndian);
