#include "tools/cleaner/BrowserCaches.h"

#include <algorithm>

#include "platform/FileAttributeBits.h"
#include "utilities/AsciiCase.h"

namespace {

// A profile's cache folders, one name a level.
std::vector<std::vector<std::wstring>> ProfileCaches(BrowserLayout layout) {
  if (layout == BrowserLayout::Firefox) return {{L"cache2"}};
  return {{L"Cache", L"Cache_Data"}, {L"Code Cache"}, {L"GPUCache"}};
}

// Names on the disk compare without letter case, as the file system compares them.
const BrowserEntry* FindEntry(const std::vector<BrowserEntry>& entries, const std::wstring& name) {
  const std::wstring wanted = AsciiLowerCase(name);
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [&](const BrowserEntry& entry) { return AsciiLowerCase(entry.name) == wanted; });
  return found == entries.end() ? nullptr : &*found;
}

// The cache folder below the profile, with each level's name as the disk spells it, when every level
// is a plain folder; empty otherwise.
std::wstring PlainFolderBelow(const std::wstring& profile, const std::vector<BrowserEntry>& profileEntries,
                              const std::vector<std::wstring>& levels, const ListFolder& list) {
  std::wstring path = profile;
  std::vector<BrowserEntry> entries = profileEntries;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const BrowserEntry* entry = FindEntry(entries, levels[i]);
    if (!entry || !IsPlainFolder(entry->attributes)) return L"";
    path += entry->name + L'\\';
    if (i + 1 < levels.size()) entries = list(path);
  }
  return path;
}

}  // namespace

std::vector<BrowserProfiles> BrowserProfileFolders(const std::wstring& localAppData) {
  const std::wstring base = !localAppData.empty() && localAppData.back() == L'\\' ? localAppData : localAppData + L'\\';
  return {{base + L"Google\\Chrome\\User Data\\", BrowserLayout::Chromium},
          {base + L"Microsoft\\Edge\\User Data\\", BrowserLayout::Chromium},
          {base + L"BraveSoftware\\Brave-Browser\\User Data\\", BrowserLayout::Chromium},
          {base + L"Vivaldi\\User Data\\", BrowserLayout::Chromium},
          {base + L"Mozilla\\Firefox\\Profiles\\", BrowserLayout::Firefox}};
}

bool IsPlainFolder(std::uint32_t attributes) {
  constexpr std::uint32_t kLeftOut = kAttributeHidden | kAttributeSystem | kAttributeReparsePoint;
  return (attributes & kAttributeDirectory) && !(attributes & kLeftOut);
}

bool IsBrowserProfile(BrowserLayout layout, const std::vector<BrowserEntry>& entries) {
  if (layout == BrowserLayout::Firefox) {
    const BrowserEntry* cache = FindEntry(entries, L"cache2");
    return cache && (cache->attributes & kAttributeDirectory);
  }
  const BrowserEntry* preferences = FindEntry(entries, L"Preferences");
  return preferences && !(preferences->attributes & kAttributeDirectory);
}

std::vector<std::wstring> BrowserCacheFolders(const BrowserProfiles& browser, const ListFolder& list) {
  std::vector<std::wstring> folders;
  for (const BrowserEntry& candidate : list(browser.folder)) {
    if (!IsPlainFolder(candidate.attributes) || candidate.name == L"." || candidate.name == L"..") continue;
    const std::wstring profile = browser.folder + candidate.name + L'\\';
    const std::vector<BrowserEntry> entries = list(profile);
    if (!IsBrowserProfile(browser.layout, entries)) continue;
    for (const std::vector<std::wstring>& levels : ProfileCaches(browser.layout)) {
      const std::wstring cache = PlainFolderBelow(profile, entries, levels, list);
      if (!cache.empty()) folders.push_back(cache);
    }
  }
  return folders;
}
