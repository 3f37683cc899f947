#include "tools/wallpaper/WallpaperRotation.h"

#include <algorithm>
#include <utility>

#include "utilities/AsciiCase.h"
#include "utilities/RandomGenerator.h"

std::optional<std::wstring> WallpaperTipLine(std::size_t choice) {
  const ChangeInterval& interval = kChangeIntervals[choice];
  if (interval.minutes == 0) return std::nullopt;
  return L"Wallpaper: every " + std::wstring(interval.caption);
}

std::wstring PictureRound::Next(const std::vector<std::wstring>& pictures, const std::wstring& current,
                                RandomGenerator& random) {
  if (pictures.empty()) return L"";
  if (pictures != dealtFrom_) StartRound(pictures, random);
  auto next = FirstOtherThan(current);
  // Entries left that all equal the wallpaper now end the round: showing one would change nothing.
  if (next == left_.end()) {
    StartRound(pictures, random);
    next = FirstOtherThan(current);
  }
  if (next == left_.end()) return pictures.front();  // every entry is the wallpaper now
  std::wstring picture = std::move(*next);
  left_.erase(next);
  return picture;
}

// A new random order of the whole list: Fisher-Yates.
void PictureRound::StartRound(const std::vector<std::wstring>& pictures, RandomGenerator& random) {
  dealtFrom_ = pictures;
  left_ = pictures;
  for (std::size_t count = left_.size(); count > 1; --count)
    std::swap(left_[count - 1], left_[random.Below(static_cast<std::uint32_t>(count))]);
}

std::vector<std::wstring>::iterator PictureRound::FirstOtherThan(const std::wstring& current) {
  const std::wstring showing = AsciiLowerCase(current);
  return std::find_if(left_.begin(), left_.end(),
                      [&showing](const std::wstring& picture) { return AsciiLowerCase(picture) != showing; });
}

bool IsPictureFileName(const std::wstring& name) {
  const std::size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos) return false;
  const std::wstring extension = AsciiLowerCase(name.substr(dot));
  return extension == L".bmp" || extension == L".jpg" || extension == L".jpeg" || extension == L".png";
}
