#pragma once
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

// A download of one web address into memory on a thread of its own, so that the window goes on
// answering while it runs. It succeeds only for a whole file: a 2xx answer with a Content-Length that
// arrived in full (a body whose end cannot be checked, such as a chunked one, is refused; the request
// is made in HTTP/1.0 so that a well-behaved server sends none), within the size limit, at the least
// pace of the limits, and nothing of it is written to the URL cache.
class BackgroundDownload {
 public:
  enum class State { Running, Succeeded, Failed };

  explicit BackgroundDownload(std::wstring address);
  // A download still running is abandoned: its thread ends by itself and its result is dropped.
  ~BackgroundDownload();
  BackgroundDownload(const BackgroundDownload&) = delete;
  BackgroundDownload& operator=(const BackgroundDownload&) = delete;

  // Where the download stands; an interval of the limits that brought too little turns it into a failure.
  State Poll();
  const std::wstring& Address() const { return address_; }
  // The file's bytes, once it has succeeded.
  const std::string& Body() const;
  // Once it has failed: which check failed, as a sentence ("The server answered with status 404.").
  std::wstring FailureReason() const;

  struct Shared;

 private:
  std::wstring address_;
  std::shared_ptr<Shared> shared_;
  State state_ = State::Running;
  DWORD intervalStart_ = GetTickCount();
  std::size_t receivedBefore_ = 0;  // bytes of the body that had arrived as the interval began
  std::wstring tooSlow_;            // the reason, when the window gave up waiting for data
};

// The limits every download keeps: more than maxBytes, or less than leastBytesPerInterval of the
// body in any intervalMilliseconds (counted from the request, before the file is whole), fails it.
struct DownloadLimits {
  DWORD intervalMilliseconds = 30000;
  std::size_t maxBytes = 4 * 1024 * 1024;
  std::size_t leastBytesPerInterval = 16 * 1024;
};
// Tests shorten the limits; the default brings the real ones back.
void SetDownloadLimits(DownloadLimits limits = DownloadLimits());
