// JPEGs made by libjpeg for the tests, and what djpeg's bitmap writer makes of them, decoded by the
// same libjpeg without the code under test.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

struct JpegSample {
  int width = 8;
  int height = 8;
  int components = 3;  // 1: grey, 3: red, green, blue, 4: CMYK
  bool progressive = false;
  int restartRows = 0;  // a restart marker after every so many MCU rows
};

// A picture whose every pixel differs from its neighbours, so that a row or a channel out of place shows.
inline std::string MakeJpeg(const JpegSample& sample) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  jpeg_mem_dest(&info, &buffer, &length);
  info.image_width = static_cast<JDIMENSION>(sample.width);
  info.image_height = static_cast<JDIMENSION>(sample.height);
  info.input_components = sample.components;
  info.in_color_space = sample.components == 1 ? JCS_GRAYSCALE : sample.components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  if (sample.progressive) jpeg_simple_progression(&info);
  info.restart_in_rows = sample.restartRows;
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(sample.width * sample.components));
  for (JSAMPROW line = row.data(); info.next_scanline < info.image_height; jpeg_write_scanlines(&info, &line, 1))
    for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<JSAMPLE>(37 * i + 91 * info.next_scanline);
  jpeg_finish_compress(&info);
  const std::string bytes(reinterpret_cast<char*>(buffer), length);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

// The picture djpeg writes as a bitmap: each row's pixels top row first, blue, green, red (colour
// and CMYK) or palette indices (grey, quantized as `djpeg -colors 236 -onepass`), and the palette.
struct DjpegPicture {
  std::vector<std::vector<std::uint8_t>> rows;
  std::vector<std::uint8_t> greys;
};

inline DjpegPicture DecodeAsDjpeg(const std::string& jpeg) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&info, TRUE);
  const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
  info.quantize_colors = grey;
  info.two_pass_quantize = FALSE;
  info.desired_number_of_colors = 236;
  info.out_color_space = grey ? JCS_GRAYSCALE : info.num_components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  DjpegPicture picture;
  std::vector<JSAMPLE> line(static_cast<size_t>(info.output_width) * info.output_components);
  for (JSAMPROW out = line.data(); info.output_scanline < info.output_height;) {
    jpeg_read_scanlines(&info, &out, 1);
    std::vector<std::uint8_t> pixels;
    for (size_t at = 0; at < line.size(); at += info.output_components) {
      const JSAMPLE* p = &line[at];
      if (grey) {
        pixels.push_back(p[0]);
      } else if (info.output_components == 4) {  // djpeg's cmyk_to_rgb, in doubles as it does it
        for (int ink : {2, 1, 0}) pixels.push_back(static_cast<std::uint8_t>(static_cast<double>(p[ink]) * p[3] / 255.0 + 0.5));
      } else {
        pixels.insert(pixels.end(), {p[2], p[1], p[0]});
      }
    }
    picture.rows.push_back(pixels);
  }
  for (int i = 0; grey && i < info.actual_number_of_colors; ++i) picture.greys.push_back(info.colormap[0][i]);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return picture;
}

// The JPEG with another size written in its frame header (FF C0, C1 or C2: length, precision, height,
// width), the rest of it unchanged: a small file that claims a large picture.
inline std::string WithClaimedSize(std::string jpeg, int width, int height) {
  const auto byte = [&jpeg](size_t at) { return static_cast<std::uint8_t>(jpeg[at]); };
  for (size_t at = 2; at + 9 < jpeg.size(); at += 2 + (byte(at + 2) << 8 | byte(at + 3))) {
    if (byte(at + 1) < 0xC0 || byte(at + 1) > 0xC2) continue;
    const int values[] = {height >> 8, height & 0xFF, width >> 8, width & 0xFF};
    for (int i = 0; i < 4; ++i) jpeg[at + 5 + i] = static_cast<char>(values[i]);
    break;
  }
  return jpeg;
}
