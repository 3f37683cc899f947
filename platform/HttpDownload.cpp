#include "platform/HttpDownload.h"

#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/SystemLibrary.h"
#include "utilities/AsciiCase.h"
#include "utilities/WebAddress.h"

namespace {

DownloadLimits g_limits;

// Redirects are followed here, not by the URL layer: Wine's follows one to the same host and port by
// changing only the path, so that an http answer pointing to https is fetched over plain http.
constexpr DWORD kRequestFlags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE |
                                INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTO_REDIRECT;
constexpr int kMostRedirects = 5;
// Requests are made in HTTP/1.0, to which a server may not answer in chunks (a server compressing on
// the fly, for one, then sends the file whole, with its length): the URL library reads a chunked body
// cut off between chunks, or inside one, as if it had ended, so such a body cannot be checked.
constexpr wchar_t kHttpVersion[] = L"HTTP/1.0";

// The URL library, loaded with the first download.
struct WinInet {
  decltype(&InternetOpenW) open = SystemFunction<decltype(&InternetOpenW)>(L"wininet.dll", "InternetOpenW");
  decltype(&InternetCrackUrlW) crackUrl =
      SystemFunction<decltype(&InternetCrackUrlW)>(L"wininet.dll", "InternetCrackUrlW");
  decltype(&InternetConnectW) connect = SystemFunction<decltype(&InternetConnectW)>(L"wininet.dll", "InternetConnectW");
  decltype(&HttpOpenRequestW) openRequest =
      SystemFunction<decltype(&HttpOpenRequestW)>(L"wininet.dll", "HttpOpenRequestW");
  decltype(&HttpSendRequestW) sendRequest =
      SystemFunction<decltype(&HttpSendRequestW)>(L"wininet.dll", "HttpSendRequestW");
  decltype(&InternetQueryDataAvailable) available =
      SystemFunction<decltype(&InternetQueryDataAvailable)>(L"wininet.dll", "InternetQueryDataAvailable");
  decltype(&InternetReadFile) read = SystemFunction<decltype(&InternetReadFile)>(L"wininet.dll", "InternetReadFile");
  decltype(&HttpQueryInfoW) queryInfo = SystemFunction<decltype(&HttpQueryInfoW)>(L"wininet.dll", "HttpQueryInfoW");
  decltype(&InternetCombineUrlW) combineUrl =
      SystemFunction<decltype(&InternetCombineUrlW)>(L"wininet.dll", "InternetCombineUrlW");
  decltype(&InternetCloseHandle) close =
      SystemFunction<decltype(&InternetCloseHandle)>(L"wininet.dll", "InternetCloseHandle");

  bool Loaded() const {
    return open && crackUrl && connect && openRequest && sendRequest && available && read && queryInfo && combineUrl &&
           close;
  }
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
  std::atomic<std::size_t> received{0};  // bytes of the body so far
  std::atomic<bool> abandoned{false};
  std::mutex mutex;
  bool finished = false;  // under the mutex, with the three below
  bool succeeded = false;
  std::string body;
  std::wstring failure;

  void Succeed(std::string bytes) {
    std::lock_guard<std::mutex> lock(mutex);
    finished = succeeded = true;
    body = std::move(bytes);
  }
  void Fail(std::wstring why) {
    std::lock_guard<std::mutex> lock(mutex);
    finished = true;
    failure = std::move(why);
  }
};

namespace {

// "4 MiB", "64 KiB" or "100 bytes": the size limit as a person reads it.
std::wstring SizeText(std::size_t bytes) {
  if (bytes % (1024 * 1024) == 0) return std::to_wstring(bytes / (1024 * 1024)) + L" MiB";
  if (bytes % 1024 == 0) return std::to_wstring(bytes / 1024) + L" KiB";
  return std::to_wstring(bytes) + L" bytes";
}

std::wstring DurationText(DWORD milliseconds) {
  if (milliseconds % 1000 == 0) return std::to_wstring(milliseconds / 1000) + L" seconds";
  return std::to_wstring(milliseconds) + L" ms";
}

std::wstring TooSlowReason(std::size_t arrived, DWORD milliseconds) {
  if (arrived == 0) return L"The server sent no data for " + DurationText(milliseconds) + L".";
  return L"The download was too slow: " + std::to_wstring(arrived) + (arrived == 1 ? L" byte" : L" bytes") + L" in " +
         DurationText(milliseconds) + L".";
}

enum class HeaderQuery { Found, Absent, Failed };

// The index-th of the headers of that name, however long: the buffer grows to what the query asks.
HeaderQuery QueryHeader(HINTERNET request, DWORD what, DWORD index, std::wstring& value) {
  std::vector<wchar_t> buffer(64);
  for (;;) {
    DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t)), at = index;
    if (Inet().queryInfo(request, what, buffer.data(), &size, &at)) {
      value.assign(buffer.data(), std::min<std::size_t>(size / sizeof(wchar_t), buffer.size()));
      return HeaderQuery::Found;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_HTTP_HEADER_NOT_FOUND) return HeaderQuery::Absent;
    if (error != ERROR_INSUFFICIENT_BUFFER || size / sizeof(wchar_t) < buffer.size()) return HeaderQuery::Failed;
    buffer.resize(size / sizeof(wchar_t) + 1);
  }
}

