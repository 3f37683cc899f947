#include "platform/Download.h"

#include <windows.h>
#include <urlmon.h>

#include "platform/Handles.h"
#include "utilities/ErrorText.h"

namespace {

using DownloadCall = HRESULT(WINAPI*)(IUnknown*, const wchar_t*, const wchar_t*, DWORD, IBindStatusCallback*);
using ComInitCall = HRESULT(WINAPI*)(void*, DWORD);

// Watches one download for what the result code does not tell: the HTTP status (a 404 page would
// otherwise be saved as the file) and whether the announced length arrived.
class DownloadWatch : public IBindStatusCallback, public IHttpNegotiate, public IServiceProvider {
 public:
  DWORD httpStatus = 0;
  ULONG received = 0;
  ULONG announced = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback))
      *object = static_cast<IBindStatusCallback*>(this);
    else if (IsEqualIID(iid, IID_IHttpNegotiate))
      *object = static_cast<IHttpNegotiate*>(this);
    else if (IsEqualIID(iid, IID_IServiceProvider))
      *object = static_cast<IServiceProvider*>(this);
    else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  // The object lives on the stack of the download; counting references is all it needs.
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) override {
    received = progress;
    announced = progressMax;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additionalHeaders) override {
    *additionalHeaders = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnResponse(DWORD status, LPCWSTR, LPCWSTR, LPWSTR* additionalHeaders) override {
    httpStatus = status;
    if (additionalHeaders) *additionalHeaders = nullptr;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE QueryService(REFGUID, REFIID iid, void** object) override {
    return QueryInterface(iid, object);
  }

 private:
  ULONG references_ = 1;
};

// Looked up once per run; the outcome holds for the rest of it.
DownloadCall UrlDownload() {
  static const DownloadCall call = [] {
    HMODULE urlmon = LoadLibraryW(L"urlmon.dll");
    if (!urlmon) return DownloadCall{};
    // The URL library works on COM objects of this thread.
    if (HMODULE ole32 = GetModuleHandleW(L"ole32.dll"))
      if (auto init = reinterpret_cast<ComInitCall>(reinterpret_cast<void*>(GetProcAddress(ole32, "CoInitializeEx"))))
        init(nullptr, COINIT_APARTMENTTHREADED);
    return reinterpret_cast<DownloadCall>(reinterpret_cast<void*>(GetProcAddress(urlmon, "URLDownloadToFileW")));
  }();
  return call;
}

std::uint64_t FileSizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

void DownloadToFile(const std::wstring& address, const std::wstring& path) {
  const DownloadCall download = UrlDownload();
  if (!download) throw AppError(L"Unable to load urlmon.dll");
  DownloadWatch watch;
  const HRESULT result = download(nullptr, address.c_str(), path.c_str(), 0, &watch);
  const bool statusOk = watch.httpStatus == 0 || (watch.httpStatus >= 200 && watch.httpStatus < 300);
  const bool complete = watch.announced == 0 || FileSizeOf(path) == watch.announced;
  if (result != S_OK || !statusOk || !complete) throw AppError(L"Error downloading URL: " + address);
}
