#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class RandomGenerator;

// One choice of "Change every": its caption and the minutes between changes, 0 for none.
struct ChangeInterval {
  const wchar_t* caption;
  int minutes;
};

// The choices in the order of the "Change every" list; the first, "Never", is the default.
constexpr std::array<ChangeInterval, 7> kChangeIntervals{{{L"Never", 0},
                                                          {L"1 minute", 1},
                                                          {L"10 minutes", 10},
                                                          {L"30 minutes", 30},
                                                          {L"1 hour", 60},
                                                          {L"3 hours", 180},
                                                          {L"1 day", 24 * 60}}};

// The tray tip's line for a choice of kChangeIntervals, "Wallpaper: every 1 hour"; none for "Never".
std::optional<std::wstring> WallpaperTipLine(std::size_t choice);

// Deals the pictures of a list in a random order, each once per round, so that a timed change
// shows every picture before any comes again.
class PictureRound {
 public:
  // The picture to show next, "" for an empty list. `current` is the wallpaper now (letter case of
  // English letters aside): it is never the answer while the list holds another picture, so that
  // neither a new round nor a duplicate entry shows the same picture twice in a row (entries equal
  // to it wait for a later change, and end the round when nothing else is left). A list other than
  // the one the round was dealt from, in content or order, starts a new round.
  std::wstring Next(const std::vector<std::wstring>& pictures, const std::wstring& current, RandomGenerator& random);

 private:
  void StartRound(const std::vector<std::wstring>& pictures, RandomGenerator& random);
  std::vector<std::wstring>::iterator FirstOtherThan(const std::wstring& current);

  std::vector<std::wstring> dealtFrom_;
  std::vector<std::wstring> left_;  // in the order they come
};

// Whether a file of a picture folder joins the list: a .bmp, .jpg, .jpeg or .png in any letter case.
bool IsPictureFileName(const std::wstring& name);
