#include "platform/Jpeg.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "platform/TextFiles.h"
#include "utilities/ErrorText.h"

namespace {

constexpr int kGreyLevels = 236;

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to the
// decoder with the message number kept in the manager.
struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf exit;
};

void JumpOut(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->exit, 1); }

void IgnoreWarning(j_common_ptr) {}

void ReadPalette(const jpeg_decompress_struct& info, RasterPicture& picture) {
  for (int i = 0; i < info.actual_number_of_colors; ++i)
    picture.palette.insert(picture.palette.end(), 3, info.colormap[0][i]);
}

// Returns 0, or libjpeg's message number. No object with a destructor lives in this frame, so the
// jump out of libjpeg skips none.
int Decode(const std::string& bytes, RasterPicture& picture) {
  jpeg_decompress_struct info{};
  ErrorTrap trap{};
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = JumpOut;
  trap.manager.output_message = IgnoreWarning;
  if (setjmp(trap.exit)) {
    jpeg_destroy_decompress(&info);
    return trap.manager.msg_code;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
  if (grey) {
    info.quantize_colors = TRUE;
    info.two_pass_quantize = FALSE;
    info.desired_number_of_colors = kGreyLevels;
  } else {
    info.out_color_space = JCS_EXT_BGR;  // the order of a bitmap's pixels
  }
  jpeg_start_decompress(&info);
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  picture.bitsPerPixel = grey ? 8 : 24;
  const size_t rowBytes = static_cast<size_t>(info.output_width) * static_cast<size_t>(info.output_components);
  picture.pixels.resize(rowBytes * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.pixels.data() + rowBytes * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  if (grey) ReadPalette(info, picture);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return 0;
}

}  // namespace

RasterPicture DecodeJpegFile(const std::wstring& path) {
  const std::string bytes = ReadWholeFile(path);
  RasterPicture picture;
  if (const int error = Decode(bytes, picture)) throw AppError(L"JPEG error #" + std::to_wstring(error));
  return picture;
}
