#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The program's list files: one entry per line, in the ANSI code page or, when a byte-order mark
// says so, in UTF-8 or UTF-16. The code page conversions come from the caller, so this part needs no
// operating system (Windows passes its CP_ACP conversions, the tests a fixed single-byte one).

// Bytes in the ANSI code page to UTF-16.
using AnsiDecoder = std::function<std::wstring(const std::string& bytes)>;
// UTF-16 to the ANSI code page; nothing when any character has no exact equivalent there.
using AnsiEncoder = std::function<std::optional<std::string>(const std::wstring& text)>;

// The lines of a list file. The byte-order mark (UTF-16 LE, UTF-16 BE, UTF-8) picks the encoding,
// with the ANSI code page when there is none. Lines end at CR LF, a lone CR or a lone LF; the last
// line needs no line end and a final line end adds no empty line. A NUL character ends the text.
std::vector<std::wstring> DecodeTextList(const std::string& bytes, const AnsiDecoder& ansi);

// The bytes of a list file: every line followed by CR LF, in the ANSI code page without a byte-order
// mark when every character has its exact equivalent there, otherwise the whole file in UTF-8 after
// its byte-order mark. A line holding CR, LF or NUL does not read back as the same line.
std::string EncodeTextList(const std::vector<std::wstring>& lines, const AnsiEncoder& ansi);

// UTF-8 to UTF-16: each maximal invalid part of a sequence becomes one U+FFFD.
std::wstring Utf8ToUtf16(const std::string& bytes);
// UTF-16 to UTF-8: surrogate pairs become 4-byte sequences, a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::wstring& text);
