#include "tools/wallpaper/JpegToBitmap.h"

#include <csetjmp>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

constexpr int kGreyLevels = 236;
// What libjpeg may allocate for one picture. A progressive JPEG keeps all its coefficients until the
// last scan; one that claims a huge size then fails here instead of exhausting a 32-bit address space.
constexpr long kDecoderMemoryLimit = 512L << 20;
constexpr std::size_t kReadChunk = 64 * 1024;

// Warnings that mean the data is damaged or cut off. libjpeg would go on and fill the rest with grey
// or smeared blocks; such a picture is refused like one it cannot decode at all.
bool IsDamageWarning(int code) {
  switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_NOT_SEQUENTIAL:
      return true;
    default:
      return false;
  }
}

// What is wrong, in words, for the refusals pictures meet in practice; libjpeg's own text for the rest.
std::string Explanation(j_common_ptr info) {
  const int code = info->err->msg_code;
  switch (code) {
    case JERR_NO_BACKING_STORE:  // its memory limit reached
    case JERR_OUT_OF_MEMORY:
      return "The picture is too large to convert in the memory the program allows.";
    case JWRN_JPEG_EOF:
    case JERR_INPUT_EMPTY:
    case JERR_INPUT_EOF:
      return "The file ends before the picture does.";
    case JERR_NO_SOI:
      return "The file is not a JPEG picture.";
    case JERR_BAD_PRECISION:
    case JERR_SOF_UNSUPPORTED:
      return "The picture is stored in a kind of JPEG that the program cannot read.";
    default:
      if (IsDamageWarning(code)) return "The picture's data is damaged.";
      char text[JMSG_LENGTH_MAX];
      info->err->format_message(info, text);
      return std::string(text) + ".";
  }
}

// The stored inks of a CMYK JPEG are inverted (255: no ink); each one is taken with the black as
// djpeg's bitmap writer takes it: round(ink × black / 255).
std::uint8_t CombineWithBlack(unsigned ink, unsigned black) {
  return static_cast<std::uint8_t>((2 * ink * black + 255) / 510);
}

void CmykToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, JDIMENSION width) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    bgr[0] = CombineWithBlack(cmyk[2], cmyk[3]);
    bgr[1] = CombineWithBlack(cmyk[1], cmyk[3]);
    bgr[2] = CombineWithBlack(cmyk[0], cmyk[3]);
  }
}

void ChooseOutput(jpeg_decompress_struct& info) {
  switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
      info.quantize_colors = TRUE;
      info.two_pass_quantize = FALSE;
      info.desired_number_of_colors = kGreyLevels;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      info.out_color_space = JCS_CMYK;
      break;
    default:
      info.out_color_space = JCS_EXT_BGR;  // the order of a bitmap's pixels
  }
}

}  // namespace

// libjpeg reports a fatal error, and here a damage warning too, by a call that must not return: it
// jumps back into Guarded, which turns it into JpegError. The progress monitor, which libjpeg calls
// for each row of blocks it takes in or gives out, leaves the same way when the conversion is to stop
// or the scans are too many. Only libjpeg's own frames lie between.
struct JpegToBitmap::Decoder {
  enum class Escape { Refused, TooManyScans, Stopped };

  explicit Decoder(JpegReader reader) : read(std::move(reader)), buffer(kReadChunk) {
    info.err = jpeg_std_error(&errors);
    errors.error_exit = ErrorExit;
    errors.emit_message = EmitMessage;
    info.client_data = this;
    Guarded([this] { jpeg_create_decompress(&info); });
    progress.progress_monitor = MonitorProgress;
    info.progress = &progress;
    info.mem->max_memory_to_use = kDecoderMemoryLimit;
    source.init_source = [](j_decompress_ptr) {};
    source.fill_input_buffer = FillInputBuffer;
    source.skip_input_data = SkipInputData;
    source.resync_to_restart = jpeg_resync_to_restart;
    source.term_source = [](j_decompress_ptr) {};
    info.src = &source;
  }
  ~Decoder() { jpeg_destroy_decompress(&info); }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  template <typename LibjpegCalls>
  void Guarded(LibjpegCalls calls) {
    if (setjmp(escape)) ThrowEscape();
    calls();
  }

  [[noreturn]] void ThrowEscape() {
    switch (escapeReason) {
      case Escape::Stopped:
        throw ConversionStopped();
      case Escape::TooManyScans:
        throw TooManyScans();
      default:
        throw JpegError(errors.msg_code, Explanation(reinterpret_cast<j_common_ptr>(&info)));
    }
  }

