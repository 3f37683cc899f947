#include "tools/wallpaper/PngToBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include <png.h>
#include <zlib.h>

#include "tools/wallpaper/tests/JpegSamples.h"

namespace {

struct Kind {
  const char* name;
  png_uint_32 width, height;
  int colourType, bitDepth;
  bool interlaced = false;
};

// A PNG written by libpng in which every sample differs from its neighbours; a palette one has 16
// colours, the odd ones partly transparent.
std::string MakePng(const Kind& kind) {
  std::string png;
  png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(writer);
  png_set_write_fn(
      writer, &png, [](png_structp w, png_bytep data, size_t size) {
        static_cast<std::string*>(png_get_io_ptr(w))->append(reinterpret_cast<char*>(data), size);
      },
      nullptr);
  png_set_IHDR(writer, info, kind.width, kind.height, kind.bitDepth, kind.colourType,
               kind.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  std::vector<png_byte> opacities;
  for (int i = 0; i < 16; ++i) {
    palette.push_back({png_byte(i * 16), png_byte(255 - i * 9), png_byte(i * 41)});
    opacities.push_back(png_byte(i % 2 ? i * 13 : 255));
  }
  if (kind.colourType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(writer, info, palette.data(), 16);
    png_set_tRNS(writer, info, opacities.data(), 16, nullptr);
  }
  png_write_info(writer, info);
  const int bits = kind.bitDepth * png_get_channels(writer, info);
  // Bytes of packed samples take any value; both bytes of a 16-bit sample are the same, so that
  // keeping the high byte and scaling the sample down agree.
  const auto sample = [&kind](size_t byte) { return kind.bitDepth == 16 ? byte / 2 : byte; };
  std::vector<std::vector<png_byte>> rows(kind.height, std::vector<png_byte>((kind.width * bits + 7) / 8));
  for (png_uint_32 y = 0; y < kind.height; ++y)
    for (size_t i = 0; i < rows[y].size(); ++i) rows[y][i] = png_byte(sample(i) * 37 + y * 101);
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  png_write_image(writer, pointers.data());
  png_write_end(writer, nullptr);
  png_destroy_write_struct(&writer, &info);
  return png;
}

// libpng's own reading through its simplified API, laid over black as the conversion does.
Pixels DecodeAsLibpng(const std::string& png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  png_image_begin_read_from_memory(&image, png.data(), png.size());
  image.format = PNG_FORMAT_RGBA;
  image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;  // 16-bit samples are taken as they are, not as linear light
  std::vector<png_byte> rgba(PNG_IMAGE_SIZE(image));
  EXPECT_NE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr), 0) << image.message;
  Pixels pixels;
  for (png_uint_32 y = 0; y < image.height; ++y) {
    std::string& row = pixels.rows.emplace_back();
    for (const png_byte* p = &rgba[y * image.width * 4]; p < &rgba[(y + 1) * image.width * 4]; p += 4)
      for (int channel : {2, 1, 0}) row += static_cast<char>((p[channel] * p[3] + 127) / 255);
  }
  return pixels;
}

// The whole bitmap file, from the PNG served in pieces of at most 1000 bytes, as a file is read.
std::string Convert(const std::string& png, const std::atomic<bool>* stop = nullptr) {
  PngToBitmap converter([&png, at = size_t{0}](std::uint8_t* buffer, size_t size) mutable {
    const size_t count = std::min({size, png.size() - at, size_t{1000}});
    std::copy_n(png.data() + at, count, buffer);
    at += count;
    return count;
  });
  std::string file;
  converter.WriteBitmap(
      [&file](std::uint64_t offset, const std::uint8_t* bytes, size_t size) {
        file.resize(std::max<size_t>(file.size(), offset + size), '?');
        file.replace(offset, size, reinterpret_cast<const char*>(bytes), size);
      },
      stop);
  return file;
}

}  // namespace

TEST(PngToBitmap, EveryKindGivesLibpngsPixelsOverBlack) {
  const char* corpus = std::getenv("QUOXEL_PNG_CORPUS");  // names a folder to seed the fuzzer with these PNGs
  for (const Kind& kind :
       {Kind{"rgb", 5, 3, PNG_COLOR_TYPE_RGB, 8}, Kind{"grey", 7, 4, PNG_COLOR_TYPE_GRAY, 8},
        Kind{"grey1", 17, 9, PNG_COLOR_TYPE_GRAY, 1}, Kind{"grey4", 6, 5, PNG_COLOR_TYPE_GRAY, 4},
        Kind{"palette", 9, 6, PNG_COLOR_TYPE_PALETTE, 4}, Kind{"rgba", 11, 7, PNG_COLOR_TYPE_RGB_ALPHA, 8},
        Kind{"greyalpha16", 5, 5, PNG_COLOR_TYPE_GRAY_ALPHA, 16}, Kind{"rgb16", 8, 3, PNG_COLOR_TYPE_RGB, 16},
        Kind{"adam7", 17, 9, PNG_COLOR_TYPE_RGB_ALPHA, 8, true}, Kind{"adam7tiny", 1, 2, PNG_COLOR_TYPE_GRAY, 2, true}}) {
    const std::string png = MakePng(kind), bitmap = Convert(png);
    EXPECT_EQ(bitmap.size(), Field(bitmap, 2, 4)) << kind.name;
    EXPECT_TRUE(PixelsOfBitmap(bitmap) == DecodeAsLibpng(png)) << kind.name;
    if (corpus) std::ofstream(std::string(corpus) + "/" + kind.name + ".png", std::ios::binary) << png;
  }
}
