#pragma once
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <string>

// The whole bitmap file a converter makes of the picture, served in pieces of at most 1000 bytes, as a
// file is read. It grows as written: a picture refused before its first row takes no memory here.
template <typename Converter>
std::string ConvertInPieces(const std::string& picture, const std::atomic<bool>* stop = nullptr) {
  Converter converter([&picture, at = std::size_t{0}](std::uint8_t* buffer, std::size_t size) mutable {
    const std::size_t count = std::min({size, picture.size() - at, std::size_t{1000}});
    std::copy_n(picture.data() + at, count, buffer);
    at += count;
    return count;
  });
  std::string file;
  converter.WriteBitmap(
      [&file](std::uint64_t offset, const std::uint8_t* bytes, std::size_t size) {
        file.resize(std::max<std::size_t>(file.size(), offset + size), '?');
        file.replace(offset, size, reinterpret_cast<const char*>(bytes), size);
      },
      stop);
  return file;
}
