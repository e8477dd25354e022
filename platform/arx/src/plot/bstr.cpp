#include "bstr.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace arx::bstr {

std::string toUtf8(const OLECHAR* text) {
  std::string out;
  for (; text && *text; ++text) {
    char32_t c = *text;
    if (c >= 0xD800 && c < 0xDC00 && text[1] >= 0xDC00 && text[1] < 0xE000) c = 0x10000 + ((c - 0xD800) << 10) + (*++text - 0xDC00);
    else if (c >= 0xD800 && c < 0xE000) c = U'?';  // a lone surrogate
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

}  // namespace arx::bstr

#if !__has_include(<oleauto.h>)
// Without the COM runtime the editor library keeps automation strings itself.
// A BSTR points just past a 32-bit byte count and ends with a null character.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  auto* block = static_cast<std::uint32_t*>(std::malloc(sizeof(std::uint32_t) + (length + 1) * sizeof(OLECHAR)));
  if (!block) return nullptr;
  *block = length * sizeof(OLECHAR);
  BSTR result = reinterpret_cast<BSTR>(block + 1);
  if (text) std::memcpy(result, text, length * sizeof(OLECHAR));
  else std::memset(result, 0, length * sizeof(OLECHAR));
  result[length] = 0;
  return result;
}

BSTR SysAllocString(const OLECHAR* text) {
  if (!text) return nullptr;
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
  if (variant) std::memset(variant, 0, sizeof(*variant));
}

HRESULT VariantClear(VARIANTARG* variant) {
  if (!variant) return E_INVALIDARG;
  if (variant->vt == VT_BSTR) SysFreeString(variant->bstrVal);
  if ((variant->vt == VT_UNKNOWN || variant->vt == VT_DISPATCH) && variant->punkVal) variant->punkVal->Release();
  VariantInit(variant);
  return S_OK;
}
#endif
