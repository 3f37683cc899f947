#include "tools/wallpaper/JpegToBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <jerror.h>

#include "tools/wallpaper/tests/JpegSamples.h"

namespace {

// Serves the JPEG in small pieces, as a file is read.
JpegReader ReaderOf(const std::string& jpeg) {
  return [jpeg, at = size_t{0}](std::uint8_t* buffer, size_t size) mutable {
    const size_t count = std::min({size, jpeg.size() - at, size_t{1000}});
    std::copy_n(jpeg.data() + at, count, buffer);
    at += count;
    return count;
  };
}

std::string Convert(const std::string& jpeg) {
  JpegToBitmap converter(ReaderOf(jpeg));
  std::string file(converter.Layout().fileSize, '?');
  converter.WriteBitmap([&file](std::uint64_t offset, const std::uint8_t* bytes, size_t size) {
    ASSERT_LE(offset + size, file.size());
    std::copy_n(bytes, size, file.begin() + static_cast<std::ptrdiff_t>(offset));
  });
  return file;
}

// libjpeg's message number of the failure, or -1 when the conversion went through.
int FailureOf(const std::string& jpeg) {
  try {
    Convert(jpeg);
  } catch (const JpegError& error) {
    return error.Code();
  }
  return -1;
}

}  // namespace

TEST(JpegToBitmap, EveryKindGivesDjpegsPixelsRowByRowBottomUp) {
  for (const JpegSample& sample : {JpegSample{7, 5, 3}, JpegSample{9, 3, 3, true}, JpegSample{21, 40, 3, false, 1},
                                   JpegSample{5, 4, 1}, JpegSample{6, 17, 1, true}, JpegSample{6, 3, 4},
                                   JpegSample{3, 11, 4, true}}) {
    SCOPED_TRACE(testing::Message() << sample.width << "x" << sample.height << " of " << sample.components);
    const std::string jpeg = MakeJpeg(sample);
    const DjpegPicture expected = DecodeAsDjpeg(jpeg);
    const std::string file = Convert(jpeg);
    const auto layout = PlanBitmapFile(sample.width, sample.height, sample.components == 1 ? 8 : 24,
                                       static_cast<std::uint32_t>(expected.greys.size()));
    ASSERT_EQ(file.size(), layout->fileSize);
    for (size_t i = 0; i < expected.greys.size(); ++i)
      EXPECT_EQ(file.substr(54 + 4 * i, 4), std::string(3, static_cast<char>(expected.greys[i])) + '\0') << i;
    for (int y = 0; y < sample.height; ++y) {
      const std::string row = file.substr(layout->RowOffset(y), layout->stride);
      EXPECT_EQ(row.substr(0, layout->rowBytes), std::string(expected.rows[y].begin(), expected.rows[y].end())) << y;
      EXPECT_EQ(row.substr(layout->rowBytes), std::string(layout->stride - layout->rowBytes, '\0')) << y;
    }
  }
}

TEST(JpegToBitmap, DamagedOrCutDataIsRefusedWithLibjpegsNumber) {
  const std::string jpeg = MakeJpeg({16, 64, 3, false, 1});
  const std::string progressive = MakeJpeg({16, 16, 3, true});
  const size_t scan = jpeg.find("\xFF\xDA");
  const size_t restart = jpeg.find("\xFF\xD0", scan);
  std::string resync = jpeg;
  resync[restart + 1] = '\xD3';
  std::string twelveBits = jpeg;
  twelveBits[jpeg.find("\xFF\xC0") + 4] = 12;
  const std::string extraneous = jpeg.substr(0, scan) + "\x12\x34" + jpeg.substr(scan);
  struct Case {
    std::string jpeg;
    int code;
  };
  for (const auto& [damaged, code] : {Case{jpeg, -1}, Case{jpeg.substr(0, scan + 40), JWRN_JPEG_EOF},
                                      Case{jpeg.substr(0, jpeg.size() - 2), JWRN_JPEG_EOF},
                                      Case{progressive.substr(0, progressive.size() * 3 / 4), JWRN_JPEG_EOF},
                                      Case{resync, JWRN_MUST_RESYNC}, Case{extraneous, JWRN_EXTRANEOUS_DATA},
                                      Case{twelveBits, JERR_BAD_PRECISION}, Case{"not a picture", JERR_NO_SOI},
                                      Case{WithClaimedSize(jpeg, 0, 16), JERR_EMPTY_IMAGE}})
    EXPECT_EQ(FailureOf(damaged), code) << damaged.size();
}

TEST(JpegToBitmap, AClaimBeyondTheLimitIsRefusedBeforeAnythingIsWritten) {
  const std::string small = MakeJpeg({16, 16, 3});
  struct Case {
    int width, height;
  };
  for (const auto& [width, height] : {Case{30000, 30000}, Case{65500, 21858}, Case{18919, 18919}}) {
    try {
      JpegToBitmap converter(ReaderOf(WithClaimedSize(small, width, height)));
      ADD_FAILURE() << width << " x " << height << " accepted";
    } catch (const PictureTooLarge& error) {
      EXPECT_EQ(error.Width(), static_cast<std::uint32_t>(width));
      EXPECT_EQ(error.Height(), static_cast<std::uint32_t>(height));
    }
  }
  // Within the limit, a small file's claim fails where its data runs out.
  EXPECT_EQ(FailureOf(WithClaimedSize(small, 12000, 12000)), JWRN_HIT_MARKER);
}
