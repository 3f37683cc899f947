#include "platform/Pictures.h"

#include <png.h>

#include <algorithm>
#include <cstring>

#include "utilities/ErrorText.h"

Picture DecodePng(const void* data, size_t size) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size))
    throw AppError(L"The picture cannot be read: " + WidenMessage(image.message));
  image.format = PNG_FORMAT_BGRA;
  Picture picture;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    throw AppError(L"The picture cannot be read: " + WidenMessage(image.message));
  }
  return picture;
}

Picture LoadPngResource(HINSTANCE module, int resourceId) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10) /*RT_RCDATA*/);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) throw AppError(L"The picture " + std::to_wstring(resourceId) + L" is missing from the program");
  return DecodePng(bytes, SizeofResource(module, resource));
}

namespace {

ScopedBitmap CreateDib(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, as decoded
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return ScopedBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

}  // namespace

ScopedBitmap CreatePremultipliedBitmap(const Picture& picture) {
  void* bits = nullptr;
  ScopedBitmap bitmap = CreateDib(picture.width, picture.height, &bits);
  if (!bitmap) return bitmap;
  auto* out = static_cast<std::uint8_t*>(bits);
  for (size_t i = 0; i + 3 < picture.pixels.size(); i += 4) {
    const unsigned alpha = picture.pixels[i + 3];
    for (int c = 0; c < 3; ++c) out[i + c] = static_cast<std::uint8_t>((picture.pixels[i + c] * alpha + 127) / 255);
    out[i + 3] = static_cast<std::uint8_t>(alpha);
  }
  return bitmap;
}

Picture JoinSideBySide(const std::vector<Picture>& pictures) {
  Picture joined;
  for (const Picture& picture : pictures) {
    joined.width += picture.width;
    joined.height = std::max(joined.height, picture.height);
  }
  joined.pixels.assign(static_cast<size_t>(joined.width) * joined.height * 4, 0);
  int left = 0;
  for (const Picture& picture : pictures) {
    const size_t rowBytes = static_cast<size_t>(picture.width) * 4;
    for (int y = 0; y < picture.height; ++y)
      std::memcpy(&joined.pixels[(static_cast<size_t>(y) * joined.width + left) * 4], &picture.pixels[y * rowBytes],
                  rowBytes);
    left += picture.width;
  }
  return joined;
}

Picture InOneColourFrom(const Picture& picture, int firstColumn, COLORREF colour) {
  Picture coloured = picture;
  for (int y = 0; y < picture.height; ++y)
    for (int x = std::max(firstColumn, 0); x < picture.width; ++x) {
      std::uint8_t* pixel = &coloured.pixels[(static_cast<size_t>(y) * picture.width + x) * 4];
      pixel[0] = GetBValue(colour);
      pixel[1] = GetGValue(colour);
      pixel[2] = GetRValue(colour);
    }
  return coloured;
}

ScopedBitmap CreateAlphaBitmap(const Picture& picture) {
  void* bits = nullptr;
  ScopedBitmap bitmap = CreateDib(picture.width, picture.height, &bits);
  if (bitmap) std::memcpy(bits, picture.pixels.data(), picture.pixels.size());
  return bitmap;
}

void DrawPicture(HDC dc, HBITMAP premultiplied, int x, int y, int width, int height) {
  ScopedMemoryDC source(dc);
  ScopedSelectObject select(source.Get(), premultiplied);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, x, y, width, height, source.Get(), 0, 0, width, height, blend);
}
