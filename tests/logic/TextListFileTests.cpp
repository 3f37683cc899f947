#include "utilities/TextListFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

// The byte strings below are laid out by hand, a file's mark beside its text: not reformatted.
// clang-format off

using namespace std::string_literals;
using Lines = std::vector<std::wstring>;

namespace {

// A stand-in for the ANSI code page: Latin-1, where every byte is the character of the same number.
std::wstring Latin1Decode(const std::string& bytes) {
  std::wstring text;
  for (char byte : bytes) text.push_back(static_cast<unsigned char>(byte));
  return text;
}

std::optional<std::string> Latin1Encode(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    if (static_cast<std::uint32_t>(c) > 0xFF) return std::nullopt;  // wchar_t is signed on the host
    bytes.push_back(static_cast<char>(c));
  }
  return bytes;
}

// Code units that a wide literal cannot hold alone, such as halves of surrogate pairs.
std::wstring Units(std::initializer_list<unsigned> units) {
  std::wstring text;
  for (unsigned unit : units) text.push_back(static_cast<wchar_t>(unit));
  return text;
}

Lines Decode(const std::string& bytes) { return DecodeTextList(bytes, Latin1Decode); }
std::string Encode(const Lines& lines) { return EncodeTextList(lines, Latin1Encode); }

}  // namespace

TEST(DecodeTextList, TheByteOrderMarkChoosesTheEncoding) {
  EXPECT_EQ(Decode("\xFF\xFE" "a\0\x16\x04\r\0\n\0"s), (Lines{L"a\u0416"}));
  EXPECT_EQ(Decode("\xFE\xFF" "\0a\x04\x16\0\r\0\n"s), (Lines{L"a\u0416"}));
  EXPECT_EQ(Decode("\xEF\xBB\xBF" "a\xD0\x96\r\n"), (Lines{L"a\u0416"}));
  EXPECT_EQ(Decode("a\xD0\xD0\r\n"), (Lines{L"a\x00D0\x00D0"})) << "no mark: the ANSI code page";
  EXPECT_EQ(Decode("\xFF\xFE"), Lines{});
  EXPECT_EQ(Decode("\xEF\xBB\xBF"), Lines{});
}

TEST(DecodeTextList, WithoutAMarkStrictUtf8BeyondAsciiIsUtf8AndAnythingElseAnsi) {
  struct Case {
    std::string bytes;
    Lines lines;
    bool ansi;
  };
  const Case cases[] = {
      {"caf\xC3\xA9.jpg\r\nb.jpg\r\n", {L"caf\u00E9.jpg", L"b.jpg"}, false},  // as Notepad saves it
      {"\xD0\x96\xF0\x9F\x98\x80", {L"\u0416\xD83D\xDE00"}, false},
      {"caf\xE9.jpg", {L"caf\u00E9.jpg"}, true},                                // Latin-1
      {"plain.exe", {L"plain.exe"}, true},                                       // ASCII alone
      {"\xC3\xA9\xC0\xAF", {L"\u00C3\u00A9\u00C0\u00AF"}, true},                   // overlong
      {"\xC3\xA9\xE2\x82", {L"\u00C3\u00A9\u00E2\u0082"}, true},                   // cut short by the end
      {"\xC3\xA9\xED\xA0\x80", {L"\u00C3\u00A9\u00ED\u00A0\u0080"}, true},         // encoded surrogate
      {"\xF4\x90\x80\x80", {L"\u00F4\u0090\u0080\u0080"}, true},                   // above U+10FFFF
  };
  for (const Case& c : cases) {
    bool ansi = false;
    const auto tellingAnsi = [&ansi](const std::string& bytes) {
      ansi = true;
      return Latin1Decode(bytes);
    };
    EXPECT_EQ(DecodeTextList(c.bytes, tellingAnsi), c.lines) << testing::PrintToString(c.bytes);
    EXPECT_EQ(ansi, c.ansi) << testing::PrintToString(c.bytes);
  }
}

TEST(DecodeTextList, DropsAnOddTrailingByteOfUtf16) {
  EXPECT_EQ(Decode("\xFF\xFE" "a\0b"s), (Lines{L"a"}));
  EXPECT_EQ(Decode("\xFE\xFF" "\0a\0"s), (Lines{L"a"}));
  EXPECT_EQ(Decode("\xFF\xFE" "x"), Lines{});
}

TEST(DecodeTextList, CutsAtEachKindOfLineEnd) {
  EXPECT_EQ(Decode("a\r\nb\rc\nd"), (Lines{L"a", L"b", L"c", L"d"}));
  EXPECT_EQ(Decode("a\n\rb"), (Lines{L"a", L"", L"b"})) << "LF CR is two line ends";
  EXPECT_EQ(Decode("a\r\r\nb"), (Lines{L"a", L"", L"b"}));
  EXPECT_EQ(Decode("\xFE\xFF" "\0a\0\r\0b\0\n"s), (Lines{L"a", L"b"}));
}

