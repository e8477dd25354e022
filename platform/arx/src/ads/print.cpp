// Text on the editor's command line.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "adslib.h"
#include "ui/driver.h"

int acutPrintf(const char* format, ...) {
  if (format == nullptr) return RTERROR;
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length < 0) {
    va_end(args);
    return RTERROR;
  }
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, args);
  va_end(args);
  text.resize(static_cast<std::size_t>(length));
  ui::driver().commandLine(text);
  return RTNORM;
}
