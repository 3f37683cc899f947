#include "tools/wallpaper/JpegToBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <jpeglib.h>  // before jerror.h, whose arithmetic-coding codes depend on its configuration
#include <jerror.h>

#include "tools/wallpaper/tests/ConvertInPieces.h"
#include "tests/support/JpegSamples.h"

namespace {

std::string Convert(const std::string& picture, const std::atomic<bool>* stop = nullptr) {
  return ConvertInPieces<JpegToBitmap>(picture, stop);
}

}  // namespace

TEST(JpegToBitmap, EveryKindGivesDjpegsPixels) {
  for (const std::string& jpeg :
       {MakeJpeg(7, 5, 3), MakeJpeg(9, 3, 3, true), MakeJpeg(21, 40, 3, false, 1), MakeJpeg(5, 4, 1),
        MakeJpeg(6, 17, 1, true), MakeJpeg(6, 3, 4), MakeJpeg(3, 11, 4, true)}) {
    const std::string bitmap = Convert(jpeg);
    EXPECT_EQ(bitmap.size(), Field(bitmap, 2, 4));
    EXPECT_TRUE(PixelsOfBitmap(bitmap) == DecodeAsDjpeg(jpeg)) << jpeg.size();
  }
}

TEST(JpegToBitmap, DamagedOrCutDataIsRefusedWithLibjpegsNumber) {
  const std::string jpeg = MakeJpeg(16, 64, 3, false, 1), progressive = MakeJpeg(16, 16, 3, true);
  const size_t frame = jpeg.find("\xFF\xC0"), scan = jpeg.find("\xFF\xDA"), restart = jpeg.find("\xFF\xD0", scan);
  std::string resync = jpeg, twelveBits = jpeg, badHuffman = jpeg, notSequential = jpeg;
  resync[restart + 1] = '\xD3';
  twelveBits[frame + 4] = 12;
  for (size_t at = scan + 14; at < scan + 22; at += 2) badHuffman.replace(at, 2, "\xFF\x00", 2);  // ones: no code
  notSequential[scan + 13] = 1;  // a point transform in a sequential scan
  const size_t firstScan = progressive.find("\xFF\xDA"), secondScan = progressive.find("\xFF\xDA", firstScan + 2);
  const std::string repeatedScan = progressive.substr(0, secondScan) +
                                   progressive.substr(firstScan, secondScan - firstScan) + progressive.substr(secondScan);
  std::string arithmetic = MakeJpeg(64, 64, 3, false, 0, true);
  const size_t arithmeticData = arithmetic.find("\xFF\xDA") + 14;
  arithmetic.replace(arithmeticData, arithmetic.size() - 2 - arithmeticData, arithmetic.size() - 2 - arithmeticData, 'X');
  struct Case {
    std::string jpeg;
    int code;
  };
  for (const auto& [damaged, code] :
       {Case{jpeg.substr(0, scan + 40), JWRN_JPEG_EOF}, Case{jpeg.substr(0, jpeg.size() - 2), JWRN_JPEG_EOF},
        Case{progressive.substr(0, progressive.size() * 3 / 4), JWRN_JPEG_EOF}, Case{resync, JWRN_MUST_RESYNC},
        Case{jpeg.substr(0, scan) + "\x12\x34" + jpeg.substr(scan), JWRN_EXTRANEOUS_DATA},
        Case{WithClaimedSize(progressive, 1000, 1000), JWRN_HIT_MARKER}, Case{badHuffman, JWRN_HUFF_BAD_CODE},
        Case{arithmetic, JWRN_ARITH_BAD_CODE}, Case{repeatedScan, JWRN_BOGUS_PROGRESSION},
        Case{notSequential, JWRN_NOT_SEQUENTIAL}, Case{twelveBits, JERR_BAD_PRECISION},
        Case{"not a picture", JERR_NO_SOI}, Case{WithClaimedSize(jpeg, 0, 16), JERR_EMPTY_IMAGE},
        Case{WithClaimedSize(progressive, 16000, 16000), JERR_NO_BACKING_STORE}}) {
    try {
      Convert(damaged);
      ADD_FAILURE() << code << " not seen";
    } catch (const JpegError& error) {
      EXPECT_EQ(error.Code(), code);
      if (code == JERR_NO_BACKING_STORE) {  // libjpeg's text says "Backing store not supported"
        EXPECT_STREQ(error.what(), "The picture is too large to convert in the memory the program allows.");
      }
    }
  }
}

// 1 DC and 499 AC scans are the most taken; the scan after them is refused before any row comes out.
TEST(JpegToBitmap, AProgressiveJpegOfMoreThan500ScansIsRefusedAndAConversionStopsWhenAsked) {
  EXPECT_EQ(PixelsOfBitmap(Convert(ScanBomb(24, 16, kJpegScanLimit - 1))).rows.size(), 16u);
  EXPECT_THROW(Convert(ScanBomb(24, 16, kJpegScanLimit)), TooManyScans);
  const std::atomic<bool> stop{true};
  EXPECT_THROW(Convert(MakeJpeg(8, 8, 3), &stop), ConversionStopped);
}
