#include "utilities/TextListFile.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool StartsWith(const std::string& bytes, std::string_view mark) { return bytes.compare(0, mark.size(), mark) == 0; }

bool StartsWithByteOrderMark(const std::string& bytes) {
  return StartsWith(bytes, kUtf16LeMark) || StartsWith(bytes, kUtf16BeMark) || StartsWith(bytes, kUtf8Mark);
}

// UTF-16 without a byte-order mark: NUL bytes in most of the code units' high bytes (text in the
// Latin scripts), and hardly any in their low bytes. ANSI text holds no NUL bytes at all.
bool LooksLikeUtf16(const std::string& bytes, bool bigEndian) {
  size_t pairs = 0, highNuls = 0, lowNuls = 0;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2, ++pairs) {
    highNuls += bytes[bigEndian ? i : i + 1] == '\0';
    lowNuls += bytes[bigEndian ? i + 1 : i] == '\0';
  }
  return pairs > 0 && highNuls * 2 > pairs && lowNuls * 4 < highNuls;
}

bool HasLoneSurrogate(const std::wstring& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned unit = static_cast<unsigned>(text[i]) & 0xFFFF;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() &&
        (static_cast<unsigned>(text[i + 1]) & 0xFFFF) >= 0xDC00 &&
        (static_cast<unsigned>(text[i + 1]) & 0xFFFF) <= 0xDFFF)
      ++i;  // a pair
    else if (unit >= 0xD800 && unit <= 0xDFFF)
      return true;
  }
  return false;
}

struct DecodedText {
  std::wstring text;
  bool exact;  // every byte became text that the list file's writer can write again
  ListEncoding encoding;
};

DecodedText DecodeUtf16(const std::string& bytes, bool bigEndian) {
  std::wstring text = Utf16BytesToText(bytes, bigEndian);
  const bool exact = bytes.size() % 2 == 0 && !HasLoneSurrogate(text);
  return {std::move(text), exact, bigEndian ? ListEncoding::Utf16Be : ListEncoding::Utf16Le};
}

DecodedText DecodeUtf8(const std::string& bytes) {
  std::wstring text = Utf8ToUtf16(bytes);
  const bool exact = Utf16ToUtf8(text) == bytes;  // broken sequences came back as U+FFFD
  return {std::move(text), exact, ListEncoding::Utf8WithMark};
}

DecodedText Decode(const std::string& bytes, const AnsiDecoder& ansi) {
  if (StartsWith(bytes, kUtf16LeMark)) return DecodeUtf16(bytes.substr(kUtf16LeMark.size()), false);
  if (StartsWith(bytes, kUtf16BeMark)) return DecodeUtf16(bytes.substr(kUtf16BeMark.size()), true);
  if (StartsWith(bytes, kUtf8Mark)) return DecodeUtf8(bytes.substr(kUtf8Mark.size()));
  if (LooksLikeUtf16(bytes, false)) return DecodeUtf16(bytes, false);
  if (LooksLikeUtf16(bytes, true)) return DecodeUtf16(bytes, true);
  // Editors save UTF-8 without a mark; ANSI text beyond ASCII is hardly ever valid UTF-8 by chance.
  if (IsUtf8BeyondAscii(bytes)) return {Utf8ToUtf16(bytes), true, ListEncoding::Utf8};
  return {ansi(bytes), true, ListEncoding::Ansi};
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wstring line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\r' && text[i] != L'\n') {
      line.push_back(text[i]);
      continue;
    }
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

std::string EncodeAnsiOrUtf8(const std::wstring& text, const AnsiEncoder& ansi) {
  // ANSI bytes that begin like a byte-order mark, or that happen to be UTF-8 beyond ASCII ("Ã©" is
  // "é" in UTF-8), would read back in another encoding.
  if (std::optional<std::string> bytes = ansi(text);
      bytes && !StartsWithByteOrderMark(*bytes) && !IsUtf8BeyondAscii(*bytes))
    return std::move(*bytes);
  return std::string(kUtf8Mark) + Utf16ToUtf8(text);
}

// UTF-8 without a mark reads back as UTF-8 (or, all ASCII, as the same text in ANSI) unless it begins
// like a mark.
std::string Utf8WithoutNeedlessMark(const std::wstring& text) {
  std::string utf8 = Utf16ToUtf8(text);
  return StartsWith(utf8, kUtf8Mark) ? std::string(kUtf8Mark) + utf8 : utf8;
}

}  // namespace

std::wstring DecodeListText(const std::string& bytes, const AnsiDecoder& ansi) { return Decode(bytes, ansi).text; }

std::vector<std::wstring> DecodeTextList(const std::string& bytes, const AnsiDecoder& ansi, bool* exact,
                                         ListEncoding* encoding) {
  DecodedText decoded = Decode(bytes, ansi);
  if (exact) *exact = decoded.exact;
  if (encoding) *encoding = decoded.encoding;
  std::wstring& text = decoded.text;
  text.erase(std::remove(text.begin(), text.end(), L'\0'), text.end());  // a stray NUL ends nothing
  return SplitLines(text);
}

std::string EncodeTextList(const std::vector<std::wstring>& lines, const AnsiEncoder& ansi, ListEncoding encoding) {
  std::wstring text;
  for (const auto& line : lines) text.append(line).append(L"\r\n");
  switch (encoding) {
    case ListEncoding::Ansi:
      return EncodeAnsiOrUtf8(text, ansi);
    case ListEncoding::Utf8:
      return Utf8WithoutNeedlessMark(text);
    case ListEncoding::Utf8WithMark:
      return std::string(kUtf8Mark) + Utf16ToUtf8(text);
    case ListEncoding::Utf16Le:
      return std::string(kUtf16LeMark) + TextToUtf16Bytes(text, false);
    case ListEncoding::Utf16Be:
      return std::string(kUtf16BeMark) + TextToUtf16Bytes(text, true);
  }
  return EncodeAnsiOrUtf8(text, ansi);
}
