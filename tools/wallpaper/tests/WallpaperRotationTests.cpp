#include "tools/wallpaper/WallpaperRotation.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>

#include "utilities/AsciiCase.h"
#include "utilities/RandomGenerator.h"

namespace {

// `count` timed changes in a row, each from the wallpaper the one before set.
std::vector<std::wstring> Changes(PictureRound& round, const std::vector<std::wstring>& pictures, std::wstring& current,
                                  RandomGenerator& random, std::size_t count) {
  std::vector<std::wstring> shown;
  for (; count > 0; --count) shown.push_back(current = round.Next(pictures, current, random));
  return shown;
}

std::set<std::wstring> Distinct(const std::vector<std::wstring>& pictures) {
  return {pictures.begin(), pictures.end()};
}

}  // namespace

TEST(WallpaperRotation, RoundsShowEveryEntryOnceAndNeverTheSamePictureTwiceInARow) {
  const std::vector<std::wstring> five{L"C:\\A.jpg", L"C:\\B.bmp", L"C:\\C.png", L"C:\\D.jpeg", L"C:\\E.jpg"};
  const std::vector<std::wstring> four(five.begin(), five.end() - 1);
  const struct {
    const char* name;
    std::vector<std::wstring> roundUnderWay;
    std::size_t changesMade;
    std::vector<std::wstring> pictures;
    std::wstring current;
  } cases[] = {{"the wallpaper now is in the list", {}, 0, four, L"c:\\b.BMP"},
               {"a picture added mid-round", four, 3, five, L""},
               {"the list reordered mid-round", four, 3, {four.rbegin(), four.rend()}, L""},
               {"one picture", {}, 0, {L"C:\\A.jpg"}, L"C:\\A.jpg"},
               {"duplicate entries", {}, 0, {L"C:\\A.jpg", L"C:\\B.bmp", L"C:\\A.jpg", L"C:\\C.png"}, L""}};
  for (const auto& c : cases) {
    const std::size_t distinct = Distinct(c.pictures).size();
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
      RandomGenerator random;
      random.Seed(seed);
      PictureRound round;
      std::wstring current = c.current;
      Changes(round, c.roundUnderWay, current, random, c.changesMade);
      for (int number = 1; number <= 3; ++number) {
        std::wstring before = current;
        const std::vector<std::wstring> shown = Changes(round, c.pictures, current, random, c.pictures.size());
        EXPECT_TRUE(distinct < c.pictures.size() || Distinct(shown) == Distinct(c.pictures))
            << c.name << ", seed " << seed << ", round " << number;
        for (const std::wstring& picture : shown) {
          EXPECT_TRUE(distinct == 1 || AsciiLowerCase(picture) != AsciiLowerCase(before))
              << c.name << ", seed " << seed;
          before = picture;
        }
      }
    }
  }
  RandomGenerator random;
  EXPECT_EQ(PictureRound().Next({}, L"C:\\A.jpg", random), L"") << "an empty list";
}

TEST(WallpaperRotation, ChangeEveryChoicesInOrderWithTheirTipLines) {
  const struct {
    const wchar_t* caption;
    int minutes;
    std::optional<std::wstring> tip;
  } cases[] = {{L"Never", 0, std::nullopt},
               {L"1 minute", 1, L"Wallpaper: every 1 minute"},
               {L"10 minutes", 10, L"Wallpaper: every 10 minutes"},
               {L"30 minutes", 30, L"Wallpaper: every 30 minutes"},
               {L"1 hour", 60, L"Wallpaper: every 1 hour"},
               {L"3 hours", 180, L"Wallpaper: every 3 hours"},
               {L"1 day", 1440, L"Wallpaper: every 1 day"}};
  ASSERT_EQ(kChangeIntervals.size(), std::size(cases));
  for (std::size_t choice = 0; choice < std::size(cases); ++choice) {
    const auto& c = cases[choice];
    EXPECT_EQ(std::wstring(kChangeIntervals[choice].caption), c.caption) << "choice " << choice;
    EXPECT_EQ(kChangeIntervals[choice].minutes, c.minutes) << "choice " << choice;
    EXPECT_EQ(WallpaperTipLine(choice), c.tip) << "choice " << choice;
  }
}

TEST(WallpaperRotation, PictureFilesByTheirExtensionInAnyCase) {
  const struct {
    const wchar_t* name;
    bool picture;
  } cases[] = {{L"sunset.jpg", true},  {L"SUNSET.JPG", true}, {L"scan.Bmp", true},   {L"photo.jpeg", true},
               {L"icon.PNG", true},    {L"v1.2.png", true},   {L"clip.gif", false},  {L"photo.jpe", false},
               {L"README", false},     {L"jpg", false},       {L"trailing.", false}, {L"holiday.jpg.txt", false},
               {L"My.Pictures", false}};
  for (const auto& c : cases) EXPECT_EQ(IsPictureFileName(c.name), c.picture) << c.name;
}
