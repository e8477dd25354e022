// libFuzzer target: any bytes are read (text or binary DXF); what reads is
// written in both formats and read again, and must give the same sections,
// records and group codes. Text DXF cannot hold a line break inside a value
// and binary DXF no NUL inside a text: names are compared without them.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dxf/document.h"

namespace {

std::string canonical(std::string name) {
  for (char& c : name) c = c == '\r' || c == '\n' ? ' ' : c == '\0' ? '?' : c;
  return name;
}

bool sameGroups(const dxf::Document& a, const dxf::Document& b) {
  if (a.sections.size() != b.sections.size()) return false;
  for (std::size_t s = 0; s < a.sections.size(); ++s) {
    const auto& x = a.sections[s];
    const auto& y = b.sections[s];
    if (canonical(x.name) != canonical(y.name) || x.records.size() != y.records.size() || x.head.count != y.head.count) return false;
    for (std::size_t r = 0; r < x.records.size(); ++r) {
      if (x.records[r].count != y.records[r].count) return false;
      for (std::uint32_t i = 0; i < x.records[r].count; ++i)
        if (a.code(x.records[r], i) != b.code(y.records[r], i)) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dxf::Document doc;
  dxf::ReadError error;
  if (!dxf::Document::read(std::string_view(reinterpret_cast<const char*>(data), size), doc, error)) return 0;
  for (dxf::Format format : {dxf::Format::Ascii, dxf::Format::Binary}) {
    const std::string bytes = dxf::write(doc, format);
    dxf::Document again;
    if (!dxf::Document::read(bytes, again, error) || !sameGroups(doc, again)) std::abort();
  }
  return 0;
}
