#include "utilities/ErrorText.h"

#include <new>

AppError::AppError(std::wstring message) : std::runtime_error("application error"), message_(std::move(message)) {}

std::wstring ErrorBoxText(const std::wstring& message) {
  if (!message.empty() && message.back() > L'.') return message + L".";
  return message;
}

std::wstring WidenMessage(const char* message) {
  std::wstring wide;
  for (const char* p = message; p && *p; ++p) wide.push_back(static_cast<unsigned char>(*p));
  return wide;
}

std::wstring StandardExceptionText(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error)) return L"There is not enough memory to finish this.";
  return L"This could not be finished because of an unexpected error in the program.";
}

std::wstring CannotCreateFileMessage(const std::wstring& path, const std::wstring& reason) {
  return L"Cannot create file \"" + path + L"\". " + reason;
}

std::wstring CannotChangeListFileMessage(const std::wstring& path) {
  return L"Cannot change file \"" + path + L"\". Part of its text cannot be read, so it is left as it is";
}

std::wstring CannotOpenFileMessage(const std::wstring& path, const std::wstring& reason) {
  return L"Cannot open file \"" + path + L"\". " + reason;
}
