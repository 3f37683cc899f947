#include "tools/catalogue/Catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "utilities/TextListFile.h"

namespace {

using Lines = std::vector<std::wstring>;

// "caption@parent" for each node, a compact picture of the tree.
std::vector<std::string> Shape(const Catalogue& catalogue) {
  std::vector<std::string> shape;
  for (const auto& node : catalogue.nodes)
    shape.push_back(std::string(node.caption.begin(), node.caption.end()) + "@" + std::to_string(node.parent));
  return shape;
}

std::wstring Latin1(const std::string& bytes) {
  std::wstring text;
  for (unsigned char b : bytes) text.push_back(b);
  return text;
}

using Shapes = std::vector<std::string>;

}  // namespace

TEST(Catalogue, HangsEachLineUnderTheOneBefore) {
  const Catalogue c = ParseCatalogue({L"A", L"\tB", L"\t\tC", L"D"});
  EXPECT_FALSE(c.error);
  EXPECT_EQ(Shape(c), (Shapes{"A@-1", "B@0", "C@1", "D@-1"}));
  EXPECT_EQ(c.nodes[2].level, 2);
}

TEST(Catalogue, ClimbsBackToTheAncestorsLevel) {
  const Catalogue c = ParseCatalogue({L"A", L" B", L"  C", L"   D", L" E", L"  F", L"G"});
  EXPECT_EQ(Shape(c), (Shapes{"A@-1", "B@0", "C@1", "D@2", "E@0", "F@4", "G@-1"}));
}

TEST(Catalogue, AnIndentedFirstLineIsStillTopLevel) {
  const Catalogue c = ParseCatalogue({L"\t\tFirst", L"\tChild", L"Next"});
  EXPECT_FALSE(c.error);
  EXPECT_EQ(Shape(c), (Shapes{"First@-1", "Child@0", "Next@-1"}));
}

TEST(Catalogue, AJumpOfTwoLevelsStopsWithTheDepthAndCaptionKeepingEarlierNodes) {
  const Catalogue c = ParseCatalogue({L"Tools", L"\tEditor", L"Games", L"\t\tChess ", L"Later"});
  ASSERT_TRUE(c.error);
  EXPECT_EQ(*c.error, L"Invalid level (2) for item \"Chess \"");
  EXPECT_EQ(Shape(c), (Shapes{"Tools@-1", "Editor@0", "Games@-1"}));
}

TEST(Catalogue, TabsAndSpacesMixAndOnlyLeadingOnesCount) {
  const Catalogue c = ParseCatalogue({L"A", L" B", L" \tC\tD "});
  EXPECT_EQ(c.nodes[2].level, 2);
  EXPECT_EQ(c.nodes[2].caption, L"C\tD ");
}

TEST(Catalogue, EmptyAndBlankLinesAreNodesWithoutCaption) {
  const Catalogue c = ParseCatalogue({L"A", L"", L" ", L"  "});
  EXPECT_FALSE(c.error);
  EXPECT_EQ(Shape(c), (Shapes{"A@-1", "@-1", "@1", "@2"}));
}

TEST(Catalogue, ReadsEveryEncodingOfTheListFormat) {
  const auto ansi = [](const std::string& bytes) { return Latin1(bytes); };
  const Lines expected = {L"Caf\u00e9", L"\tK\u00e4se"};
  EXPECT_EQ(DecodeTextList("\xEF\xBB\xBF"
                           "Caf\xC3\xA9\r\n\tK\xC3\xA4se",
                           ansi),
            expected);
  EXPECT_EQ(DecodeTextList("Caf\xE9\n\tK\xE4se\n", ansi), expected);
  EXPECT_EQ(DecodeTextList(std::string("\xFF\xFE"
                                       "C\0a\0f\0\xE9\0\r\0\n\0\t\0K\0\xE4\0s\0e\0",
                                       24),
                           ansi),
            expected);
  EXPECT_EQ(DecodeTextList(std::string("\xFE\xFF\0C\0a\0f\0\xE9\0\r\0\t\0K\0\xE4\0s\0e", 22), ansi), expected);
  EXPECT_EQ(Shape(ParseCatalogue(DecodeTextList("Caf\xE9\n\tK\xE4se", ansi))).size(), 2u);
}

// A bounded random run over arbitrary bytes: the list reader and the catalogue loader must accept
// anything without a crash, and the tree must stay well formed (under the sanitizers natively).
// QUOXEL_FUZZ_RUNS sets the number of inputs for a longer run by hand.
TEST(CatalogueFuzz, ArbitraryBytesGiveAWellFormedTreeOrAnError) {
  const char* runsSetting = std::getenv("QUOXEL_FUZZ_RUNS");
  const int runs = runsSetting ? std::atoi(runsSetting) : 3000;
  std::mt19937 random(20261207);
  const char alphabet[] = {'\t', ' ', '\r', '\n', '\0', 'a', '\xEF', '\xBB', '\xBF', '\xFF', '\xFE', '\xC3', '\x80'};
  for (int run = 0; run < runs; ++run) {
    std::string bytes(random() % 64, '\0');
    for (char& b : bytes) b = random() % 4 ? alphabet[random() % sizeof alphabet] : static_cast<char>(random());
    const Catalogue c = ParseCatalogue(DecodeTextList(bytes, [](const std::string& s) { return Latin1(s); }));
    for (size_t i = 0; i < c.nodes.size(); ++i) {
      const auto& node = c.nodes[i];
      ASSERT_LT(node.parent, static_cast<int>(i));
      ASSERT_EQ(node.level, node.parent < 0 ? 0 : c.nodes[node.parent].level + 1);
    }
  }
}

TEST(DownloadedCatalogue, IsPlausibleOnlyWithoutControlCharactersButLineEndsAndTabs) {
  EXPECT_TRUE(IsPlausibleCatalogueText(L"Tools\r\n\tEditor\n\tViewer\rGames \u00E9\uFFFD"));
  EXPECT_TRUE(IsPlausibleCatalogueText(L""));
  for (const wchar_t bad : {L'\0', L'\x01', L'\x1B', L'\x1F', L'\f'})
    EXPECT_FALSE(IsPlausibleCatalogueText(std::wstring(L"Tools\r\n") + bad + L"x")) << static_cast<int>(bad);
}

TEST(DownloadedLinks, NeedTheirSectionOnALineOfItsOwn) {
  EXPECT_TRUE(HasLinkSection(L"[Linkit]\r\na=b"));
  EXPECT_TRUE(HasLinkSection(L"; links\n  [LINKIT] \t\nx=y"));
  EXPECT_TRUE(HasLinkSection(L"x=y\r[linkit]"));
  EXPECT_FALSE(HasLinkSection(L"<html>[Linkit]</html>"));
  EXPECT_FALSE(HasLinkSection(L"[Links]\r\n[Linkit2]"));
  EXPECT_FALSE(HasLinkSection(L""));
}
