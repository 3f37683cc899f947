#include "tools/wallpaper/PngToBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include <png.h>
#include <zlib.h>

#include "tools/wallpaper/tests/ConvertInPieces.h"
#include "tests/support/JpegSamples.h"

namespace {

struct Kind {
  const char* name;
  png_uint_32 width, height;
  int colourType, bitDepth;
  bool interlaced = false;
};

// A PNG written by libpng in which every byte of a row differs from its neighbours, except that both
// bytes of a 16-bit sample are the same (so that keeping the high byte and scaling down agree). A
// palette has 16 colours, the odd ones partly transparent.
std::string MakePng(const Kind& kind) {
  std::string png;
  png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(writer);
  png_set_write_fn(
      writer, &png,
      [](png_structp w, png_bytep data, size_t size) {
        static_cast<std::string*>(png_get_io_ptr(w))->append(reinterpret_cast<char*>(data), size);
      },
      nullptr);
  png_set_IHDR(writer, info, kind.width, kind.height, kind.bitDepth, kind.colourType, kind.interlaced,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color palette[16];
  png_byte opacities[16];
  for (int i = 0; i < 16; ++i) {
    palette[i] = {png_byte(i * 16), png_byte(255 - i * 9), png_byte(i * 41)};
    opacities[i] = png_byte(i % 2 ? i * 13 : 255);
  }
  if (kind.colourType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(writer, info, palette, 16);
  if (kind.colourType == PNG_COLOR_TYPE_PALETTE) png_set_tRNS(writer, info, opacities, 16, nullptr);
  png_write_info(writer, info);
  const int passes = png_set_interlace_handling(writer);
  std::vector<png_byte> row(png_get_rowbytes(writer, info));
  for (png_uint_32 y = 0; y < kind.height * passes; ++y) {
    for (size_t i = 0; i < row.size(); ++i)
      row[i] = png_byte((kind.bitDepth == 16 ? i / 2 : i) * 37 + y % kind.height * 101);
    png_write_row(writer, row.data());
  }
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
  pixels.rows.resize(image.height);
  for (size_t at = 0; at < rgba.size(); at += 4)
    for (int channel : {2, 1, 0})
      pixels.rows[at / 4 / image.width] += static_cast<char>((rgba[at + channel] * rgba[at + 3] + 127) / 255);
  return pixels;
}

std::string Convert(const std::string& picture, const std::atomic<bool>* stop = nullptr) {
  return ConvertInPieces<PngToBitmap>(picture, stop);
}

// The PNG's signature and header, claiming another size, and the start of its first data chunk: all
// that a refusal of the size may read.
std::string HeaderClaiming(const std::string& png, std::uint32_t width, std::uint32_t height) {
  std::string header = png.substr(0, 41);
  const auto put = [&header](size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) header[at + i] = static_cast<char>(value >> (24 - 8 * i));
  };
  put(16, width);
  put(20, height);
  put(29, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(&header[12]), 17)));
  return header;
}

std::string Refusal(const std::string& png, const std::atomic<bool>* stop = nullptr) {
  try {
    Convert(png, stop);
    return "converted";
  } catch (const std::runtime_error& error) {
    return error.what();
  }
}

}  // namespace

TEST(PngToBitmap, EveryKindGivesLibpngsPixelsOverBlack) {
  const char* corpus = std::getenv("QUOXEL_PNG_CORPUS");  // a folder to seed the fuzzer with these PNGs
  for (const Kind& kind :
       {Kind{"rgb", 5, 3, PNG_COLOR_TYPE_RGB, 8}, Kind{"grey", 7, 4, PNG_COLOR_TYPE_GRAY, 8},
        Kind{"grey1", 17, 9, PNG_COLOR_TYPE_GRAY, 1}, Kind{"grey4", 6, 5, PNG_COLOR_TYPE_GRAY, 4},
        Kind{"palette", 9, 6, PNG_COLOR_TYPE_PALETTE, 4}, Kind{"rgba", 11, 7, PNG_COLOR_TYPE_RGB_ALPHA, 8},
        Kind{"greyalpha16", 5, 5, PNG_COLOR_TYPE_GRAY_ALPHA, 16}, Kind{"rgb16", 8, 3, PNG_COLOR_TYPE_RGB, 16},
        Kind{"adam7", 17, 9, PNG_COLOR_TYPE_RGB_ALPHA, 8, true},
        Kind{"adam7tiny", 1, 2, PNG_COLOR_TYPE_GRAY, 2, true}}) {
    const std::string png = MakePng(kind), bitmap = Convert(png);
    EXPECT_EQ(bitmap.size(), Field(bitmap, 2, 4)) << kind.name;
    EXPECT_TRUE(PixelsOfBitmap(bitmap) == DecodeAsLibpng(png)) << kind.name;
    if (corpus) std::ofstream(std::string(corpus) + "/" + kind.name + ".png", std::ios::binary) << png;
  }
}

TEST(PngToBitmap, DamagedCutOrHugePicturesAreRefused) {
  const std::string png = MakePng({"rgb", 16, 16, PNG_COLOR_TYPE_RGB, 8});
  const std::string adam7 = MakePng({"adam7", 16, 16, PNG_COLOR_TYPE_RGB, 8, true});
  std::string damaged = png;
  damaged[png.find("IDAT") + 10] ^= 0x55;
  const std::atomic<bool> stop{true};
  const std::string cut = "PNG error: The file ends before the picture does";
  for (const auto& [name, refusal, expected] : std::vector<std::tuple<const char*, std::string, std::string>>{
           {"cut in the signature", Refusal(png.substr(0, 5)), cut},
           {"cut in the header", Refusal(png.substr(0, 20)), cut},
           {"cut in the data", Refusal(png.substr(0, png.size() / 2)), cut},
           {"cut before its end", Refusal(png.substr(0, png.size() - 6)), cut},
           {"interlaced, cut", Refusal(adam7.substr(0, adam7.size() * 3 / 4)), cut},
           {"damaged data", Refusal(damaged), "PNG error: IDAT: incorrect data check"},
           {"not a PNG", Refusal("not a picture at all"), "PNG error: Not a PNG file"},
           {"size bomb", Refusal(HeaderClaiming(png, 100000, 100000)), "picture too large"},
           {"interlaced beyond the memory", Refusal(HeaderClaiming(adam7, 16000, 12000)), "picture too large"},
           {"plain within the limit", Refusal(HeaderClaiming(png, 16000, 12000)), cut},
           {"stopped", Refusal(png, &stop), "conversion stopped"}}) {
    EXPECT_EQ(refusal, expected) << name;
  }
}
