#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Where today's browsers keep their caches below the user's local application data, and which of a
// browser's folders are its profiles, told from their layout alone.

enum class BrowserLayout {
  Chromium,  // a profile ("Default", "Profile 1", ...) holds a "Preferences" file
  Firefox,   // a profile holds a "cache2" folder
};

struct BrowserProfiles {
  std::wstring folder;  // the folder holding the browser's profiles
  BrowserLayout layout;
};

// Chrome, Edge, Brave, Vivaldi and Firefox, in this order.
std::vector<BrowserProfiles> BrowserProfileFolders(const std::wstring& localAppData);

// An entry of a folder's listing, with its attribute bits.
struct BrowserEntry {
  std::wstring name;
  std::uint32_t attributes;
};
using ListFolder = std::function<std::vector<BrowserEntry>(const std::wstring& folder)>;

// A folder the cleaner may walk into: not hidden, not a system folder, not a link.
bool IsPlainFolder(std::uint32_t attributes);

// Whether a folder with these entries is a profile of the browser.
bool IsBrowserProfile(BrowserLayout layout, const std::vector<BrowserEntry>& entries);

// The cache folders to scan, each with a trailing backslash: for every profile directly in the
// browser's folder, each of its cache folders that lies there, reached through plain folders only
// (a linked profile or cache folder is never entered). Cookies, history, logins and every other file
// of a profile stay out of it. `list` gives a folder's entries (the folder with a trailing backslash).
std::vector<std::wstring> BrowserCacheFolders(const BrowserProfiles& browser, const ListFolder& list);