TEST(DecodeTextList, TheLastLineEndIsOptionalAndAddsNoLine) {
  EXPECT_EQ(Decode("one\r\ntwo"), (Lines{L"one", L"two"}));
  EXPECT_EQ(Decode("one\r\ntwo\r\n"), (Lines{L"one", L"two"}));
  EXPECT_EQ(Decode("one\r\ntwo\r"), (Lines{L"one", L"two"}));
  EXPECT_EQ(Decode("\r\n"), (Lines{L""}));
  EXPECT_EQ(Decode("one\r\n\r\n"), (Lines{L"one", L""}));
  EXPECT_EQ(Decode(""), Lines{});
}

TEST(DecodeTextList, KeepsBlankLinesAndSpacesInside) {
  EXPECT_EQ(Decode("\r\na\r\n\r\n\n b \r\n"), (Lines{L"", L"a", L"", L"", L" b "}));
}

TEST(DecodeTextList, LosesNoLineToANulOrAMissingMarkAndTellsWhatCannotBeWrittenAgain) {
  struct Case {
    std::string bytes;
    Lines lines;
    bool exact;
  };
  const Case cases[] = {
      {"a\r\nb\0c\r\nd"s, {L"a", L"bc", L"d"}, true},  // a stray NUL is dropped, its line kept
      {"a\r\n\0\r\nb"s, {L"a", L"", L"b"}, true},
      {"\0a"s, {L"a"}, true},
      {"\xFF\xFE" "a\0\0\0b\0"s, {L"ab"}, true},
      {"\xEF\xBB\xBF" "a\0b"s, {L"ab"}, true},
      {"E\0x\0.\0e\0x\0e\0\r\0\n\0s\0v\0c\0\xE9\0"s, {L"Ex.exe", L"svc\u00E9"}, true},  // UTF-16 LE without a mark
      {"\0E\0x\0\r\0\n\0s"s, {L"Ex", L"s"}, true},                                     // and BE
      {"\xEF\xBB\xBF" "a\xC3"s, {L"a\uFFFD"}, false},                                   // broken UTF-8
      {"\xFF\xFE" "a\0b"s, {L"a"}, false},                                              // an odd last byte
      {"\xFF\xFE" "\x3D\xD8" "a\0"s, {std::wstring(1, static_cast<wchar_t>(0xD83D)) + L"a"}, false},  // half a pair
      {"\xFF\xFE" "\x00\xDC\x00\xD8"s, {Units({0xDC00, 0xD800})}, false},        // a pair in the wrong order
      {"\xFF\xFE" "\x00\xDC\x00\xDC"s, {Units({0xDC00, 0xDC00})}, false},        // two low halves
      {"\xEF\xBB\xBF" "\xF0\x80\x80\x80"s, {L"\uFFFD\uFFFD\uFFFD\uFFFD"}, false},   // overlong 4-byte UTF-8
      {"\xEF\xBB\xBF" "a\xF0\x8F\xBF\xBF"s, {L"a\uFFFD\uFFFD\uFFFD\uFFFD"}, false},  // overlong, one below U+10000
      {"\0\0\0\0\0"s, {}, true},  // only NULs: no UTF-16 (its odd byte would be lost) but ANSI, every NUL dropped
  };
  for (const Case& c : cases) {
    bool exact = !c.exact;
    EXPECT_EQ(DecodeTextList(c.bytes, Latin1Decode, &exact), c.lines) << testing::PrintToString(c.bytes);
    EXPECT_EQ(exact, c.exact) << testing::PrintToString(c.bytes);
  }
}

TEST(Utf8ToUtf16, DecodesEverySequenceLength) {
  EXPECT_EQ(Utf8ToUtf16("A\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80"), L"A\u00E9\u65E5\xD83D\xDE00");
  EXPECT_EQ(Utf8ToUtf16("\xF4\x8F\xBF\xBF\xEF\xBF\xBF"), L"\xDBFF\xDFFF\uFFFF");
}

TEST(Utf8ToUtf16, EachBrokenPartBecomesOneReplacementCharacter) {
  EXPECT_EQ(Utf8ToUtf16("a\x80" "b"), L"a\uFFFDb") << "continuation byte without a lead";
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82" "A"), L"\uFFFDA") << "sequence cut short";
  EXPECT_EQ(Utf8ToUtf16("x\xF0\x9F\x98"), L"x\uFFFD") << "cut short by the end of the text";
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), L"\uFFFD\uFFFD") << "overlong";
  EXPECT_EQ(Utf8ToUtf16("\xE0\x80\xAF"), L"\uFFFD\uFFFD\uFFFD") << "overlong";
  EXPECT_EQ(Utf8ToUtf16("\xF0\x80\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD") << "overlong";
  EXPECT_EQ(Utf8ToUtf16("\xF0\x8F\xBF\xBF"), L"\uFFFD\uFFFD\uFFFD\uFFFD") << "overlong, one below U+10000";
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD") << "encoded surrogate";
  EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD") << "above U+10FFFF";
  EXPECT_EQ(Utf8ToUtf16("\xF5\xFF\xFE"), L"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xC3\xC3\xA9"), L"\uFFFD\u00E9") << "the byte that broke a sequence starts the next";
}

