#include "tools/disk/AlertRules.h"

#include <tuple>

#include <gtest/gtest.h>

TEST(ThresholdKeys, TakeDigitsBackspaceAndOneSeparatorOfTheLocale) {
  EXPECT_EQ(FilterThresholdKey(L'7', L"10", L'.'), L'7');
  EXPECT_EQ(FilterThresholdKey(8, L"10.0", L'.'), 8);
  EXPECT_EQ(FilterThresholdKey(L'.', L"10", L'.'), L'.');
  EXPECT_EQ(FilterThresholdKey(L'.', L"10.0", L'.'), 0) << "a second separator";
  EXPECT_EQ(FilterThresholdKey(L'.', L"10", L','), 0) << "the other locale's separator";
  EXPECT_EQ(FilterThresholdKey(L',', L"10", L','), L',');
  EXPECT_EQ(FilterThresholdKey(L',', L"1,5", L','), 0);
  for (wchar_t key : {L'a', L'-', L'+', L' ', L'e', wchar_t(22) /*Ctrl+V*/, wchar_t(3) /*Ctrl+C*/})
    EXPECT_EQ(FilterThresholdKey(key, L"10", L'.'), 0) << static_cast<int>(key);
}

TEST(ThresholdText, ReadsTheLocalesNumbers) {
  EXPECT_EQ(*ParseThreshold(L"10.0", L'.'), 10.0L);
  EXPECT_EQ(*ParseThreshold(L"10,0", L','), 10.0L);
  EXPECT_EQ(*ParseThreshold(L",5", L','), 0.5L);
  EXPECT_EQ(*ParseThreshold(L"5.", L'.'), 5.0L);
  EXPECT_EQ(*ParseThreshold(L",", L','), 0.0L);
  EXPECT_EQ(*ParseThreshold(L"0", L'.'), 0.0L);
  EXPECT_EQ(*ParseThreshold(L" 2.5 ", L'.'), 2.5L);
  EXPECT_EQ(TrimmedThreshold(L" \t2.5 "), L"2.5");
  EXPECT_EQ(*ParseThreshold(L"1e3", L'.'), 1000.0L);
  EXPECT_EQ(*ParseThreshold(L"-1", L'.'), -1.0L);
}

TEST(ThresholdText, RefusesWhatIsNoNumber) {
  for (const wchar_t* text : {L"", L"abc", L"5.5", L"1,2,3", L"1e", L"e5", L"--1", L"10 GB", L"1.2.3"})
    EXPECT_FALSE(ParseThreshold(text, text == std::wstring(L"5.5") ? L',' : L'.')) << text;
  EXPECT_FALSE(ParseThreshold(L"5.5", L','));
}

TEST(Arming, FollowsTheThresholdAndDriveRules) {
  EXPECT_EQ(DecideArming(L"10.0", L"C:", L'.'), ArmingDecision::Arm);
  EXPECT_EQ(DecideArming(L"", L"C:", L'.'), ArmingDecision::UntickSilently);
  EXPECT_EQ(DecideArming(L".5", L"C:", L'.'), ArmingDecision::UntickSilently);
  EXPECT_EQ(DecideArming(L".5", L"C:", L','), ArmingDecision::UntickSilently) << "a full stop, whatever the locale";
  EXPECT_EQ(DecideArming(L",5", L"C:", L','), ArmingDecision::Arm);
  EXPECT_EQ(DecideArming(L",", L"C:", L','), ArmingDecision::Arm);
  EXPECT_EQ(DecideArming(L"5.", L"D:", L'.'), ArmingDecision::Arm);
  EXPECT_EQ(DecideArming(L"ten", L"C:", L'.'), ArmingDecision::RefuseNotANumber);
  EXPECT_EQ(DecideArming(L"10,0", L"C:", L'.'), ArmingDecision::RefuseNotANumber);
  EXPECT_EQ(DecideArming(L"10.0", L"", L'.'), ArmingDecision::RefuseNoDrive);
  // Pasted past the key filter: only a finite number from 0 to 2^64 bytes in gigabytes arms.
  for (const wchar_t* outOfRange : {L"1e99999", L"-1", L"17179869184.5", L"1e11"})
    EXPECT_EQ(DecideArming(outOfRange, L"C:", L'.'), ArmingDecision::RefuseNotANumber) << outOfRange;
  EXPECT_EQ(DecideArming(std::wstring(400, L'9').c_str(), L"C:", L'.'), ArmingDecision::RefuseNotANumber);
  for (const wchar_t* inRange : {L"0", L"-0", L"17179869184", L"99999999", L"0.001"})
    EXPECT_EQ(DecideArming(inRange, L"C:", L'.'), ArmingDecision::Arm) << inRange;
}

TEST(LowSpaceNotice, NamesTheLetterAndTheThresholdAsTyped) {
  EXPECT_EQ(LowSpaceNotice(L'C', L"10.0"), L"Your hard drive C has space less than 10.0 GB available!");
  EXPECT_EQ(LowSpaceNotice(L'D', L",5"), L"Your hard drive D has space less than ,5 GB available!");
}

TEST(LowSpaceRepeat, NoticesAtOnceThenEveryTenMinutesWhileBelow) {
  constexpr std::int64_t kMin = 60 * 1000;
  // (milliseconds on the steady clock, below, notice): a rise starts afresh.
  const std::tuple<std::int64_t, bool, bool> checks[] = {
      {0, false, false}, {6, true, true}, {6 + 9 * kMin, true, false}, {6 + 10 * kMin, true, true},
      {7 + 10 * kMin, false, false}, {8 + 10 * kMin, true, true}, {8 + 19 * kMin, true, false}};
  LowSpaceRepeat repeat;
  for (const auto& [at, below, notice] : checks) EXPECT_EQ(repeat.Check(at, below), notice) << at;
  repeat.Reset();
  EXPECT_TRUE(repeat.Check(9 + 19 * kMin, true)) << "arming starts afresh";
}

TEST(LowSpaceCheck, AThresholdWrittenOutAsTheFreeSpaceIsNotBelowIt) {
  // 12345678901 bytes are 11.497809459455311298370361328125 GiB exactly (a power of two below 1).
  const long double free = 12345678901.0L / 1024 / 1024 / 1024;
  const auto threshold = ParseThreshold(L"11.497809459455311298370361328125", L'.');
  ASSERT_TRUE(threshold);
  EXPECT_EQ(*threshold, free);
  EXPECT_FALSE(IsBelowThreshold(free, *threshold));
  EXPECT_TRUE(IsBelowThreshold(free, *ParseThreshold(L"11.4978094594553114", L'.'))) << "a hair above";
  EXPECT_FALSE(IsBelowThreshold(free, *ParseThreshold(L"11.4978094594553112", L'.'))) << "a hair below";
}

TEST(LowSpaceCheck, WarnsOnlyBelowTheThresholdAndOnAFailedQuery) {
  EXPECT_TRUE(IsBelowThreshold(9.99L, 10.0L));
  EXPECT_FALSE(IsBelowThreshold(10.0L, 10.0L)) << "equal is enough";
  EXPECT_FALSE(IsBelowThreshold(12.0L, 10.0L));
  EXPECT_TRUE(IsBelowThreshold(-1.0L / 1024 / 1024 / 1024, 0.0L)) << "a failed query counts as -1 byte";
  EXPECT_FALSE(IsBelowThreshold(0.5L, 0.0L));
}
