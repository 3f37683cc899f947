#pragma once
#include <string>
#include <vector>

#include "utilities/TextEncoding.h"

// The program's list files: one entry per line, in the ANSI code page or, when a byte-order mark
// or the bytes themselves say so, in UTF-8 or UTF-16.

// How a list file was stored, so that it is written back the same way. Ansi is also a new file's.
enum class ListEncoding { Ansi, Utf8, Utf8WithMark, Utf16Le, Utf16Be };

// The whole text of a list file, before it is cut into lines: the byte-order mark (UTF-16 LE, UTF-16
// BE, UTF-8) picks the encoding; without one, UTF-16 is told by its NUL bytes in every other place,
// UTF-8 by bytes that are all valid UTF-8 with at least one character beyond ASCII, and anything else
// (ASCII alone included) is in the ANSI code page.
std::wstring DecodeListText(const std::string& bytes, const AnsiDecoder& ansi);

// The lines of a list file, decoded as above. Lines end at CR LF, a lone CR or a lone LF; the last
// line needs no line end and a final line end adds no empty line. NUL characters are dropped, the
// rest of their line kept. `exact` tells whether every byte became text that can be written again
// (not so for broken UTF-8, an odd UTF-16 byte or half of a surrogate pair): a file read otherwise
// must not be rewritten, or part of it would be lost. `encoding` tells how the file was stored.
std::vector<std::wstring> DecodeTextList(const std::string& bytes, const AnsiDecoder& ansi, bool* exact = nullptr,
                                         ListEncoding* encoding = nullptr);

// The bytes of a list file: every line followed by CR LF, in the encoding given. Ansi is the ANSI
// code page without a byte-order mark when every character has its exact equivalent there and the
// bytes read back as ANSI, otherwise the whole file in UTF-8 after its byte-order mark. Utf8 has no
// mark unless the text begins as one would; UTF-16 is always written after its mark. A line holding
// CR, LF or NUL does not read back as the same line.
std::string EncodeTextList(const std::vector<std::wstring>& lines, const AnsiEncoder& ansi,
                           ListEncoding encoding = ListEncoding::Ansi);
