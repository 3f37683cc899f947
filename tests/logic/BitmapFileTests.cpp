#include "utilities/BitmapFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::uint32_t Field(const std::string& bytes, size_t offset, size_t size) {
  std::uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
  return value;
}

}  // namespace

TEST(BitmapFile, TwentyFourBitRowsGoBottomUpPaddedToFourBytes) {
  // 1 x 2: top pixel blue, green, red = 1, 2, 3; bottom pixel 4, 5, 6.
  const std::string bytes = BitmapFileBytes({1, 2, 24, {}, {1, 2, 3, 4, 5, 6}});
  ASSERT_EQ(bytes.size(), 14u + 40u + 2u * 4u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(Field(bytes, 2, 4), bytes.size());
  EXPECT_EQ(Field(bytes, 10, 4), 54u);  // pixels right after the headers
  EXPECT_EQ(Field(bytes, 14, 4), 40u);
  EXPECT_EQ(Field(bytes, 18, 4), 1u);
  EXPECT_EQ(Field(bytes, 22, 4), 2u);
  EXPECT_EQ(Field(bytes, 26, 2), 1u);
  EXPECT_EQ(Field(bytes, 28, 2), 24u);
  EXPECT_EQ(Field(bytes, 30, 4), 0u);  // uncompressed
  EXPECT_EQ(Field(bytes, 34, 4), 8u);
  EXPECT_EQ(Field(bytes, 46, 4), 0u);  // no palette
  EXPECT_EQ(bytes.substr(54), std::string("\4\5\6\0\1\2\3\0", 8));
}

TEST(BitmapFile, EightBitPaletteComesAsBlueGreenRedAndAPad) {
  const std::string bytes = BitmapFileBytes({3, 1, 8, {10, 20, 30, 40, 50, 60}, {1, 0, 1}});
  ASSERT_EQ(bytes.size(), 14u + 40u + 2u * 4u + 4u);
  EXPECT_EQ(Field(bytes, 10, 4), 62u);
  EXPECT_EQ(Field(bytes, 28, 2), 8u);
  EXPECT_EQ(Field(bytes, 46, 4), 2u);
  EXPECT_EQ(bytes.substr(54), std::string("\36\24\12\0\74\62\50\0\1\0\1\0", 12));
}
