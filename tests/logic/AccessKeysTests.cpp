#include "utilities/AccessKeys.h"

#include <gtest/gtest.h>

TEST(AccessKeys, TheMarkGoesBeforeTheWordThatStartsWithTheKeyAndComesOffTheCaptionShown) {
  const struct {
    const wchar_t *text, key, *marked;
  } cases[] = {
      {L"Move Selected Down", L'D', L"Move Selected &Down"},  // not the d that ends "Selected"
      {L"Convert!", L'V', L"Con&vert!"},                      // no word starts with it: the first such letter
      {L"Fish & Chips", L'C', L"Fish && &Chips"},
      {L"Toggle", L'Q', L"Toggle"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MarkAccessKey(c.text, c.key), c.marked) << c.text;
    EXPECT_EQ(CaptionAsShown(c.marked), c.text);
    EXPECT_EQ(MarkedAccessKey(c.marked), c.key == L'Q' ? 0 : c.key);
  }
}