TEST(DecodeTextList, InvalidUtf8AfterItsMarkStillGivesTheLines) {
  EXPECT_EQ(Decode("\xEF\xBB\xBF" "ok\r\nbad\xFF\r\n\xE2\x82\r\n"), (Lines{L"ok", L"bad\uFFFD", L"\uFFFD"}));
}

TEST(EncodeTextList, WritesAnsiBytesWithCrLfWhenEveryCharacterFits) {
  const Lines lines{L"caf\u00E9", L"", L"C:\\Windows\\Web\\wall paper.jpg"};
  const std::string bytes = Encode(lines);
  EXPECT_EQ(bytes, "caf\xE9\r\n\r\nC:\\Windows\\Web\\wall paper.jpg\r\n");
  EXPECT_EQ(Decode(bytes), lines);
  EXPECT_EQ(Encode({}), "");
  EXPECT_EQ(Encode({L""}), "\r\n");
}

TEST(EncodeTextList, FallsBackToUtf8WithItsMarkForTheWholeFile) {
  const Lines lines{L"plain", L"\u0416\u0443\u043A", L"\u65E5\u672C", L"smile \xD83D\xDE00"};
  const std::string bytes = Encode(lines);
  EXPECT_EQ(bytes,
            "\xEF\xBB\xBF" "plain\r\n\xD0\x96\xD1\x83\xD0\xBA\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\n"
            "smile \xF0\x9F\x98\x80\r\n");
  EXPECT_EQ(Decode(bytes), lines);
}

TEST(EncodeTextList, AnsiTextThatWouldReadBackInAnotherEncodingIsWrittenAsUtf8) {
  for (const Lines& lines : {Lines{L"\u00FF\u00FEx"}, Lines{L"\u00FE\u00FF"}, Lines{L"\u00EF\u00BB\u00BF!"},
                             Lines{L"C:\\\u00C3\u00A9.jpg"}, Lines{L"\u00EF\u00BB\u0081\b"}}) {
    const std::string bytes = Encode(lines);
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << bytes;
    EXPECT_EQ(Decode(bytes), lines);
  }
}

TEST(Utf16ToUtf8, PairsBecomeFourBytesAndLoneSurrogatesTheReplacement) {
  EXPECT_EQ(Utf16ToUtf8(L"A\u00E9\u65E5\xD83D\xDE00\uFFFF"), "A\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80\xEF\xBF\xBF");
  EXPECT_EQ(Utf16ToUtf8(L"\xDBFF\xDFFF"), "\xF4\x8F\xBF\xBF");
  EXPECT_EQ(Utf16ToUtf8(L"a\xD83D"), "a\xEF\xBF\xBD") << "high half at the end";
  EXPECT_EQ(Utf16ToUtf8(L"\xDE00z"), "\xEF\xBF\xBDz") << "low half alone";
  EXPECT_EQ(Utf16ToUtf8(L"\xDC00\xD800"), "\xEF\xBF\xBD\xEF\xBF\xBD") << "low half before a high half";
  EXPECT_EQ(Utf16ToUtf8(L"\xDC00\xDC00"), "\xEF\xBF\xBD\xEF\xBF\xBD") << "two low halves";
  EXPECT_EQ(Utf16ToUtf8(L"\xD83D\xD83D\xDE00"), "\xEF\xBF\xBD\xF0\x9F\x98\x80") << "high half before a pair";
}

TEST(EncodeTextList, WritesALineAddedToAFileInTheEncodingTheFileWasReadIn) {
  const std::pair<std::string, std::string> cases[] = {  // the file as read, and with "\u0416" added
      {"caf\xE9\r\n", "\xEF\xBB\xBF" "caf\xC3\xA9\r\n\xD0\x96\r\n"},  // ANSI: as a new file
      {"caf\xC3\xA9\r\n", "caf\xC3\xA9\r\n\xD0\x96\r\n"},
      {"\xFF\xFE" "a\0\r\0\n\0"s, "\xFF\xFE" "a\0\r\0\n\0\x16\x04\r\0\n\0"s},
      {"a\0\r\0\n\0"s, "\xFF\xFE" "a\0\r\0\n\0\x16\x04\r\0\n\0"s},  // UTF-16 gets its mark
      {"\xFE\xFF" "\0a\0\r\0\n"s, "\xFE\xFF" "\0a\0\r\0\n\x04\x16\0\r\0\n"s},
  };
  for (const auto& [read, written] : cases) {
    ListEncoding encoding = ListEncoding::Ansi;
    Lines lines = DecodeTextList(read, Latin1Decode, nullptr, &encoding);
    lines.push_back(L"\u0416");
    EXPECT_EQ(EncodeTextList(lines, Latin1Encode, encoding), written) << testing::PrintToString(read);
  }
}

TEST(EncodeTextList, ALoneSurrogateIsWrittenAsTheReplacementCharacter) {
  EXPECT_EQ(Encode({L"x\xDC00"}), "\xEF\xBB\xBF" "x\xEF\xBF\xBD\r\n");
}
// clang-format on
