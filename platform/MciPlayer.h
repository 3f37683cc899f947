#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <string>

// A hidden media player over MCI: one file open at a time on the device the system picks from the
// file. Open and stop wait for the device; play returns at once and goes on in the background.
class MciPlayer {
 public:
  MciPlayer() = default;
  ~MciPlayer() { Close(); }
  MciPlayer(const MciPlayer&) = delete;
  MciPlayer& operator=(const MciPlayer&) = delete;

  // Closes the device open before, if any, and opens the file (by its short name when the long one has
  // characters outside the ANSI code page); an AppError with the device's text when it cannot, and
  // then no device is open.
  void Open(const std::wstring& path);
  // From the start when it stands at the end; the device reports its end to the window. False when
  // the device refuses; an AppError when no device is open.
  bool Play(HWND notifyWindow);
  // An AppError when no device is open.
  void Stop();
  void Close();
  bool IsOpen() const { return device_ != 0; }
  MCIDEVICEID Device() const { return device_; }

 private:
  void RequireOpen() const;
  DWORD Status(DWORD item) const;

  MCIDEVICEID device_ = 0;
};