  static Decoder& Of(j_common_ptr info) { return *static_cast<Decoder*>(info->client_data); }
  [[noreturn]] static void Leave(j_common_ptr info, Escape reason) {
    Of(info).escapeReason = reason;
    std::longjmp(Of(info).escape, 1);
  }
  static void ErrorExit(j_common_ptr info) { Leave(info, Escape::Refused); }
  static void EmitMessage(j_common_ptr info, int level) {
    if (level < 0 && IsDamageWarning(info->err->msg_code)) ErrorExit(info);
  }
  static void MonitorProgress(j_common_ptr info) {
    const std::atomic<bool>* stop = Of(info).stop;
    if (stop && *stop) Leave(info, Escape::Stopped);
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kJpegScanLimit) Leave(info, Escape::TooManyScans);
  }

  static boolean FillInputBuffer(j_decompress_ptr info) {
    Decoder& decoder = Of(reinterpret_cast<j_common_ptr>(info));
    const std::size_t read = decoder.read(decoder.buffer.data(), decoder.buffer.size());
    // libjpeg asks for more only before the picture's end marker: the data stops short.
    if (read == 0) ERREXIT(info, JWRN_JPEG_EOF);
    decoder.source.next_input_byte = decoder.buffer.data();
    decoder.source.bytes_in_buffer = read;
    return TRUE;
  }

  static void SkipInputData(j_decompress_ptr info, long count) {
    jpeg_source_mgr& source = *info->src;
    for (; count > static_cast<long>(source.bytes_in_buffer); source.fill_input_buffer(info))
      count -= static_cast<long>(source.bytes_in_buffer);
    if (count <= 0) return;
    source.next_input_byte += count;
    source.bytes_in_buffer -= static_cast<std::size_t>(count);
  }

  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  jpeg_source_mgr source{};
  jpeg_progress_mgr progress{};
  std::jmp_buf escape{};
  Escape escapeReason = Escape::Refused;
  const std::atomic<bool>* stop = nullptr;
  JpegReader read;
  std::vector<JOCTET> buffer;
};

JpegToBitmap::JpegToBitmap(JpegReader read, std::uint64_t limit)
    : decoder_(std::make_unique<Decoder>(std::move(read))) {
  jpeg_decompress_struct& info = decoder_->info;
  decoder_->Guarded([&info] {
    jpeg_read_header(&info, TRUE);
    ChooseOutput(info);
    jpeg_calc_output_dimensions(&info);
  });
  const bool grey = info.quantize_colors;
  const auto layout =
      PlanBitmapFile(info.output_width, info.output_height, grey ? 8 : 24, grey ? kGreyLevels : 0, limit);
  if (!layout) throw PictureTooLarge(info.image_width, info.image_height);
  layout_ = *layout;
}

JpegToBitmap::~JpegToBitmap() = default;

void JpegToBitmap::WriteBitmap(const BitmapWriter& write, const std::atomic<bool>* stop) {
  jpeg_decompress_struct& info = decoder_->info;
  decoder_->stop = stop;
  decoder_->Guarded([&info] { jpeg_start_decompress(&info); });
  // One component asked for 236 colours gets exactly 236 levels.
  std::vector<std::uint8_t> palette;
  for (std::uint32_t i = 0; i < layout_.colours; ++i) palette.insert(palette.end(), 3, info.colormap[0][i]);
  const std::string header = BitmapHeaderBytes(layout_, palette);
  write(0, reinterpret_cast<const std::uint8_t*>(header.data()), header.size());

  const bool cmyk = info.out_color_space == JCS_CMYK;
  std::vector<std::uint8_t> row(layout_.stride);  // its padding stays zero
  std::vector<JSAMPLE> inks(cmyk ? std::size_t{4} * info.output_width : 0);
  JSAMPROW decoded = cmyk ? inks.data() : row.data();
  while (info.output_scanline < info.output_height) {
    const JDIMENSION y = info.output_scanline;
    decoder_->Guarded([&info, &decoded] { jpeg_read_scanlines(&info, &decoded, 1); });
    if (cmyk) CmykToBgr(inks.data(), row.data(), info.output_width);
    write(layout_.RowOffset(y), row.data(), row.size());
  }
  decoder_->Guarded([&info] { jpeg_finish_decompress(&info); });
}
