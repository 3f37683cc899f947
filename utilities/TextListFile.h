#pragma once
#include <string>
#include <vector>

#include "utilities/TextEncoding.h"

// The program's list files: one entry per line, in the ANSI code page or, when a byte-order mark
// says so, in UTF-8 or UTF-16.

// The whole text of a list file, before it is cut into lines: the byte-order mark (UTF-16 LE, UTF-16
// BE, UTF-8) picks the encoding, with the ANSI code page when there is none.
std::wstring DecodeListText(const std::string& bytes, const AnsiDecoder& ansi);

// The lines of a list file. The byte-order mark (UTF-16 LE, UTF-16 BE, UTF-8) picks the encoding,
// with the ANSI code page when there is none. Lines end at CR LF, a lone CR or a lone LF; the last
// line needs no line end and a final line end adds no empty line. A NUL character ends the text.
std::vector<std::wstring> DecodeTextList(const std::string& bytes, const AnsiDecoder& ansi);

// The bytes of a list file: every line followed by CR LF, in the ANSI code page without a byte-order
// mark when every character has its exact equivalent there, otherwise the whole file in UTF-8 after
// its byte-order mark. A line holding CR, LF or NUL does not read back as the same line.
std::string EncodeTextList(const std::vector<std::wstring>& lines, const AnsiEncoder& ansi);
