#include "utilities/FileNames.h"

#include <gtest/gtest.h>

TEST(FileNames, FolderAndExtensionEndAtTheLastSeparatorOrColon) {
  struct Case {
    const wchar_t *path, *folder, *extension, *asBitmap;
  };
  for (const Case& c : {Case{L"C:\\pics\\beach.jpg", L"C:\\pics\\", L".jpg", L"C:\\pics\\beach.bmp"},
                        Case{L"C:\\pics.old\\holiday*", L"C:\\pics.old\\", L"", L"C:\\pics.old\\holiday*.bmp"},
                        Case{L"C:a.b.JPEG", L"C:", L".JPEG", L"C:a.b.bmp"},
                        Case{L"holiday*.jpg", L"", L".jpg", L"holiday*.bmp"}}) {
    EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(FileExtension(c.path), c.extension) << c.path;
    EXPECT_EQ(ChangeFileExtension(c.path, L".bmp"), c.asBitmap) << c.path;
  }
}
