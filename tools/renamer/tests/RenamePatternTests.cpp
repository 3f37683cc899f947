#include "tools/renamer/RenamePattern.h"

#include <gtest/gtest.h>

namespace {

std::wstring ProblemOf(const std::wstring& pattern) {
  return PatternProblem(pattern, [](const std::wstring& folder) { return folder == L"C:\\pics\\"; }).value_or(L"none");
}

}  // namespace

TEST(RenamePattern, ChecksComeInTheirOrderWithTheirMessages) {
  struct Case {
    const wchar_t *pattern, *problem;
  };
  for (const Case& c : {
           Case{L"C:\\pics\\holiday*", L"Please enter an extension for the file(s) (for example \".jpg\")"},
           Case{L"C:\\pics.old\\holiday*", L"Please enter an extension for the file(s) (for example \".jpg\")"},
           Case{L"holiday*.jpg", L"You did not give a folder in the filename!"},
           Case{L"C:\\nothere\\a*b*.jpg", L"The Directory \"C:\\nothere\\\" does not exist!"},
           Case{L"C:\\pics\\a*b*.jpg", L"Use only one asterisk (*)!"},
           Case{L"C:\\pics\\holiday.jpg", L"Use asterisk (*) to indicate index-number!"},
           Case{L"C:\\pics\\holiday*.jpg", L"none"},
       })
    EXPECT_EQ(ProblemOf(c.pattern), c.problem) << c.pattern;
}

TEST(RenamePattern, TheNumberTakesTheAsteriskWithoutPadding) {
  EXPECT_EQ(NumberedPath(L"C:\\p\\x*.jpg", 1), L"C:\\p\\x1.jpg");
  EXPECT_EQ(NumberedPath(L"C:\\p\\x*.jpg", 10), L"C:\\p\\x10.jpg");
}