// Why the body's coding is refused; empty when every Transfer-Encoding header says identity. Wine's URL
// library heeds only the first such header, and reads the body by its length unless that one says
// exactly "chunked": any other coding would land in the file as it came.
std::wstring RefusedTransferCoding(HINTERNET request) {
  std::wstring coding;
  for (DWORD index = 0;; ++index) {
    switch (QueryHeader(request, HTTP_QUERY_TRANSFER_ENCODING, index, coding)) {
      case HeaderQuery::Absent:
        return std::wstring();
      case HeaderQuery::Failed:
        return L"The server's Transfer-Encoding header could not be read.";
      case HeaderQuery::Found:
        coding = AsciiLowerCase(coding);
        if (coding == L"identity") continue;
        if (coding.find(L"chunked") != std::wstring::npos)
          return L"The server sent the file in chunks, whose end cannot be checked.";
        return L"The server sent the file in a transfer coding other than identity, which cannot be checked.";
    }
  }
}

// Reads the body of a 2xx answer, whole and within the size limit; the reason it is not, otherwise.
std::wstring ReadBody(HINTERNET request, DWORD status, BackgroundDownload::Shared& shared, std::string& body) {
  if (status < 200 || status >= 300) return L"The server answered with status " + std::to_wstring(status) + L".";
  if (const std::wstring refused = RefusedTransferCoding(request); !refused.empty()) return refused;
  DWORD announced = 0;
  if (!QueryNumber(request, HTTP_QUERY_CONTENT_LENGTH, announced))
    return L"The server did not give the file's length, so its end cannot be checked.";
  const std::wstring tooLarge = L"The file is larger than " + SizeText(shared.limits.maxBytes) + L".";
  if (announced > shared.limits.maxBytes) return tooLarge;
  // Only what has arrived is read, so that the pace is counted as the bytes come: a read waits until
  // its whole buffer is filled.
  char buffer[16384];
  for (;;) {
    if (shared.abandoned) return L"The download was stopped.";
    DWORD available = 0, read = 0;
    if (!Inet().available(request, &available, 0, 0)) return L"The connection broke off.";
    if (available == 0) break;
    if (!Inet().read(request, buffer, std::min<DWORD>(available, sizeof buffer), &read))
      return L"The connection broke off.";
    if (read == 0) break;
    shared.received += read;
    body.append(buffer, read);
    if (body.size() > shared.limits.maxBytes) return tooLarge;
  }
  if (body.size() != announced) return L"The connection closed before the whole file arrived.";
  return std::wstring();
}

// Sends a GET for the address in HTTP/1.0 (see kHttpVersion); the request, or null.
HINTERNET SendRequest(HINTERNET session, const std::wstring& url, std::unique_ptr<InternetHandle>& connection) {
  wchar_t host[256] = {}, path[2048] = {}, extra[2048] = {};
  URL_COMPONENTSW parts = {};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = 256;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = 2048;
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = 2048;
  if (!Inet().crackUrl(url.c_str(), 0, 0, &parts)) return nullptr;
  connection = std::make_unique<InternetHandle>(
      Inet().connect(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection->handle) return nullptr;
  const std::wstring object = std::wstring(path) + extra;
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0;
  HINTERNET request = Inet().openRequest(connection->handle, L"GET", object.empty() ? L"/" : object.c_str(),
                                         kHttpVersion, nullptr, nullptr, kRequestFlags | secure, 0);
  if (request && !Inet().sendRequest(request, nullptr, 0, nullptr, 0)) {
    Inet().close(request);
    return nullptr;
  }
  return request;
}

// Fetches the address, following redirects, and reports the outcome before any handle is closed: the
// URL layer may read the rest of a refused answer as it closes, and nobody should wait for that.
void Fetch(const std::wstring& address, BackgroundDownload::Shared& shared) {
  if (!Inet().Loaded()) return shared.Fail(L"The system's Internet library could not be loaded.");
  InternetHandle session(Inet().open(L"Quoxel", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.handle) return shared.Fail(L"The system's Internet library could not be started.");
  std::wstring url = address;
  for (int redirects = 0;; ++redirects) {
    std::unique_ptr<InternetHandle> connection;
    InternetHandle request(SendRequest(session.handle, url, connection));
    DWORD status = 0;
    if (!request.handle || !QueryNumber(request.handle, HTTP_QUERY_STATUS_CODE, status))
      return shared.Fail(L"The server could not be reached, or gave no answer.");
    if (!IsRedirect(status)) {
      std::string body;
      std::wstring failure = ReadBody(request.handle, status, shared, body);
      return failure.empty() ? shared.Succeed(std::move(body)) : shared.Fail(std::move(failure));
    }
    url = RedirectTarget(request.handle, url);
    if (url.empty()) return shared.Fail(L"The server redirected to an address that is not a web address.");
    if (redirects == kMostRedirects) return shared.Fail(L"The server redirected too many times.");
    if (shared.abandoned) return shared.Fail(L"The download was stopped.");
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
  const DWORD now = GetTickCount();
  if (now - intervalStart_ <= shared_->limits.intervalMilliseconds) return state_;
  const std::size_t arrived = shared_->received - receivedBefore_;
  if (arrived >= shared_->limits.leastBytesPerInterval) {
    intervalStart_ = now;
    receivedBefore_ += arrived;
    return state_;
  }
  shared_->abandoned = true;
  tooSlow_ = TooSlowReason(arrived, shared_->limits.intervalMilliseconds);
  return state_ = State::Failed;
}

const std::string& BackgroundDownload::Body() const { return shared_->body; }

std::wstring BackgroundDownload::FailureReason() const {
  if (!tooSlow_.empty()) return tooSlow_;
  std::lock_guard<std::mutex> lock(shared_->mutex);
  return shared_->failure;
}
