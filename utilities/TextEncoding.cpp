#include "utilities/TextEncoding.h"

#include <optional>
#include <type_traits>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

unsigned ByteAt(const std::string& bytes, size_t i) { return static_cast<unsigned char>(bytes[i]); }

// wchar_t is signed and 32 bits wide on the host, unsigned and 16 bits on Windows.
char32_t CodeUnitAt(const std::wstring& text, size_t i) { return static_cast<std::make_unsigned_t<wchar_t>>(text[i]); }

struct Utf8Lead {
  int length;  // bytes in the sequence, 0 when this byte cannot start one
  unsigned secondLow, secondHigh;
};

// The second byte's range rules out overlong forms, encoded surrogates and values above U+10FFFF.
Utf8Lead ClassifyUtf8Lead(unsigned byte) {
  if (byte < 0x80) return {1, 0, 0};
  if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, 0xBF};
  if (byte == 0xE0) return {3, 0xA0, 0xBF};
  if (byte == 0xED) return {3, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {3, 0x80, 0xBF};
  if (byte == 0xF0) return {4, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {4, 0x80, 0xBF};
  if (byte == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

// The code point of the sequence at bytes[i], moving i past it. A broken sequence gives nothing and
// leaves i at the first byte that does not fit, so that byte starts the next sequence.
std::optional<char32_t> NextUtf8CodePoint(const std::string& bytes, size_t& i) {
  const unsigned first = ByteAt(bytes, i++);
  const Utf8Lead lead = ClassifyUtf8Lead(first);
  if (lead.length == 0) return std::nullopt;
  if (lead.length == 1) return first;
  char32_t codePoint = first & (0xFFu >> (lead.length + 1));
  for (int k = 1; k < lead.length; ++k, ++i) {
    const unsigned low = k == 1 ? lead.secondLow : 0x80, high = k == 1 ? lead.secondHigh : 0xBF;
    if (i >= bytes.size() || ByteAt(bytes, i) < low || ByteAt(bytes, i) > high) return std::nullopt;
    codePoint = codePoint << 6 | (ByteAt(bytes, i) & 0x3F);
  }
  return codePoint;
}

void AppendUtf16(std::wstring& text, char32_t codePoint) {
  if (codePoint < 0x10000) {
    text.push_back(static_cast<wchar_t>(codePoint));
    return;
  }
  codePoint -= 0x10000;
  text.push_back(static_cast<wchar_t>(0xD800 + (codePoint >> 10)));
  text.push_back(static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF)));
}

// The code point at text[i], moving i past it and past the low half of a surrogate pair.
char32_t NextUtf16CodePoint(const std::wstring& text, size_t& i) {
  const char32_t unit = CodeUnitAt(text, i++);
  if (unit < 0xD800 || (unit > 0xDFFF && unit <= 0xFFFF)) return unit;
  const bool pairFollows =
      unit <= 0xDBFF && i < text.size() && CodeUnitAt(text, i) >= 0xDC00 && CodeUnitAt(text, i) <= 0xDFFF;
  if (!pairFollows) return kReplacement;
  return 0x10000 + ((unit - 0xD800) << 10) + (CodeUnitAt(text, i++) - 0xDC00);
}

void AppendUtf8(std::string& bytes, char32_t codePoint) {
  const auto put = [&bytes](char32_t byte) { bytes.push_back(static_cast<char>(byte)); };
  if (codePoint < 0x80) {
    put(codePoint);
  } else if (codePoint < 0x800) {
    put(0xC0 | codePoint >> 6);
    put(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    put(0xE0 | codePoint >> 12);
    put(0x80 | (codePoint >> 6 & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  } else {
    put(0xF0 | codePoint >> 18);
    put(0x80 | (codePoint >> 12 & 0x3F));
    put(0x80 | (codePoint >> 6 & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  }
}

}  // namespace

std::wstring Utf16BytesToText(const std::string& bytes, bool bigEndian) {
  std::wstring text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {  // an odd last byte is no code unit: dropped
    const unsigned high = ByteAt(bytes, bigEndian ? i : i + 1), low = ByteAt(bytes, bigEndian ? i + 1 : i);
    text.push_back(static_cast<wchar_t>(high << 8 | low));
  }
  return text;
}

std::string TextToUtf16Bytes(const std::wstring& text, bool bigEndian) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    const char high = static_cast<char>(CodeUnitAt(text, i) >> 8), low = static_cast<char>(CodeUnitAt(text, i) & 0xFF);
    bytes.push_back(bigEndian ? high : low);
    bytes.push_back(bigEndian ? low : high);
  }
  return bytes;
}

std::wstring Utf8ToUtf16(const std::string& bytes) {
  std::wstring text;
  for (size_t i = 0; i < bytes.size();) AppendUtf16(text, NextUtf8CodePoint(bytes, i).value_or(kReplacement));
  return text;
}

namespace {

// Nothing for bytes that are not strict UTF-8; otherwise whether they hold a character beyond ASCII.
std::optional<bool> ScanUtf8(const std::string& bytes) {
  bool beyondAscii = false;
  for (size_t i = 0; i < bytes.size();) {
    const std::optional<char32_t> codePoint = NextUtf8CodePoint(bytes, i);
    if (!codePoint) return std::nullopt;
    beyondAscii |= *codePoint >= 0x80;
  }
  return beyondAscii;
}

}  // namespace

bool IsStrictUtf8(const std::string& bytes) { return ScanUtf8(bytes).has_value(); }

bool IsUtf8BeyondAscii(const std::string& bytes) { return ScanUtf8(bytes).value_or(false); }

std::string Utf16ToUtf8(const std::wstring& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size();) AppendUtf8(bytes, NextUtf16CodePoint(text, i));
  return bytes;
}
