// The smallest Win32 program with a visible top-level window: the baseline that bench/startup.sh
// compares quoxel.exe with, so that Wine's own start-up cost and memory are measured apart.
#include "baseline_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return baseline::RunWindow(instance, showCommand, L"BareWindow", L"Bare Window", nullptr);
}
