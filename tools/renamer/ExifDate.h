#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <tuple>

// The date a photo was taken, as the camera wrote it into the picture's Exif data: a local time of
// day without a time zone, to the second.
struct PhotoDate {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  friend bool operator<(const PhotoDate& a, const PhotoDate& b) { return a.Fields() < b.Fields(); }
  friend bool operator==(const PhotoDate& a, const PhotoDate& b) { return a.Fields() == b.Fields(); }

 private:
  std::tuple<int, int, int, int, int, int> Fields() const { return {year, month, day, hour, minute, second}; }
};

// How much of a file's start the reader is given at most: the Exif data lies in one segment near the
// start of a JPEG, and a segment holds at most 64 KiB.
constexpr std::size_t kExifHeadLimit = 128 * 1024;

// The date a JPEG's Exif data gives: DateTimeOriginal, else DateTime; nothing for a file that is not
// a JPEG, has no Exif segment or no valid date in it ("0000:00:00 00:00:00", blanks, a month 13).
// `head` is the file's first bytes, at most kExifHeadLimit of them. Every offset and count read from
// the file is checked against the bytes given before it is used: any input, however damaged, gives
// an answer or nothing, and never reads outside them.
std::optional<PhotoDate> ExifDateTaken(const std::uint8_t* head, std::size_t size);
