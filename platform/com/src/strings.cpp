// BSTR: a 32-bit byte count, the UTF-16 text, a null character; variants;
// UTF-8 copies of automation strings.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <oleauto.h>

#include "com/strings.h"

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  auto* block = static_cast<std::uint32_t*>(std::malloc(sizeof(std::uint32_t) + (length + 1) * sizeof(OLECHAR)));
  if (block == nullptr) return nullptr;
  *block = length * sizeof(OLECHAR);
  BSTR result = reinterpret_cast<BSTR>(block + 1);
  if (text) std::memcpy(result, text, length * sizeof(OLECHAR));
  else std::memset(result, 0, length * sizeof(OLECHAR));
  result[length] = 0;
  return result;
}

BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  UINT length = 0;
  while (text[length]) ++length;
  return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text) {
  if (text) std::free(reinterpret_cast<std::uint32_t*>(text) - 1);
}

UINT SysStringLen(BSTR text) {
  return text ? reinterpret_cast<std::uint32_t*>(text)[-1] / sizeof(OLECHAR) : 0;
}

void VariantInit(VARIANTARG* variant) {
  if (variant) variant->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANTARG* variant) {
  if (variant == nullptr) return E_INVALIDARG;
  if (variant->vt == VT_BSTR) SysFreeString(variant->bstrVal);
  if ((variant->vt == VT_UNKNOWN || variant->vt == VT_DISPATCH) && variant->punkVal) variant->punkVal->Release();
  variant->vt = VT_EMPTY;
  return S_OK;
}

namespace com {

std::string Utf8FromOle(const OLECHAR* text) {
  std::string out;
  for (; text && *text; ++text) {
    char32_t c = *text;
    if (c >= 0xD800 && c < 0xDC00 && text[1] >= 0xDC00 && text[1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (*++text - 0xDC00);
    else if (c >= 0xD800 && c < 0xE000) c = U'?';
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace com
