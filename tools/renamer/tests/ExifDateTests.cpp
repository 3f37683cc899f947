#include "tools/renamer/ExifDate.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/JpegSamples.h"

namespace {

using Field = std::tuple<size_t, int, std::uint32_t>;  // offset, width, value

// The TIFF block every case starts from: IFD0 at 8 with DateTime (text at 56) and the Exif IFD pointer
// (to 38), the Exif IFD with DateTimeOriginal (text at 76). A case changes fields of it or its DateTime.
constexpr Field kLayout[] = {{2, 2, 42},      {4, 4, 8},       {8, 2, 2},   {10, 2, 0x0132}, {12, 2, 2},  {14, 4, 20},
                             {18, 4, 56},     {22, 2, 0x8769}, {24, 2, 4},  {26, 4, 1},      {30, 4, 38}, {38, 2, 1},
                             {40, 2, 0x9003}, {42, 2, 2},      {44, 4, 20}, {48, 4, 76}};
constexpr size_t kDateTimeCount = 14, kDateTimeOffset = 18, kExifPointer = 30;
constexpr Field kNoDateTime{10, 2, 0x010F}, kNoExifIfd{22, 2, 0x8825}, kNoOriginal{40, 2, 0x9004};  // tags replaced
const std::string kDateTime = "2019:01:02 03:04:05", kOriginal = "2021:06:07 08:09:10";
constexpr PhotoDate kDateTimeDate{2019, 1, 2, 3, 4, 5}, kOriginalDate{2021, 6, 7, 8, 9, 10};

std::string ExifSegment(bool bigEndian, std::vector<Field> changes = {}, const std::string& dateTime = kDateTime) {
  std::string tiff = (bigEndian ? "MM" : "II") + std::string(94, '\0');
  changes.insert(changes.begin(), std::begin(kLayout), std::end(kLayout));
  for (const auto& [at, width, value] : changes)
    for (int i = 0; i < width; ++i) tiff[at + i] = static_cast<char>(value >> 8 * (bigEndian ? width - 1 - i : i));
  return std::string("Exif\0\0", 6) + tiff.replace(56, dateTime.size(), dateTime).replace(76, 19, kOriginal);
}

// An 8x8 grey picture encoded by libjpeg with the given APP1 segments after its start (and after its
// JFIF segment when it has one).
std::string Jpeg(const std::vector<std::string>& app1Segments, bool jfif = false) {
  return MakeJpeg(8, 8, 1, false, 0, false, app1Segments, jfif);
}

std::string ExifJpeg(bool bigEndian, const std::vector<Field>& changes = {}, const std::string& dateTime = kDateTime) {
  return Jpeg({ExifSegment(bigEndian, changes, dateTime)});
}

std::optional<PhotoDate> DateOf(const std::string& file) {
  return ExifDateTaken(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
}

}  // namespace

TEST(ExifDate, ReadsTheDateTakenAndNothingFromDamagedFiles) {
  const std::string both = ExifJpeg(false);
  const std::optional<PhotoDate> none;
  std::vector<std::tuple<const char*, std::string, std::optional<PhotoDate>>> cases = {
      {"little-endian, both: the original wins", both, kOriginalDate},
      {"big-endian, both", ExifJpeg(true), kOriginalDate},
      {"original only", ExifJpeg(true, {kNoDateTime}), kOriginalDate},
      {"DateTime only, no Exif IFD", ExifJpeg(false, {kNoExifIfd}), kDateTimeDate},
      {"DateTime only, Exif IFD without the original", ExifJpeg(true, {kNoOriginal}), kDateTimeDate},
      {"after JFIF and another APP1", Jpeg({"http://ns.adobe.com/xap/1.0/", ExifSegment(false)}, true), kOriginalDate},
      {"after fill bytes, TEM and RST3", both.substr(0, 2) + "\xFF\x01\xFF\xD3\xFF" + both.substr(2), kOriginalDate},
      {"no Exif", Jpeg({}, true), none},
      {"Exif after the picture", Jpeg({}) + std::string("\xFF\xE1\0\x68", 4) + ExifSegment(false), none},
      {"not a JPEG", ExifSegment(false), none},
      {"IFD0 at the end", ExifJpeg(true, {{4, 4, 96}}), none},
      {"Exif IFD outside", ExifJpeg(false, {{kExifPointer, 4, 0xFFFFFFF0}}), kDateTimeDate},
      {"text outside", ExifJpeg(true, {kNoOriginal, {kDateTimeOffset, 4, 0xFFFFFFFF}}), none},
      {"text past the end", ExifJpeg(false, {kNoOriginal, {kDateTimeOffset, 4, 77}}), none},
      {"huge entry count", ExifJpeg(true, {{8, 2, 0xFFFF}}), kOriginalDate},
      {"huge text count", ExifJpeg(false, {kNoOriginal, {kDateTimeCount, 4, 0xFFFFFFFF}}), none},
      {"text count too short", ExifJpeg(false, {kNoOriginal, {kDateTimeCount, 4, 18}}), none},
      {"text not ASCII", ExifJpeg(false, {kNoOriginal, {12, 2, 7}}), none},
      {"first year", ExifJpeg(false, {kNoOriginal}, "0001:01:01 00:00:00"), PhotoDate{1, 1, 1}},
      {"last second", ExifJpeg(true, {kNoOriginal}, "9999:12:31 23:59:59"), PhotoDate{9999, 12, 31, 23, 59, 59}},
  };
  for (const char* text : {"0000:00:00 00:00:00", "                   ", "0000:01:01 00:00:00", "2024:13:01 00:00:00",
                           "2024:00:10 10:00:00", "2024:05:00 10:00:00", "2024:05:32 10:00:00", "2024:05:06 24:00:00",
                           "2024:05:06 23:60:00", "2024:05:06 23:59:60", "2024-05-06 10:00:00", "2O24:05:06 10:00:00",
                           "2024:05:06 10:00: 0"})
    cases.emplace_back(text, ExifJpeg(false, {kNoOriginal}, text), none);
  // With QUOXEL_EXIF_CORPUS naming a folder, the cases that give a date are written there as the fuzzer's seeds.
  const char* corpus = std::getenv("QUOXEL_EXIF_CORPUS");
  for (size_t i = 0; i < cases.size(); ++i) {
    const auto& [name, file, date] = cases[i];
    EXPECT_EQ(DateOf(file), date) << name;
    if (corpus && date) std::ofstream(corpus + ("/" + std::to_string(i) + ".jpg"), std::ios::binary) << file;
  }
  for (size_t length = 0; length <= both.size(); ++length) {
    const std::optional<PhotoDate> date = DateOf(both.substr(0, length));
    EXPECT_TRUE(!date || date == kOriginalDate) << "cut at " << length;
  }
}
