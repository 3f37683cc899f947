#include "tools/wallpaper/PngToBitmap.h"

#include <csetjmp>
#include <cstring>
#include <utility>
#include <vector>

#include <png.h>

namespace {

constexpr std::uint64_t kRgbaBytes = 4;
// What an interlaced picture may take while it is held whole for its passes: as much as the JPEG
// decoder may take for a progressive picture.
constexpr std::uint64_t kWholePictureMemoryLimit = std::uint64_t{512} << 20;

// Every kind of PNG comes out as 8-bit red, green, blue, alpha; each call acts only on the kinds it
// names, and the alpha is added only where the picture has none.
void ChooseOutput(png_structp png) {
  png_set_palette_to_rgb(png);
  png_set_expand_gray_1_2_4_to_8(png);
  png_set_tRNS_to_alpha(png);
  png_set_gray_to_rgb(png);
  png_set_strip_16(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
}

// A bitmap wallpaper has no transparency: each pixel is laid over black, its colour scaled by its
// opacity, c × a / 255 rounded.
std::uint8_t OverBlack(unsigned colour, unsigned alpha) {
  return static_cast<std::uint8_t>((colour * alpha + 127) / 255);
}

void RgbaToBgr(const png_byte* rgba, std::uint8_t* bgr, std::uint32_t width) {
  for (std::uint32_t x = 0; x < width; ++x, rgba += kRgbaBytes, bgr += 3) {
    bgr[0] = OverBlack(rgba[2], rgba[3]);
    bgr[1] = OverBlack(rgba[1], rgba[3]);
    bgr[2] = OverBlack(rgba[0], rgba[3]);
  }
}

void ThrowIfStopped(const std::atomic<bool>* stop) {
  if (stop && *stop) throw ConversionStopped();
}

}  // namespace

// libpng reports an error by a call that must not return: it keeps the message and jumps back into
// Guarded, which turns it into PngError. Only libpng's own frames lie between. The reader is read
// through until libpng has all it asked for; a reader at its end means the file is cut off.
struct PngToBitmap::Decoder {
  explicit Decoder(PictureReader reader) : read(std::move(reader)) {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, ErrorExit, [](png_structp, png_const_charp) {});
    info = png_create_info_struct(png);
    if (!info) {
      png_destroy_read_struct(&png, nullptr, nullptr);
      throw PngError("Out of memory");
    }
    png_set_read_fn(png, this, ReadData);
  }
  ~Decoder() { png_destroy_read_struct(&png, &info, nullptr); }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  template <typename LibpngCalls>
  void Guarded(LibpngCalls calls) {
    if (setjmp(png_jmpbuf(png))) throw PngError(message);
    calls();
  }

  // The message may lie in libpng's frame that the jump leaves: it is copied.
  [[noreturn]] static void ErrorExit(png_structp png, png_const_charp text) {
    Decoder& decoder = *static_cast<Decoder*>(png_get_error_ptr(png));
    std::strncpy(decoder.message, text, sizeof decoder.message - 1);
    png_longjmp(png, 1);
  }

  static void ReadData(png_structp png, png_bytep data, std::size_t size) {
    Decoder& decoder = *static_cast<Decoder*>(png_get_io_ptr(png));
    while (size > 0) {
      const std::size_t read = decoder.read(data, size);
      if (read == 0) png_error(png, "The file ends before the picture does");
      data += read;
      size -= read;
    }
  }

  png_structp png = nullptr;
  png_infop info = nullptr;
  char message[200] = {};
  int passes = 1;
  PictureReader read;
};

PngToBitmap::PngToBitmap(PictureReader read, std::uint64_t limit)
    : decoder_(std::make_unique<Decoder>(std::move(read))) {
  Decoder& decoder = *decoder_;
  decoder.Guarded([&decoder] {
    png_read_info(decoder.png, decoder.info);
    ChooseOutput(decoder.png);
    decoder.passes = png_set_interlace_handling(decoder.png);
  });
  const std::uint32_t width = png_get_image_width(decoder.png, decoder.info);
  const std::uint32_t height = png_get_image_height(decoder.png, decoder.info);
  const auto layout = PlanBitmapFile(width, height, 24, 0, limit);
  const bool heldWhole = decoder.passes > 1;
  if (!layout || (heldWhole && std::uint64_t{width} * height * kRgbaBytes > kWholePictureMemoryLimit))
    throw PictureTooLarge(width, height);
  layout_ = *layout;
}

PngToBitmap::~PngToBitmap() = default;

void PngToBitmap::WriteBitmap(const BitmapWriter& write, const std::atomic<bool>* stop) {
  Decoder& decoder = *decoder_;
  decoder.Guarded([&decoder] { png_read_update_info(decoder.png, decoder.info); });
  const std::string header = BitmapHeaderBytes(layout_, {});
  write(0, reinterpret_cast<const std::uint8_t*>(header.data()), header.size());

  // An interlaced picture's rows are complete only in its last pass, each pass filling in the previous.
  const bool heldWhole = decoder.passes > 1;
  const std::size_t decodedBytes = static_cast<std::size_t>(layout_.width * kRgbaBytes);
  std::vector<png_byte> decoded(decodedBytes * (heldWhole ? layout_.height : 1));
  std::vector<std::uint8_t> row(layout_.stride);  // its padding stays zero
  for (int pass = 0; pass < decoder.passes; ++pass) {
    for (std::uint32_t y = 0; y < layout_.height; ++y) {
      ThrowIfStopped(stop);
      png_bytep target = decoded.data() + (heldWhole ? y * decodedBytes : 0);
      decoder.Guarded([&decoder, target] { png_read_row(decoder.png, target, nullptr); });
      if (pass + 1 < decoder.passes) continue;
      RgbaToBgr(target, row.data(), layout_.width);
      write(layout_.RowOffset(y), row.data(), row.size());
    }
  }
  decoder.Guarded([&decoder] { png_read_end(decoder.png, nullptr); });
}
