#include "tools/renamer/ExifDate.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF, kStartOfImage = 0xD8, kEndOfImage = 0xD9, kStartOfScan = 0xDA;
constexpr std::uint8_t kApp1 = 0xE1, kTemporary = 0x01, kFirstRestart = 0xD0, kLastRestart = 0xD7;
constexpr char kExifSignature[] = "Exif\0";  // with the array's own closing NUL: "Exif" and two NULs
constexpr std::size_t kExifSignatureSize = sizeof kExifSignature;

constexpr std::size_t kTiffHeaderSize = 8;
constexpr std::uint32_t kTiffMagic = 42;
constexpr std::size_t kEntrySize = 12;
constexpr std::uint16_t kDateTimeTag = 0x0132, kExifIfdTag = 0x8769, kDateTimeOriginalTag = 0x9003;
constexpr std::uint16_t kAsciiType = 2, kLongType = 4;

// "YYYY:MM:DD HH:MM:SS", d standing for a digit; the closing NUL is not needed.
constexpr char kDatePattern[] = "dddd:dd:dd dd:dd:dd";
constexpr std::size_t kDateLength = sizeof kDatePattern - 1;

struct Bytes {
  const std::uint8_t* data;
  std::size_t size;
};

// The TIFF block of an Exif segment, the origin of every offset in it. Offsets are 64-bit so that an
// offset and a count from the file add up without wrapping.
class TiffBlock {
 public:
  TiffBlock(Bytes bytes, bool bigEndian) : bytes_(bytes), bigEndian_(bigEndian) {}

  bool Holds(std::uint64_t offset, std::uint64_t count) const {
    return offset <= bytes_.size && count <= bytes_.size - offset;
  }
  std::uint64_t BytesFrom(std::uint64_t offset) const { return offset <= bytes_.size ? bytes_.size - offset : 0; }
  // The callers check with Holds first: the file's offsets are never used unchecked.
  const std::uint8_t* At(std::uint64_t offset) const { return bytes_.data + offset; }
  std::uint32_t Number(std::uint64_t offset, std::size_t width) const {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value = value << 8 | At(offset)[bigEndian_ ? i : width - 1 - i];
    return value;
  }

 private:
  Bytes bytes_;
  bool bigEndian_;
};

// An IFD entry: tag, type, count, then the value itself when it fits in four bytes, else its offset.
struct Entry {
  std::uint16_t type;
  std::uint32_t count;
  std::uint32_t valueOrOffset;
};

// The entry of `tag` in the IFD at `offset`. Only the entries that lie inside the block are looked at,
// whatever the IFD's count claims.
std::optional<Entry> FindEntry(const TiffBlock& tiff, std::uint64_t offset, std::uint16_t tag) {
  if (!tiff.Holds(offset, 2)) return std::nullopt;
  const std::uint64_t first = offset + 2;
  const std::uint64_t entries = std::min<std::uint64_t>(tiff.Number(offset, 2), tiff.BytesFrom(first) / kEntrySize);
  for (std::uint64_t at = first; at < first + entries * kEntrySize; at += kEntrySize) {
    if (tiff.Number(at, 2) == tag)
      return Entry{static_cast<std::uint16_t>(tiff.Number(at + 2, 2)), tiff.Number(at + 4, 4), tiff.Number(at + 8, 4)};
  }
  return std::nullopt;
}

