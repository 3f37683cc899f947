#include "utilities/BitmapFile.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t Field(const std::string& bytes, size_t offset, size_t size) {
  std::uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
  return value;
}

}  // namespace

TEST(BitmapFile, RowsArePaddedToFourBytesAndStoredBottomUp) {
  struct Case {
    std::uint32_t width, bits, colours;
    std::uint64_t stride, pixelOffset;
  };
  for (const Case& c : {Case{1, 24, 0, 4, 54}, Case{2, 24, 0, 8, 54}, Case{3, 24, 0, 12, 54}, Case{4, 24, 0, 12, 54},
                        Case{1, 8, 236, 4, 998}, Case{4, 8, 236, 4, 998}, Case{5, 8, 236, 8, 998}}) {
    const auto layout = PlanBitmapFile(c.width, 3, c.bits, c.colours);
    ASSERT_TRUE(layout) << c.width;
    EXPECT_EQ(layout->rowBytes, c.width * c.bits / 8);
    EXPECT_EQ(layout->stride, c.stride) << c.width << " " << c.bits;
    EXPECT_EQ(layout->pixelOffset, c.pixelOffset);
    EXPECT_EQ(layout->fileSize, c.pixelOffset + 3 * c.stride);
    EXPECT_EQ(layout->RowOffset(2), c.pixelOffset);
    EXPECT_EQ(layout->RowOffset(0), c.pixelOffset + 2 * c.stride);
  }
}

TEST(BitmapFile, HeaderFieldsAndPaletteAreLittleEndianWithBlueFirst) {
  const std::string colour = BitmapHeaderBytes(*PlanBitmapFile(3, 2, 24, 0), {});
  const std::string grey = BitmapHeaderBytes(*PlanBitmapFile(5, 70000, 8, 2), {10, 20, 30, 40, 50, 60});
  struct Case {
    const std::string& header;
    size_t offset, size;
    std::uint32_t value;
  };
  for (const Case& c : {Case{colour, 2, 4, 78}, {colour, 10, 4, 54}, {colour, 14, 4, 40}, {colour, 18, 4, 3},
                        {colour, 22, 4, 2}, {colour, 26, 2, 1}, {colour, 28, 2, 24}, {colour, 30, 4, 0},
                        {colour, 34, 4, 24}, {colour, 46, 4, 0}, {grey, 2, 4, 62 + 8 * 70000}, {grey, 10, 4, 62},
                        {grey, 22, 4, 70000}, {grey, 28, 2, 8}, {grey, 34, 4, 8 * 70000}, {grey, 46, 4, 2},
                        {grey, 54, 4, 0x000A141E}, {grey, 58, 4, 0x0028323C}})
    EXPECT_EQ(Field(c.header, c.offset, c.size), c.value) << c.offset << " of " << c.header.size();
  EXPECT_EQ(colour.substr(0, 2), "BM");
  EXPECT_EQ(colour.size(), 54u);
  EXPECT_EQ(grey.size(), 62u);
}

TEST(BitmapFile, SizesBeyondTheLimitAreRefusedWithoutWrapping) {
  struct Case {
    std::uint32_t width, height, bits, colours;
    bool fits;
  };
  // 4 × 89478480 at 24 bits is 54 + 12 × 89478480 = 2^30 - 10 bytes; one row more passes the limit.
  for (const Case& c : {Case{4, 89478480, 24, 0, true}, Case{4, 89478481, 24, 0, false},
                        Case{32768, 32768, 8, 236, false},    // just over, with the palette
                        Case{65500, 21858, 24, 0, false},     // 4 295 097 000 bytes: 129 704 in 32 bits
                        Case{30000, 30000, 24, 0, false},     // 2.7 GB
                        Case{0xFFFFFFFF, 0xFFFFFFFF, 24, 0, false},  // beyond 64 bits when multiplied
                        Case{0, 5, 24, 0, false}, Case{5, 0, 24, 0, false}}) {
    const auto layout = PlanBitmapFile(c.width, c.height, c.bits, c.colours);
    EXPECT_EQ(layout.has_value(), c.fits) << c.width << " x " << c.height;
    if (layout) {
      EXPECT_EQ(layout->fileSize, kBitmapFileLimit - 10);
    }
  }
  EXPECT_TRUE(PlanBitmapFile(4, 5, 24, 0, 54 + 60));
  EXPECT_FALSE(PlanBitmapFile(4, 5, 24, 0, 54 + 59));
}
