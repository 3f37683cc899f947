#include "utilities/TextListFile.h"

#include <string_view>

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool StartsWith(const std::string& bytes, std::string_view mark) {
  return bytes.compare(0, mark.size(), mark) == 0;
}

bool StartsWithByteOrderMark(const std::string& bytes) {
  return StartsWith(bytes, kUtf16LeMark) || StartsWith(bytes, kUtf16BeMark) || StartsWith(bytes, kUtf8Mark);
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

}  // namespace

std::wstring DecodeListText(const std::string& bytes, const AnsiDecoder& ansi) {
  if (StartsWith(bytes, kUtf16LeMark)) return Utf16BytesToText(bytes.substr(kUtf16LeMark.size()), false);
  if (StartsWith(bytes, kUtf16BeMark)) return Utf16BytesToText(bytes.substr(kUtf16BeMark.size()), true);
  if (StartsWith(bytes, kUtf8Mark)) return Utf8ToUtf16(bytes.substr(kUtf8Mark.size()));
  return ansi(bytes);
}

std::vector<std::wstring> DecodeTextList(const std::string& bytes, const AnsiDecoder& ansi) {
  std::wstring text = DecodeListText(bytes, ansi);
  if (const auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
  return SplitLines(text);
}

std::string EncodeTextList(const std::vector<std::wstring>& lines, const AnsiEncoder& ansi) {
  std::wstring text;
  for (const auto& line : lines) text.append(line).append(L"\r\n");
  // ANSI bytes that begin like a byte-order mark would read back in another encoding.
  if (std::optional<std::string> bytes = ansi(text); bytes && !StartsWithByteOrderMark(*bytes))
    return std::move(*bytes);
  return std::string(kUtf8Mark) + Utf16ToUtf8(text);
}
