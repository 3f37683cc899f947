#include "utilities/ErrorText.h"

#include <gtest/gtest.h>

#include <new>

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersThatSortAfterIt) {
  EXPECT_EQ(ErrorBoxText(L"Disk full"), L"Disk full.");
  EXPECT_EQ(ErrorBoxText(L"Error 3"), L"Error 3.");
  EXPECT_EQ(ErrorBoxText(L"Reason:"), L"Reason:.");
  EXPECT_EQ(ErrorBoxText(L"Done."), L"Done.");
  EXPECT_EQ(ErrorBoxText(L"Stop!"), L"Stop!");
  EXPECT_EQ(ErrorBoxText(L"(see above)"), L"(see above)");
  EXPECT_EQ(ErrorBoxText(L"a, b,"), L"a, b,");
  EXPECT_EQ(ErrorBoxText(L"ends with a line\r\n"), L"ends with a line\r\n");
  EXPECT_EQ(ErrorBoxText(L""), L"");
  EXPECT_EQ(ErrorBoxText(L"Fichier \u00e9"), L"Fichier \u00e9.");
}

TEST(ErrorBoxText, FileLayerMessagesQuoteTheFullPath) {
  EXPECT_EQ(CannotCreateFileMessage(L"C:\\q\\\\Data\\wp.txt", L"The system cannot find the path specified."),
            L"Cannot create file \"C:\\q\\\\Data\\wp.txt\". The system cannot find the path specified.");
  EXPECT_EQ(ErrorBoxText(CannotOpenFileMessage(L"x.txt", L"Access is denied")),
            L"Cannot open file \"x.txt\". Access is denied.");
}

TEST(ErrorBoxText, WidensLibraryMessagesByteForByte) {
  EXPECT_EQ(WidenMessage("bad \xe9"), L"bad \u00e9");
  EXPECT_EQ(WidenMessage(nullptr), L"");
}

TEST(StandardExceptionText, NeverShowsTheLibrarysOwnText) {
  const std::wstring memory = L"There is not enough memory to finish this.";
  const std::wstring general = L"This could not be finished because of an unexpected error in the program.";
  EXPECT_EQ(StandardExceptionText(std::bad_alloc()), memory);
  EXPECT_EQ(StandardExceptionText(std::bad_array_new_length()), memory);
  EXPECT_EQ(StandardExceptionText(std::length_error("vector::_M_default_append")), general);
  EXPECT_EQ(StandardExceptionText(std::runtime_error("std::bad_alloc")), general);
}
