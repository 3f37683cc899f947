#include "utilities/StartupCommand.h"

#include <gtest/gtest.h>

TEST(StartupCommand, TheStoredCommandStartsThisProgramInTheTrayOnlyWithItsPathAndTray) {
  const std::wstring program = L"C:\\Program Files\\Quoxel\\quoxel.exe";
  EXPECT_EQ(StartupCommandLine(program), L"\"C:\\Program Files\\Quoxel\\quoxel.exe\" /tray");
  const std::pair<std::wstring, bool> cases[] = {
      {StartupCommandLine(program), true},
      {L"\"c:\\program files\\QUOXEL\\Quoxel.EXE\" /TRAY ", true},
      {L"C:\\Program Files\\Quoxel\\quoxel.exe /tray", true},
      {L"\"C:\\Other\\quoxel.exe\" /tray", false},
      {L"\"C:\\Program Files\\Quoxel\\quoxel.exe\"", false},
      {L"C:\\Program Files\\Quoxel\\quoxel.exe2 /tray", false},
      {L"\"C:\\Program Files\\Quoxel\\quoxel.exe /tray", false},
      {L"", false}};
  for (const auto& [stored, starts] : cases) EXPECT_EQ(StartsProgramInTray(stored, program), starts) << stored;
  EXPECT_TRUE(IsTrayArgument(L"/Tray"));
  EXPECT_FALSE(IsTrayArgument(L"-tray"));
}
