#include "platform/MciPlayer.h"

#include "platform/SystemLibrary.h"
#include "utilities/ErrorText.h"

namespace {

// The multimedia library is loaded when the alarm first needs it, not with the program.
MCIERROR SendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
  using Function = MCIERROR(WINAPI*)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
  static const Function function = SystemFunction<Function>(L"winmm.dll", "mciSendCommandW");
  if (!function) throw AppError(L"The multimedia library of the system cannot be loaded");
  return function(device, message, flags, parameters);
}

std::wstring MciErrorText(MCIERROR error) {
  using Function = BOOL(WINAPI*)(MCIERROR, LPWSTR, UINT);
  static const Function function = SystemFunction<Function>(L"winmm.dll", "mciGetErrorStringW");
  wchar_t text[MAXERRORLENGTH] = {};
  if (function && function(error, text, MAXERRORLENGTH) && text[0]) return text;
  return L"Unknown error code";
}

// False also where the code page cannot tell (UTF-8 as the ANSI code page): the short name is tried then.
bool FitsAnsiCodePage(const std::wstring& text) {
  BOOL usedDefault = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &usedDefault);
  return length > 0 && !usedDefault;
}

// The wave-audio device reads the file by its ANSI name and cannot find one with other characters
// (a Cyrillic name, an emoji); the short 8.3 name reaches the same file in plain letters. Without a
// short name the long one is tried as it is (a volume that keeps no short names gives it back).
std::wstring NameMciCanOpen(const std::wstring& path) {
  if (FitsAnsiCodePage(path)) return path;
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return path;
  std::wstring shortPath(size, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size) return path;
  shortPath.resize(length);
  return shortPath;
}

}  // namespace

void MciPlayer::Open(const std::wstring& path) {
  Close();
  const std::wstring name = NameMciCanOpen(path);
  MCI_OPEN_PARMSW open{};
  open.lpstrElementName = name.c_str();
  const MCIERROR error = SendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open));
  if (error) throw AppError(MciErrorText(error));
  device_ = open.wDeviceID;
}

void MciPlayer::RequireOpen() const {
  if (!IsOpen()) throw AppError(L"No MCI device open");
}

DWORD MciPlayer::Status(DWORD item) const {
  MCI_STATUS_PARMS status{};
  status.dwItem = item;
  SendCommand(device_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status));
  return static_cast<DWORD>(status.dwReturn);
}

bool MciPlayer::Play(HWND notifyWindow) {
  RequireOpen();
  if (Status(MCI_STATUS_POSITION) == Status(MCI_STATUS_LENGTH)) {
    MCI_SEEK_PARMS seek{};  // the device refuses a seek without its block
    SendCommand(device_, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&seek));
  }
  MCI_PLAY_PARMS play{};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow);
  return SendCommand(device_, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) == 0;
}

void MciPlayer::Stop() {
  RequireOpen();
  SendCommand(device_, MCI_STOP, MCI_WAIT, 0);
}

void MciPlayer::Close() {
  if (!IsOpen()) return;
  SendCommand(device_, MCI_CLOSE, MCI_WAIT, 0);
  device_ = 0;
}
