#include "platform/HttpDownload.h"

#include <wininet.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/SystemLibrary.h"
#include "utilities/WebAddress.h"

namespace {

DownloadLimits g_limits;

// Redirects are followed here, not by the URL layer: Wine's follows one to the same host and port by
// changing only the path, so that an http answer pointing to https is fetched over plain http.
constexpr DWORD kRequestFlags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE |
                                INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTO_REDIRECT;
constexpr int kMostRedirects = 5;

// The URL library, loaded with the first download.
struct WinInet {
  decltype(&InternetOpenW) open = SystemFunction<decltype(&InternetOpenW)>(L"wininet.dll", "InternetOpenW");
  decltype(&InternetOpenUrlW) openUrl = SystemFunction<decltype(&InternetOpenUrlW)>(L"wininet.dll", "InternetOpenUrlW");
  decltype(&InternetReadFile) read = SystemFunction<decltype(&InternetReadFile)>(L"wininet.dll", "InternetReadFile");
  decltype(&HttpQueryInfoW) queryInfo = SystemFunction<decltype(&HttpQueryInfoW)>(L"wininet.dll", "HttpQueryInfoW");
  decltype(&InternetCombineUrlW) combineUrl =
      SystemFunction<decltype(&InternetCombineUrlW)>(L"wininet.dll", "InternetCombineUrlW");
  decltype(&InternetCloseHandle) close =
      SystemFunction<decltype(&InternetCloseHandle)>(L"wininet.dll", "InternetCloseHandle");

  bool Loaded() const { return open && openUrl && read && queryInfo && combineUrl && close; }
};

const WinInet& Inet() {
  static const WinInet functions;
  return functions;
}

struct InternetHandle {
  HINTERNET handle;
  explicit InternetHandle(HINTERNET h) : handle(h) {}
  ~InternetHandle() {
    if (handle) Inet().close(handle);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
};

bool QueryNumber(HINTERNET request, DWORD what, DWORD& value) {
  DWORD size = sizeof value;
  return Inet().queryInfo(request, what | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr);
}

bool IsRedirect(DWORD status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The address a redirect leads to, resolved against the address that answered with it; empty when
// there is none or it is not a web address.
std::wstring RedirectTarget(HINTERNET request, const std::wstring& from) {
  wchar_t location[2048] = {}, target[2048] = {};
  DWORD size = sizeof location, length = 2048;
  if (!Inet().queryInfo(request, HTTP_QUERY_LOCATION, location, &size, nullptr)) return std::wstring();
  if (!Inet().combineUrl(from.c_str(), location, target, &length, ICU_NO_ENCODE)) return std::wstring();
  return IsWebAddress(target) ? std::wstring(target) : std::wstring();
}

}  // namespace

struct BackgroundDownload::Shared {
  const DownloadLimits limits = g_limits;
  std::atomic<DWORD> lastData{GetTickCount()};
  std::atomic<bool> abandoned{false};
  std::mutex mutex;
  bool finished = false;  // under the mutex, with the two below
  bool succeeded = false;
  std::string body;

  void Finish(bool ok, std::string bytes) {
    std::lock_guard<std::mutex> lock(mutex);
    finished = true;
    succeeded = ok;
    body = std::move(bytes);
  }
};

namespace {

// The body of a 2xx answer, whole and within the size limit.
bool ReadBody(HINTERNET request, DWORD status, BackgroundDownload::Shared& shared, std::string& body) {
  DWORD announced = 0;
  if (status < 200 || status >= 300) return false;
  if (!QueryNumber(request, HTTP_QUERY_CONTENT_LENGTH, announced)) return false;  // no end to check
  if (announced > shared.limits.maxBytes) return false;
  char buffer[16384];
  for (;;) {
    if (shared.abandoned) return false;
    DWORD read = 0;
    if (!Inet().read(request, buffer, sizeof buffer, &read)) return false;
    if (read == 0) break;
    shared.lastData = GetTickCount();
    body.append(buffer, read);
    if (body.size() > shared.limits.maxBytes) return false;
  }
  return body.size() == announced;
}

// Fetches the address, following redirects, and reports the outcome before any handle is closed: the
// URL layer may read the rest of a refused answer as it closes, and nobody should wait for that.
void Fetch(const std::wstring& address, BackgroundDownload::Shared& shared) {
  if (!Inet().Loaded()) return shared.Finish(false, {});
  InternetHandle session(Inet().open(L"Quoxel", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.handle) return shared.Finish(false, {});
  std::wstring url = address;
  for (int redirects = 0;; ++redirects) {
    InternetHandle request(Inet().openUrl(session.handle, url.c_str(), nullptr, 0, kRequestFlags, 0));
    DWORD status = 0;
    if (!request.handle || !QueryNumber(request.handle, HTTP_QUERY_STATUS_CODE, status))
      return shared.Finish(false, {});
    if (!IsRedirect(status)) {
      std::string body;
      const bool whole = ReadBody(request.handle, status, shared, body);
      return shared.Finish(whole, std::move(body));
    }
    url = RedirectTarget(request.handle, url);
    if (url.empty() || redirects == kMostRedirects || shared.abandoned) return shared.Finish(false, {});
  }
}

}  // namespace

void SetDownloadLimits(DownloadLimits limits) { g_limits = limits; }

BackgroundDownload::BackgroundDownload(std::wstring address)
    : address_(std::move(address)), shared_(std::make_shared<Shared>()) {
  std::thread([shared = shared_, address = address_] { Fetch(address, *shared); }).detach();
}

BackgroundDownload::~BackgroundDownload() { shared_->abandoned = true; }

BackgroundDownload::State BackgroundDownload::Poll() {
  if (state_ != State::Running) return state_;
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->finished) return state_ = shared_->succeeded ? State::Succeeded : State::Failed;
  }
  if (GetTickCount() - shared_->lastData > shared_->limits.stallMilliseconds) {
    shared_->abandoned = true;
    state_ = State::Failed;
  }
  return state_;
}

const std::string& BackgroundDownload::Body() const { return shared_->body; }
