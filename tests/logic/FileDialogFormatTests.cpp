#include "platform/FileDialogFormat.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(DialogFilterList, TurnsBarsIntoNulsAndEndsTheList) {
  EXPECT_EQ(DialogFilterList(L"Pictures|*.bmp;*.jpg;*.jpeg"), L"Pictures\0*.bmp;*.jpg;*.jpeg\0\0"s);
  EXPECT_EQ(DialogFilterList(L"Text File (*.txt)|*.txt"), L"Text File (*.txt)\0*.txt\0\0"s);
  EXPECT_EQ(DialogFilterList(L""), L"");
}

TEST(DialogDefaultExtension, DropsOneLeadingDot) {
  EXPECT_EQ(DialogDefaultExtension(L".txt"), L"txt");
  EXPECT_EQ(DialogDefaultExtension(L".*"), L"*");
  EXPECT_EQ(DialogDefaultExtension(L""), L"");
}

TEST(ChosenFiles, ReadsOneFileOrAFolderWithNamesInDialogOrder) {
  EXPECT_EQ(ChosenFiles(L"C:\\pics\\a.jpg\0\0"s), (std::vector<std::wstring>{L"C:\\pics\\a.jpg"}));
  EXPECT_EQ(ChosenFiles(L"C:\\pics\0b.jpg\0a.bmp\0\0"s),
            (std::vector<std::wstring>{L"C:\\pics\\b.jpg", L"C:\\pics\\a.bmp"}));
  EXPECT_EQ(ChosenFiles(L"C:\\\0x.txt\0\0"s), (std::vector<std::wstring>{L"C:\\x.txt"}));
  EXPECT_TRUE(ChosenFiles(L"\0\0"s).empty());
  EXPECT_TRUE(ChosenFiles(L"").empty());
}
