#include "utilities/WebAddress.h"

#include <gtest/gtest.h>

TEST(IsWebAddress, AcceptsHttpAndHttpsInAnyLetterCase) {
  EXPECT_TRUE(IsWebAddress(L"https://quoxel.net"));
  EXPECT_TRUE(IsWebAddress(L"http://127.0.0.1:8080/qvr/soft.txt"));
  EXPECT_TRUE(IsWebAddress(L"HTTP://EXAMPLE.ORG/"));
  EXPECT_TRUE(IsWebAddress(L"hTTpS://x"));
}

TEST(IsWebAddress, RefusesEverythingTheShellWouldRunOrOpenLocally) {
  EXPECT_FALSE(IsWebAddress(L""));
  EXPECT_FALSE(IsWebAddress(L"file:///c:/x"));
  EXPECT_FALSE(IsWebAddress(L"C:\\Windows\\notepad.exe"));
  EXPECT_FALSE(IsWebAddress(L"\\\\server\\share"));
  EXPECT_FALSE(IsWebAddress(L"ms-msdt:x"));
  EXPECT_FALSE(IsWebAddress(L"javascript:x"));
  EXPECT_FALSE(IsWebAddress(L"www.quoxel.net"));
  EXPECT_FALSE(IsWebAddress(L" https://quoxel.net"));
  EXPECT_FALSE(IsWebAddress(L"https://"));
  EXPECT_FALSE(IsWebAddress(L"http:/x"));
  EXPECT_FALSE(IsWebAddress(L"httpx://x"));
}
