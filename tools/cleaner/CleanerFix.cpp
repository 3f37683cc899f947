#include "tools/cleaner/CleanerFix.h"

#include <utility>

#include "utilities/LargestFiles.h"

CleanerFix::CleanerFix(std::vector<CleanableFile> files, FixOne fixOne, const FolderThreadRunner& runThread)
    : files_(std::move(files)),
      fixOne_(std::move(fixOne)),
      thread_([this, runThread] { runThread([this] { Run(); }); }) {}

CleanerFix::~CleanerFix() {
  Stop();
  thread_.join();
}

FixProgress CleanerFix::Progress() const { return {done_, deleted_, inUse_, changed_}; }

void CleanerFix::Run() {
  for (const CleanableFile& file : files_) {
    if (stopping_) break;
    switch (fixOne_(file)) {
      case FixOutcome::Deleted:
        ++deleted_;
        break;
      case FixOutcome::InUse:
        inUse_ = true;
        break;
      case FixOutcome::Changed:
        changed_ = true;
        break;
      case FixOutcome::NotDeleted:
        break;
    }
    ++done_;
  }
  ended_ = true;
}

std::vector<std::wstring> FixReport(const FixProgress& progress) {
  std::vector<std::wstring> boxes = {std::to_wstring(progress.deleted) + L" files fixed."};
  std::wstring why;
  if (progress.inUse) why = L"Some of the files could not be fixed because they are in use by the operating system.";
  if (progress.changed) {
    if (!why.empty()) why += L'\n';
    why += L"Some of the files were not fixed because they changed since the search.";
  }
  if (!why.empty()) boxes.push_back(why);
  return boxes;
}

std::wstring DeleteQuestion(const std::vector<CleanableFile>& files, wchar_t decimalSeparator) {
  std::uint64_t total = 0;
  for (const CleanableFile& file : files) total += file.size;
  const std::wstring count = std::to_wstring(files.size()) + (files.size() == 1 ? L" file" : L" files");
  return L"Delete " + count + L" (" + FileSizeText(static_cast<std::int64_t>(total), decimalSeparator) +
         L")? Deleted files cannot be recovered.";
}

std::wstring FixingCaption(std::size_t done, std::size_t total) {
  return L"Deleting... " + std::to_wstring(done) + L" of " + std::to_wstring(total);
}
