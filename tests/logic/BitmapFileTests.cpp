#include "utilities/BitmapFile.h"

#include <gtest/gtest.h>

TEST(BitmapFile, RowsArePaddedToFourBytesAndStoredBottomUp) {
  struct Case {
    std::uint32_t width, bits, colours, stride, pixelOffset;
  };
  for (const auto& [width, bits, colours, stride, pixelOffset] : {Case{1, 24, 0, 4, 54},
                                                                  {2, 24, 0, 8, 54},
                                                                  {3, 24, 0, 12, 54},
                                                                  {4, 24, 0, 12, 54},
                                                                  {1, 8, 236, 4, 998},
                                                                  {4, 8, 236, 4, 998},
                                                                  {5, 8, 236, 8, 998}}) {
    const auto layout = PlanBitmapFile(width, 3, bits, colours);
    EXPECT_EQ(layout->stride, stride) << width << " " << bits;
    EXPECT_EQ(layout->fileSize, pixelOffset + 3 * stride);
    EXPECT_EQ(layout->RowOffset(2), pixelOffset);
    EXPECT_EQ(layout->RowOffset(0), pixelOffset + 2 * stride);
  }
}

TEST(BitmapFile, HeaderFieldsAreLittleEndianAndThePaletteBlueFirst) {
  const std::string header = BitmapHeaderBytes(*PlanBitmapFile(5, 70000, 8, 2), {10, 20, 30, 40, 50, 60});
  std::string expected = "BM";
  for (std::uint32_t field : {62 + 8 * 70000, 0, 62, 40, 5, 70000})
    expected.append({char(field), char(field >> 8), char(field >> 16), char(field >> 24)});
  expected += std::string("\1\0\x08\0", 4) + std::string(4, '\0') + std::string("\x80\x8b\x08\0", 4);
  expected += std::string(8, '\0') + std::string("\2\0\0\0", 4) + std::string(4, '\0');
  EXPECT_EQ(header, expected + std::string("\x1e\x14\x0a\0\x3c\x32\x28\0", 8));
}

TEST(BitmapFile, SizesBeyondOneGibibyteAreRefusedWithoutWrapping) {
  struct Case {
    std::uint32_t width, height, bits, colours;
    bool fits;
  };
  // 4 × 89478480 at 24 bits is 54 + 12 × 89478480 = 2^30 - 10 bytes; one row more passes the limit.
  for (const auto& [width, height, bits, colours, fits] :
       {Case{4, 89478480, 24, 0, true},
        {4, 89478481, 24, 0, false},
        {32768, 32768, 8, 236, false},
        {65500, 21858, 24, 0, false},  // 4 295 097 054 bytes: 129 758 in 32 bits
        {0xFFFFFFFF, 0xFFFFFFFF, 24, 0, false},
        {0, 5, 24, 0, false},
        {5, 0, 24, 0, false}})
    EXPECT_EQ(PlanBitmapFile(width, height, bits, colours).has_value(), fits) << width << " x " << height;
  EXPECT_EQ(PlanBitmapFile(4, 89478480, 24, 0)->fileSize, kBitmapFileLimit - 10);
}
