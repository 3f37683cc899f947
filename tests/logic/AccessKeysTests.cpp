#include "utilities/AccessKeys.h"

#include <gtest/gtest.h>

TEST(AccessKeys, ACaptionMarksTheLetterAfterTheFirstSingleAmpersandPressedInEitherCase) {
  const std::pair<const wchar_t*, wchar_t> cases[] = {
      {L"&Alert if drive", L'A'}, {L"Salt && &pepper", L'P'}, {L"Salt && pepper", 0}, {L"Ends with &", 0}};
  for (const auto& [caption, key] : cases) EXPECT_EQ(MarkedAccessKey(caption), key) << caption;
  EXPECT_EQ(CaptionAsShown(L"Salt && &pepper"), L"Salt & pepper");
  EXPECT_TRUE(PressesAccessKey(L's', L'S'));
  EXPECT_FALSE(PressesAccessKey(L'a', L'S'));
  EXPECT_FALSE(PressesAccessKey(0, 0));
}

TEST(AccessKeys, TheMarkGoesBeforeTheWordThatStartsWithTheKey) {
  const struct { const wchar_t *text, key, *marked; } cases[] = {
      {L"Move Selected Down", L'D', L"Move Selected &Down"},  // not the d that ends "Selected"
      {L"Searching... 12 files found", L'S', L"&Searching... 12 files found"},
      {L"Convert!", L'V', L"Con&vert!"},  // no word starts with it: the first such letter
      {L"Fish & Chips", L'C', L"Fish && &Chips"},      {L"Toggle", L'Q', L"Toggle"},
  };
  for (const auto& c : cases) EXPECT_EQ(MarkAccessKey(c.text, c.key), c.marked) << c.text;
}
