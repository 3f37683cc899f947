#pragma once
#include <stdexcept>
#include <string>

// An error a handler raises and does not catch itself; the window shows it in the error box and
// goes on with the next event.
class AppError : public std::runtime_error {
 public:
  explicit AppError(std::wstring message);
  const std::wstring& Message() const { return message_; }

 private:
  std::wstring message_;
};

// The error box's text: the message with a full stop appended when its last character sorts after ".".
std::wstring ErrorBoxText(const std::wstring& message);

// Wide text of a narrow library message, taken as Latin-1.
std::wstring WidenMessage(const char* message);

// The error box's sentence for a standard exception that no handler caught: the C++ library's own
// text ("std::bad_alloc", "vector::_M_default_append") means nothing to the person using the program.
std::wstring StandardExceptionText(const std::exception& error);

// "Cannot create file "path". reason" and "Cannot open file "path". reason"
std::wstring CannotCreateFileMessage(const std::wstring& path, const std::wstring& reason);
std::wstring CannotOpenFileMessage(const std::wstring& path, const std::wstring& reason);
// A list file that was read with loss is never written again: "Cannot change file "path". ..."
std::wstring CannotChangeListFileMessage(const std::wstring& path);
