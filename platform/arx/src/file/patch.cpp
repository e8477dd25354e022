#include "file/patch.h"

namespace arx::file {

dxf::TagList& Patch::tags() {
  if (!m_tags) m_tags = m_doc.tags(m_record);
  return *m_tags;
}

long Patch::position(int code, const char* subclass) {
  std::size_t from = 1;
  if (subclass) {
    const dxf::TagList& t = tags();
    for (std::size_t i = 1; i < t.size(); ++i)
      if (t[i].first == 100 && t[i].second == subclass) {
        from = i + 1;
        break;
      }
  }
  if (!m_tags) return m_doc.find(m_record, code, static_cast<std::uint32_t>(from));
  for (std::size_t i = from; i < m_tags->size(); ++i)
    if ((*m_tags)[i].first == code) return static_cast<long>(i);
  return -1;
}

void Patch::set(long index, int code, std::string value, int after) {
  dxf::TagList& t = tags();
  if (index >= 0) {
    t[static_cast<std::size_t>(index)].second = std::move(value);
    return;
  }
  std::size_t at = t.size();
  for (std::size_t i = 1; i < t.size(); ++i)
    if (t[i].first >= 1000) {  // extended data stays last
      at = i;
      break;
    }
  if (after >= 0)
    for (std::size_t i = 1; i < at; ++i)
      if (t[i].first == after) {
        at = i + 1;
        break;
      }
  t.insert(t.begin() + static_cast<long>(at), {code, std::move(value)});
}

void Patch::real(int code, double value, int after, const char* subclass) {
  const long i = position(code, subclass);
  double old = 0.0;
  const std::string_view current =
      i < 0 ? std::string_view() : m_tags ? std::string_view((*m_tags)[i].second) : m_doc.value(m_record, i);
  if (i >= 0 && dxf::parseReal(current, old) && old == value) return;
  set(i, code, dxf::formatReal(value), after);
}

void Patch::integer(int code, long long value, int after, const char* subclass) {
  const long i = position(code, subclass);
  long long old = 0;
  const std::string_view current =
      i < 0 ? std::string_view() : m_tags ? std::string_view((*m_tags)[i].second) : m_doc.value(m_record, i);
  if (i >= 0 && dxf::parseInteger(current, old) && old == value) return;
  set(i, code, std::to_string(value), after);
}

void Patch::text(int code, const std::string& value, int after, const char* subclass) {
  const long i = position(code, subclass);
  const std::string_view current =
      i < 0 ? std::string_view() : m_tags ? std::string_view((*m_tags)[i].second) : m_doc.value(m_record, i);
  if (i >= 0 && current == value) return;
  set(i, code, value, after);
}

void Patch::removeAll(int code) {
  if (!m_tags && m_doc.find(m_record, code) < 0) return;
  dxf::TagList& t = tags();
  for (std::size_t i = t.size(); i-- > 1;)
    if (t[i].first == code) t.erase(t.begin() + static_cast<long>(i));
}

void Patch::replace(std::size_t begin, std::size_t end, const dxf::TagList& groups) {
  dxf::TagList& t = tags();
  t.erase(t.begin() + static_cast<long>(begin), t.begin() + static_cast<long>(end));
  t.insert(t.begin() + static_cast<long>(begin), groups.begin(), groups.end());
}

dxf::Record Patch::result() { return m_tags ? m_doc.add(*m_tags, m_record.line) : m_record; }

}  // namespace arx::file
