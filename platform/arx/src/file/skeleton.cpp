// The records of an empty release-2000 drawing.
#include <cstdio>

#include "file/drawing_file.h"

namespace arx {

std::string hexHandle(std::uint64_t handle) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(handle));
  return buffer;
}

std::uint64_t parseHandle(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  if (text.empty() || text.size() > 16) return 0;
  std::uint64_t value = 0;
  for (char c : text) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return 0;
    value = value * 16 + static_cast<std::uint64_t>(digit);
  }
  return value;
}

}  // namespace arx

namespace arx::file {
namespace {

constexpr double kDegree = 180.0 / 3.14159265358979323846;

std::string real(double v) { return dxf::formatReal(v); }

class Builder {
 public:
  explicit Builder(dxf::Document& doc) : m_doc(doc) {}
  void section(const char* name, dxf::TagList head = {}) {
    head.insert(head.begin(), {{0, "SECTION"}, {2, name}});
    m_doc.sections.push_back(dxf::Section{name, m_doc.add(head), {}});
  }
  void record(const dxf::TagList& groups) { m_doc.sections.back().records.push_back(m_doc.add(groups)); }

 private:
  dxf::Document& m_doc;
};

dxf::TagList table(const char* name, std::uint64_t handle, int count) {
  return {{0, "TABLE"}, {2, name}, {5, hexHandle(handle)}, {330, "0"}, {100, "AcDbSymbolTable"}, {70, std::to_string(count)}};
}

dxf::TagList entry(const char* type, std::uint64_t handle, std::uint64_t table, const char* subclass, const char* name) {
  return {{0, type},  {5, hexHandle(handle)}, {330, hexHandle(table)}, {100, "AcDbSymbolTableRecord"},
          {100, subclass}, {2, name}, {70, "0"}};
}

dxf::TagList operator+(dxf::TagList a, const dxf::TagList& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

dxf::TagList dictionary(std::uint64_t handle, std::uint64_t owner, const std::vector<std::pair<const char*, std::uint64_t>>& entries) {
  dxf::TagList t = {{0, "DICTIONARY"}, {5, hexHandle(handle)}};
  if (owner) t = t + dxf::TagList{{102, "{ACAD_REACTORS"}, {330, hexHandle(owner)}, {102, "}"}};
  t = t + dxf::TagList{{330, hexHandle(owner)}, {100, "AcDbDictionary"}, {281, "1"}};
  for (const auto& [name, h] : entries) t = t + dxf::TagList{{3, name}, {350, hexHandle(h)}};
  return t;
}

dxf::TagList layout(std::uint64_t handle, std::uint64_t owner, const char* name, int tab, std::uint64_t space,
                    const PageSetup& setup) {
  dxf::TagList t = {{0, "LAYOUT"}, {5, hexHandle(handle)}, {102, "{ACAD_REACTORS"}, {330, hexHandle(owner)}, {102, "}"},
                    {330, hexHandle(owner)}, {100, "AcDbPlotSettings"}, {1, ""}, {2, setup.plotCfgName},
                    {4, setup.canonicalMediaName}, {6, ""}};
  for (int code = 40; code <= 47; ++code) t.push_back({code, "0.0"});
  t = t + dxf::TagList{{48, real(setup.windowMin.x)}, {49, real(setup.windowMin.y)}, {140, real(setup.windowMax.x)},
                       {141, real(setup.windowMax.y)}, {142, "1.0"}, {143, "1.0"}, {70, "688"}, {72, "0"}, {73, "0"},
                       {74, std::to_string(static_cast<int>(setup.plotType))}, {7, ""}, {75, "0"}, {147, "1.0"},
                       {148, "0.0"}, {149, "0.0"}, {100, "AcDbLayout"}, {1, name}, {70, "1"}, {71, std::to_string(tab)},
                       {10, "0.0"}, {20, "0.0"}, {11, "420.0"}, {21, "297.0"}};
  for (int code : {12, 14, 15}) t = t + dxf::TagList{{code, "0.0"}, {code + 10, "0.0"}, {code + 20, "0.0"}};
  t = t + dxf::TagList{{146, "0.0"}, {13, "0.0"}, {23, "0.0"}, {33, "0.0"}, {16, "1.0"}, {26, "0.0"}, {36, "0.0"},
                       {17, "0.0"}, {27, "1.0"}, {37, "0.0"}, {76, "0"}, {330, hexHandle(space)}};
  return t;
}

dxf::TagList block(std::uint64_t begin, std::uint64_t end, std::uint64_t record, const char* name, bool paper) {
  dxf::TagList space = paper ? dxf::TagList{{67, "1"}} : dxf::TagList{};
  return dxf::TagList{{0, "BLOCK"}, {5, hexHandle(begin)}, {330, hexHandle(record)}, {100, "AcDbEntity"}} + space +
         dxf::TagList{{8, "0"}, {100, "AcDbBlockBegin"}, {2, name}, {70, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"},
                      {3, name}, {1, ""}};
}

dxf::TagList blockEnd(std::uint64_t end, std::uint64_t record, bool paper) {
  dxf::TagList space = paper ? dxf::TagList{{67, "1"}} : dxf::TagList{};
  return dxf::TagList{{0, "ENDBLK"}, {5, hexHandle(end)}, {330, hexHandle(record)}, {100, "AcDbEntity"}} + space +
         dxf::TagList{{8, "0"}, {100, "AcDbBlockEnd"}};
}

}  // namespace

dxf::Document emptyDrawing(SkeletonHandles h, std::uint64_t& next, const PageSetup& setup, const View& view) {
  auto fresh = [&next](std::uint64_t& handle) {
    if (handle == 0) handle = next++;
    return handle;
  };
  for (std::uint64_t* mine : {&h.namedObjects, &h.blockTable, &h.layerTable, &h.modelSpace, &h.paperSpace,
                              &h.layoutDictionary, &h.modelLayout})
    fresh(*mine);
  std::uint64_t vportTable = 0, vport = 0, ltypeTable = 0, byBlock = 0, byLayer = 0, continuous = 0, styleTable = 0,
                style = 0, viewTable = 0, ucsTable = 0, appidTable = 0, appid = 0, dimstyleTable = 0, dimstyle = 0,
                modelBegin = 0, modelEnd = 0, paperBegin = 0, paperEnd = 0, groups = 0, paperLayout = 0;
  for (std::uint64_t* mine : {&vportTable, &vport, &ltypeTable, &byBlock, &byLayer, &continuous, &styleTable, &style,
                              &viewTable, &ucsTable, &appidTable, &appid, &dimstyleTable, &dimstyle, &modelBegin,
                              &modelEnd, &paperBegin, &paperEnd, &groups, &paperLayout})
    fresh(*mine);

  dxf::Document doc;
  Builder b(doc);
  b.section("HEADER", {{9, "$ACADVER"}, {1, "AC1015"}, {9, "$DWGCODEPAGE"}, {3, "ANSI_1252"}, {9, "$CLAYER"},
                       {8, "0"}, {9, "$HANDSEED"}, {5, hexHandle(next)}});
  b.section("CLASSES");
  b.section("TABLES");
  b.record(table("VPORT", vportTable, 1));
  b.record(entry("VPORT", vport, vportTable, "AcDbViewportTableRecord", "*Active") +
           dxf::TagList{{10, "0.0"}, {20, "0.0"}, {11, "1.0"}, {21, "1.0"}, {12, real(view.center.x)},
                        {22, real(view.center.y)}, {13, "0.0"}, {23, "0.0"}, {14, "0.5"}, {24, "0.5"}, {15, "0.5"},
                        {25, "0.5"}, {16, "0.0"}, {26, "0.0"}, {36, "1.0"}, {17, "0.0"}, {27, "0.0"}, {37, "0.0"},
                        {40, real(view.height)}, {41, real(view.aspect)}, {42, "50.0"}, {43, "0.0"}, {44, "0.0"},
                        {50, "0.0"}, {51, real(view.twist * kDegree)}, {71, "0"}, {72, "1000"}, {73, "1"}, {74, "3"},
                        {75, "0"}, {76, "0"}, {77, "0"}, {78, "0"}});
  b.record({{0, "ENDTAB"}});
  b.record(table("LTYPE", ltypeTable, 3));
  for (auto [handle, name] : {std::pair{byBlock, "ByBlock"}, {byLayer, "ByLayer"}, {continuous, "Continuous"}})
    b.record(entry("LTYPE", handle, ltypeTable, "AcDbLinetypeTableRecord", name) +
             dxf::TagList{{3, handle == continuous ? "Solid line" : ""}, {72, "65"}, {73, "0"}, {40, "0.0"}});
  b.record({{0, "ENDTAB"}});
  b.record(table("LAYER", h.layerTable, 0));
  b.record({{0, "ENDTAB"}});
  b.record(table("STYLE", styleTable, 1));
  b.record(entry("STYLE", style, styleTable, "AcDbTextStyleTableRecord", "Standard") +
           dxf::TagList{{40, "0.0"}, {41, "1.0"}, {50, "0.0"}, {71, "0"}, {42, "2.5"}, {3, "txt"}, {4, ""}});
  b.record({{0, "ENDTAB"}});
  b.record(table("VIEW", viewTable, 0));
  b.record({{0, "ENDTAB"}});
  b.record(table("UCS", ucsTable, 0));
  b.record({{0, "ENDTAB"}});
  b.record(table("APPID", appidTable, 1));
  b.record(entry("APPID", appid, appidTable, "AcDbRegAppTableRecord", "ACAD"));
  b.record({{0, "ENDTAB"}});
  b.record(table("DIMSTYLE", dimstyleTable, 1) + dxf::TagList{{100, "AcDbDimStyleTable"}, {71, "0"}});
  b.record({{0, "DIMSTYLE"}, {105, hexHandle(dimstyle)}, {330, hexHandle(dimstyleTable)}, {100, "AcDbSymbolTableRecord"},
            {100, "AcDbDimStyleTableRecord"}, {2, "Standard"}, {70, "0"}});
  b.record({{0, "ENDTAB"}});
  b.record(table("BLOCK_RECORD", h.blockTable, 2));
  b.record(entry("BLOCK_RECORD", h.modelSpace, h.blockTable, "AcDbBlockTableRecord", "*Model_Space") +
           dxf::TagList{{340, hexHandle(h.modelLayout)}});
  b.record(entry("BLOCK_RECORD", h.paperSpace, h.blockTable, "AcDbBlockTableRecord", "*Paper_Space") +
           dxf::TagList{{340, hexHandle(paperLayout)}});
  b.record({{0, "ENDTAB"}});
  b.section("BLOCKS");
  b.record(block(modelBegin, modelEnd, h.modelSpace, "*Model_Space", false));
  b.record(blockEnd(modelEnd, h.modelSpace, false));
  b.record(block(paperBegin, paperEnd, h.paperSpace, "*Paper_Space", true));
  b.record(blockEnd(paperEnd, h.paperSpace, true));
  b.section("ENTITIES");
  b.section("OBJECTS");
  b.record(dictionary(h.namedObjects, 0, {{"ACAD_GROUP", groups}, {"ACAD_LAYOUT", h.layoutDictionary}}));
  b.record(dictionary(groups, h.namedObjects, {}));
  b.record(dictionary(h.layoutDictionary, h.namedObjects, {{"Layout1", paperLayout}, {"Model", h.modelLayout}}));
  b.record(layout(h.modelLayout, h.layoutDictionary, "Model", 0, h.modelSpace, setup));
  PageSetup paper;
  paper.plotType = PlotType::Layout;
  b.record(layout(paperLayout, h.layoutDictionary, "Layout1", 1, h.paperSpace, paper));
  doc.sections[0].head = doc.add({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {9, "$DWGCODEPAGE"},
                                  {3, "ANSI_1252"}, {9, "$CLAYER"}, {8, "0"}, {9, "$HANDSEED"}, {5, hexHandle(next)}});
  return doc;
}

}  // namespace arx::file
