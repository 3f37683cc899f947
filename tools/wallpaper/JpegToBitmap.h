#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "utilities/BitmapFile.h"

// More scans than this in a progressive JPEG are refused: each scan is a pass over every block of the
// picture before its first row comes out, and no encoder writes nearly as many.
constexpr int kJpegScanLimit = 500;

// Reads up to `size` bytes of the JPEG into `buffer` and returns how many, 0 at its end. libjpeg calls
// it, so it must not throw: a reader that fails returns 0 and keeps the failure for its owner.
using JpegReader = std::function<std::size_t(std::uint8_t* buffer, std::size_t size)>;
// Writes bytes of the bitmap file at their offset. It may throw: it is never called from libjpeg.
using BitmapWriter = std::function<void(std::uint64_t offset, const std::uint8_t* bytes, std::size_t size)>;

// libjpeg refused the picture, or its data is damaged or ends early; `Code()` is libjpeg's message number
// and `what()` says in words what is wrong.
class JpegError : public std::runtime_error {
 public:
  JpegError(int code, const std::string& explanation) : std::runtime_error(explanation), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

// The picture's bitmap would be larger than allowed; the size is the one the JPEG claims.
class PictureTooLarge : public std::runtime_error {
 public:
  PictureTooLarge(std::uint32_t width, std::uint32_t height)
      : std::runtime_error("picture too large"), width_(width), height_(height) {}
  std::uint32_t Width() const { return width_; }
  std::uint32_t Height() const { return height_; }

 private:
  std::uint32_t width_;
  std::uint32_t height_;
};

// The JPEG is progressive and has more than kJpegScanLimit scans.
class TooManyScans : public std::runtime_error {
 public:
  TooManyScans() : std::runtime_error("too many scans") {}
};

// The conversion was asked to stop before it ended.
class ConversionStopped : public std::runtime_error {
 public:
  ConversionStopped() : std::runtime_error("conversion stopped") {}
};

// Turns a JPEG into an uncompressed bitmap file a row at a time, so that neither the JPEG nor the
// picture is ever held whole. Colour pictures give 24 bits per pixel, exactly libjpeg's best-quality
// pixels (CMYK ones combined with their black); greyscale ones 8 bits, with libjpeg's one-pass
// quantization to 236 grey levels.
class JpegToBitmap {
 public:
  // Reads the JPEG's header. Throws JpegError, or PictureTooLarge when the bitmap file would be larger
  // than `limit` bytes; nothing else is read or allocated then.
  explicit JpegToBitmap(JpegReader read, std::uint64_t limit = kBitmapFileLimit);
  ~JpegToBitmap();
  JpegToBitmap(const JpegToBitmap&) = delete;
  JpegToBitmap& operator=(const JpegToBitmap&) = delete;

  const BitmapLayout& Layout() const { return layout_; }
  // Decodes the picture and writes every byte of the bitmap file: the header, then each row as it is
  // decoded. Throws JpegError when the data turns out damaged or cut off, TooManyScans, or
  // ConversionStopped soon after `stop` turns true (another thread may set it), with part of it written.
  void WriteBitmap(const BitmapWriter& write, const std::atomic<bool>* stop = nullptr);

 private:
  struct Decoder;  // libjpeg's state, whose header clashes with the system's
  std::unique_ptr<Decoder> decoder_;
  BitmapLayout layout_;
};
