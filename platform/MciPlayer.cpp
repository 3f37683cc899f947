#include "platform/MciPlayer.h"

#include "utilities/ErrorText.h"

namespace {

std::wstring MciErrorText(MCIERROR error) {
  wchar_t text[MAXERRORLENGTH] = {};
  if (mciGetErrorStringW(error, text, MAXERRORLENGTH) && text[0]) return text;
  return L"Unknown error code";
}

}  // namespace

void MciPlayer::Open(const std::wstring& path) {
  Close();
  MCI_OPEN_PARMSW open{};
  open.lpstrElementName = path.c_str();
  const MCIERROR error =
      mciSendCommandW(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open));
  if (error) throw AppError(MciErrorText(error));
  device_ = open.wDeviceID;
}

void MciPlayer::RequireOpen() const {
  if (!IsOpen()) throw AppError(L"No MCI device open");
}

DWORD MciPlayer::Status(DWORD item) const {
  MCI_STATUS_PARMS status{};
  status.dwItem = item;
  mciSendCommandW(device_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status));
  return static_cast<DWORD>(status.dwReturn);
}

bool MciPlayer::Play(HWND notifyWindow) {
  RequireOpen();
  if (Status(MCI_STATUS_POSITION) == Status(MCI_STATUS_LENGTH))
    mciSendCommandW(device_, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, 0);
  MCI_PLAY_PARMS play{};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow);
  return mciSendCommandW(device_, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) == 0;
}

void MciPlayer::Stop() {
  RequireOpen();
  mciSendCommandW(device_, MCI_STOP, MCI_WAIT, 0);
}

void MciPlayer::Close() {
  if (!IsOpen()) return;
  mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT, 0);
  device_ = 0;
}
