#include "platform/RunAtStartup.h"

#include <windows.h>

#include "platform/Handles.h"

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

RunValueReader g_runValueReader;
RunValueChanger g_runValueChanger;

// The Run key of the user, open for the access asked; null when it cannot be opened.
ScopedRegistryKey OpenRunKey(REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, access, &key) != ERROR_SUCCESS) return ScopedRegistryKey();
  return ScopedRegistryKey(key);
}

}  // namespace

void SetRunValueSeam(RunValueReader reader, RunValueChanger changer) {
  g_runValueReader = std::move(reader);
  g_runValueChanger = std::move(changer);
}

std::optional<std::wstring> ReadRunValue(const std::wstring& name) {
  if (g_runValueReader) return g_runValueReader(name);
  const ScopedRegistryKey key = OpenRunKey(KEY_QUERY_VALUE);
  DWORD type = 0, bytes = 0;
  if (!key.Get() || RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
      ERROR_SUCCESS)
    return std::nullopt;
  text.resize(bytes / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();  // stored with or without its NUL
  return text;
}

bool ChangeRunValue(const std::wstring& name, const std::optional<std::wstring>& command) {
  if (g_runValueChanger) return g_runValueChanger(name, command);
  const ScopedRegistryKey key = OpenRunKey(KEY_SET_VALUE);
  if (!key.Get()) return false;
  if (!command) {
    const LSTATUS status = RegDeleteValueW(key.Get(), name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
  const auto bytes = static_cast<DWORD>((command->size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command->c_str()), bytes) ==
         ERROR_SUCCESS;
}
