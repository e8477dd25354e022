#include "frame/ole_text.h"

#include <windows.h>

#include <vector>

OleText::OleText(const std::string& ansi) {
  const int size = static_cast<int>(ansi.size());
  const int length = size > 0 ? MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0) : 0;
  if (length < 0 || (size > 0 && length == 0)) return;
  std::vector<WCHAR> wide(static_cast<std::size_t>(length) + 1);
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
  m_text = SysAllocStringLen(wide.data(), static_cast<UINT>(length));
}
