// Coverage-guided fuzzing of the list-file reader: any bytes decode to lines without CR, LF or NUL,
// and lines read exactly come back unchanged when the writer's bytes are read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "utilities/TextListFile.h"

namespace {

std::wstring Latin1Decode(const std::string& bytes) {
  std::wstring text;
  for (const char byte : bytes) text.push_back(static_cast<unsigned char>(byte));
  return text;
}

std::optional<std::string> Latin1Encode(const std::wstring& text) {
  std::string bytes;
  for (const wchar_t c : text) {
    if (static_cast<std::uint32_t>(c) > 0xFF) return std::nullopt;
    bytes.push_back(static_cast<char>(c));
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  bool exact = false;
  ListEncoding encoding = ListEncoding::Ansi;
  const std::vector<std::wstring> lines = DecodeTextList(bytes, Latin1Decode, &exact, &encoding);
  for (const std::wstring& line : lines)
    if (line.find_first_of(std::wstring(L"\r\n\0", 3)) != std::wstring::npos) std::abort();
  if (exact && DecodeTextList(EncodeTextList(lines, Latin1Encode), Latin1Decode) != lines) std::abort();
  if (exact && DecodeTextList(EncodeTextList(lines, Latin1Encode, encoding), Latin1Decode) != lines) std::abort();
  return 0;
}
