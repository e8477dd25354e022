#pragma once
// The COM error raised by callers that turn a failed status into an exception.
#include <objbase.h>

#include <string>

class _com_error {
 public:
  explicit _com_error(HRESULT hr) : hr_(hr) {}
  HRESULT Error() const { return hr_; }
  // A readable description of the status, e.g. "Class not registered".
  const char* ErrorMessage() const;

 private:
  HRESULT hr_;
  mutable std::string message_;
};

// Throws _com_error(hr).
[[noreturn]] void WINAPI _com_issue_error(HRESULT hr);
