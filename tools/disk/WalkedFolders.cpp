#include "tools/disk/WalkedFolders.h"

void WalkedFolders::Clear() {
  linkMet_ = false;
  unidentified_.clear();
  identified_.clear();
}

bool WalkedFolders::Enter(const std::wstring& folder, bool throughLink) {
  if (!linkMet_ && !throughLink) {
    unidentified_.push_back(folder);
    return true;
  }
  if (!linkMet_) {
    linkMet_ = true;
    for (const std::wstring& walked : unidentified_)
      if (const auto identity = IdentifyFolder(walked)) identified_.insert(*identity);
    unidentified_.clear();
  }
  const auto identity = IdentifyFolder(folder);
  return !identity || identified_.insert(*identity).second;
}