int Digits(const std::uint8_t* text, std::size_t count) {
  int value = 0;
  for (std::size_t i = 0; i < count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

std::optional<PhotoDate> ParseDate(const std::uint8_t* text) {
  for (std::size_t i = 0; i < kDateLength; ++i) {
    const bool fits = kDatePattern[i] == 'd' ? text[i] >= '0' && text[i] <= '9' : text[i] == kDatePattern[i];
    if (!fits) return std::nullopt;
  }
  const PhotoDate date{Digits(text, 4),      Digits(text + 5, 2),  Digits(text + 8, 2),
                       Digits(text + 11, 2), Digits(text + 14, 2), Digits(text + 17, 2)};
  const bool valid = InRange(date.year, 1, 9999) && InRange(date.month, 1, 12) && InRange(date.day, 1, 31) &&
                     InRange(date.hour, 0, 23) && InRange(date.minute, 0, 59) && InRange(date.second, 0, 59);
  if (!valid) return std::nullopt;
  return date;
}

// A date entry's text: ASCII, long enough for a date, and all of it inside the block.
std::optional<PhotoDate> DateOfEntry(const TiffBlock& tiff, const std::optional<Entry>& entry) {
  if (!entry || entry->type != kAsciiType || entry->count < kDateLength) return std::nullopt;
  if (!tiff.Holds(entry->valueOrOffset, entry->count)) return std::nullopt;
  return ParseDate(tiff.At(entry->valueOrOffset));
}

// DateTimeOriginal from the Exif IFD, else DateTime from IFD0. IFD0 and the Exif IFD are the only ones
// read: the chain of further IFDs holds the thumbnail.
std::optional<PhotoDate> DateInTiff(Bytes bytes) {
  if (bytes.size < kTiffHeaderSize) return std::nullopt;
  const bool bigEndian = std::memcmp(bytes.data, "MM", 2) == 0;
  if (!bigEndian && std::memcmp(bytes.data, "II", 2) != 0) return std::nullopt;
  const TiffBlock tiff(bytes, bigEndian);
  if (tiff.Number(2, 2) != kTiffMagic) return std::nullopt;
  const std::uint32_t ifd0 = tiff.Number(4, 4);
  const std::optional<Entry> exifIfd = FindEntry(tiff, ifd0, kExifIfdTag);
  if (exifIfd && exifIfd->type == kLongType && exifIfd->count == 1) {
    if (auto original = DateOfEntry(tiff, FindEntry(tiff, exifIfd->valueOrOffset, kDateTimeOriginalTag)))
      return original;
  }
  return DateOfEntry(tiff, FindEntry(tiff, ifd0, kDateTimeTag));
}

bool IsStandalone(std::uint8_t marker) {
  return marker == kTemporary || (marker >= kFirstRestart && marker <= kLastRestart);
}

bool IsExif(Bytes segment) {
  return segment.size >= kExifSignatureSize && std::memcmp(segment.data, kExifSignature, kExifSignatureSize) == 0;
}

// The TIFF block of the first Exif segment before the picture data. A segment must lie whole inside
// the bytes given: a file cut short gives its date or nothing, never a date from half a segment.
std::optional<Bytes> ExifTiffBlock(const std::uint8_t* head, std::size_t size) {
  if (size < 2 || head[0] != kMarkerPrefix || head[1] != kStartOfImage) return std::nullopt;
  std::size_t at = 2;
  while (at < size && head[at] == kMarkerPrefix) {
    while (at < size && head[at] == kMarkerPrefix) ++at;  // fill bytes may precede a marker
    if (at == size) return std::nullopt;
    const std::uint8_t marker = head[at++];
    if (IsStandalone(marker)) continue;
    if (marker == kStartOfScan || marker == kEndOfImage || size - at < 2) return std::nullopt;
    const std::size_t length = static_cast<std::size_t>(head[at] << 8 | head[at + 1]);
    if (length < 2 || length > size - at) return std::nullopt;
    const Bytes segment{head + at + 2, length - 2};
    if (marker == kApp1 && IsExif(segment))
      return Bytes{segment.data + kExifSignatureSize, segment.size - kExifSignatureSize};
    at += length;
  }
  return std::nullopt;
}

}  // namespace

std::optional<PhotoDate> ExifDateTaken(const std::uint8_t* head, std::size_t size) {
  const std::optional<Bytes> tiff = ExifTiffBlock(head, size);
  return tiff ? DateInTiff(*tiff) : std::nullopt;
}
