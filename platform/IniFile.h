#pragma once
#include <string>

// Reads values of an INI file through the system's private-profile functions; every read goes to the
// file, so changes are seen at once. A missing file, section or key reads as "".
class IniFileReader {
 public:
  explicit IniFileReader(std::wstring path) : path_(std::move(path)) {}
  std::wstring ReadString(const std::wstring& section, const std::wstring& key) const;

 private:
  std::wstring path_;
};
