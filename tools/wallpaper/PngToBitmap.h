#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "tools/wallpaper/JpegToBitmap.h"
#include "utilities/BitmapFile.h"

// Reads bytes of a picture file, whatever its kind; the same contract as for a JPEG.
using PictureReader = JpegReader;

// libpng refused the picture, or its data is damaged or ends early; `what()` carries libpng's message.
class PngError : public std::runtime_error {
 public:
  explicit PngError(const std::string& message) : std::runtime_error("PNG error: " + message) {}
};

// Turns a PNG of any kind into an uncompressed 24-bit bitmap file. A plain PNG goes a row at a time; an
// interlaced one is held whole until its last pass, within the memory the program allows for a picture.
class PngToBitmap {
 public:
  // Reads the PNG's header. Throws PngError, or PictureTooLarge when the bitmap file would be larger than
  // `limit` bytes or an interlaced picture larger than the memory allowed; nothing big is allocated then.
  explicit PngToBitmap(PictureReader read, std::uint64_t limit = kBitmapFileLimit);
  ~PngToBitmap();
  PngToBitmap(const PngToBitmap&) = delete;
  PngToBitmap& operator=(const PngToBitmap&) = delete;

  const BitmapLayout& Layout() const { return layout_; }
  // Decodes the picture and writes every byte of the bitmap file: the header, then the rows. Throws
  // PngError when the data turns out damaged or cut off, or ConversionStopped soon after `stop` turns
  // true (another thread may set it), with part of it written.
  void WriteBitmap(const BitmapWriter& write, const std::atomic<bool>* stop = nullptr);

 private:
  struct Decoder;  // libpng's state, kept out of the header
  std::unique_ptr<Decoder> decoder_;
  BitmapLayout layout_;
};
