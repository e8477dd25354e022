// Real drawings written by ezdxf, in every version, as text and binary:
// opened and saved, every entity of model space and of every block comes back
// with its type and groups, and ezdxf audits the result clean. Changes touch
// only what changed; text keeps its encoding; broken handles are recovered.
#include <gmock/gmock.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

#include "dxf/codes.h"
#include "dxf/document.h"
#include "drawing_fixture.h"
#include "gemat3d.h"
#include "testing/temp_folder.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using drawing_test::DrawingTest;
using drawing_test::run;

constexpr const char* kPython = "/usr/bin/python3";
const std::string kScript = std::string(ARX_TESTS_DIR) + "/make_drawings.py";

dxf::Document load(const std::string& file) {
  dxf::Document doc;
  dxf::ReadError error;
  EXPECT_TRUE(dxf::load(file, doc, error)) << error.text();
  return doc;
}

std::string readAll(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// One line per record of the blocks and entities: its groups, numbers by value.
std::vector<std::string> entityRecords(const dxf::Document& doc) {
  std::vector<std::string> out;
  for (const char* name : {"BLOCKS", "ENTITIES"}) {
    const dxf::Section* s = doc.section(name);
    if (!s) continue;
    for (const dxf::Record& r : s->records) {
      std::string line;
      for (std::uint32_t i = 0; i < r.count; ++i) {
        const int code = doc.code(r, i);
        std::string value(doc.value(r, i));
        double real = 0.0;
        if (dxf::kindOf(code) == dxf::Kind::Real && dxf::parseReal(value, real)) value = dxf::formatReal(real);
        long long integer = 0;
        if (dxf::isNumeric(dxf::kindOf(code)) && dxf::kindOf(code) != dxf::Kind::Real && dxf::parseInteger(value, integer))
          value = std::to_string(integer);
        line += std::to_string(code) + "=" + value + "|";
      }
      out.push_back(line);
    }
  }
  return out;
}

std::uint64_t handleValue(std::string_view text) { return std::strtoull(std::string(text).c_str(), nullptr, 16); }

// The highest handle of any record, and $HANDSEED.
std::pair<std::uint64_t, std::uint64_t> handles(const dxf::Document& doc) {
  std::uint64_t highest = 0;
  for (const dxf::Section& s : doc.sections)
    for (const dxf::Record& r : s.records)
      for (int code : {5, 105})
        if (auto v = doc.text(r, code)) highest = std::max(highest, handleValue(*v));
  const long seed = doc.headerVariable("$HANDSEED");
  return {highest, seed < 0 ? 0 : handleValue(doc.value(doc.section("HEADER")->head, static_cast<std::uint32_t>(seed)))};
}

class DrawingFileTest : public DrawingTest {
 protected:
  static void SetUpTestSuite() {
    drawingsFolder = std::make_unique<rwtest::TempFolder>("arx-ezdxf");
    drawings = drawingsFolder->path().string();
    std::string output;
    ASSERT_EQ(run(std::string(kPython) + " " + kScript + " " + drawings, output), 0) << output;
  }
  static void TearDownTestSuite() { drawingsFolder.reset(); }

  // ezdxf's audit of `saved` and its entity types against `original`: "same" when all is well.
  static std::string check(const std::string& original, const std::string& saved) {
    std::string output;
    run(std::string(kPython) + " " + kScript + " --check " + original + " " + saved, output);
    return output;
  }

  static std::unique_ptr<rwtest::TempFolder> drawingsFolder;
  static std::string drawings;
};
std::unique_ptr<rwtest::TempFolder> DrawingFileTest::drawingsFolder;
std::string DrawingFileTest::drawings;

TEST_F(DrawingFileTest, EveryEntityOfEveryVersionComesBack) {
  for (const char* version : {"R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"}) {
    for (const bool binary : {false, true}) {
      const std::string name = std::string("every-") + version + (binary ? "-binary" : "") + ".dxf";
      SCOPED_TRACE(name);
      const std::string original = drawings + "/" + name;
      const arx::FileResult opened = arx::openDrawing(original);
      ASSERT_TRUE(opened.ok) << opened.error;
      // Every type a release-12 drawing can hold is drawn; meshes and multilines are kept undrawn.
      if (std::string(version) == "R12") EXPECT_THAT(opened.warning, Not(HasSubstr("not drawn")));
      else EXPECT_THAT(opened.warning, HasSubstr("kept as they are, not drawn by this editor: 1 MESH"));
      EXPECT_THAT(opened.warning, Not(HasSubstr("MTEXT")));
      if (std::string(version) == "R12") EXPECT_THAT(opened.warning, HasSubstr("converted"));
      else EXPECT_THAT(opened.warning, Not(HasSubstr("converted")));
      ASSERT_TRUE(arx::saveDrawing(path(name)).ok);
      EXPECT_EQ(check(original, path(name)), "same\n");
      const dxf::Document saved = load(path(name));
      EXPECT_EQ(saved.format, binary ? dxf::Format::Binary : dxf::Format::Ascii);
      const auto [highest, seed] = handles(saved);
      EXPECT_GT(seed, highest);
      if (std::string(version) == "R12") {
        EXPECT_EQ(saved.value(saved.section("HEADER")->head, saved.headerVariable("$ACADVER")), "AC1015");
        continue;
      }
      EXPECT_EQ(entityRecords(saved), entityRecords(load(original)));  // every group, in order
    }
  }
}

TEST_F(DrawingFileTest, ChangesTouchOnlyWhatChanged) {
  const std::string original = drawings + "/every-R2018.dxf";
  ASSERT_TRUE(arx::openDrawing(original).ok);
  const auto [highest, seed] = handles(load(original));
  AcDbLayerTableRecord* walls = nullptr;
  AcDbLayerTable* table = nullptr;
  ASSERT_EQ(db().getLayerTable(table, AcDb::kForRead), Acad::eOk);
  ASSERT_EQ(table->getAt("Walls", walls, AcDb::kForWrite), Acad::eOk);
  table->close();
  walls->setIsPlottable(false);
  walls->close();
  const AcDbObjectId image = addImage(picture("photo.ppm", 20, 10), "Walls", 1.0, 100, 100);
  const AcDbObjectId line = arx::addEntity(db(), arx::LineShape{{0, 0}, {1, 1}}, "New layer");
  ASSERT_TRUE(arx::saveDrawing(path("changed.dxf")).ok);

  EXPECT_EQ(check(path("changed.dxf"), path("changed.dxf")), "same\n");  // the audit is clean
  const dxf::Document saved = load(path("changed.dxf"));
  const auto [savedHighest, savedSeed] = handles(saved);
  EXPECT_GE(image.handle().value(), seed);
  EXPECT_GT(line.handle().value(), highest);
  EXPECT_GT(savedSeed, savedHighest);
  // The old entities are all there unchanged, the new ones follow.
  const auto before = entityRecords(load(original));
  const auto after = entityRecords(saved);
  for (const std::string& record : before)
    EXPECT_NE(std::find(after.begin(), after.end(), record), after.end()) << record;
  EXPECT_EQ(after.size(), before.size() + 2);
  // The layer got its plot flag; its other groups stay.
  const std::string text = readAll(path("changed.dxf"));
  EXPECT_THAT(text, HasSubstr("  2\nWalls\n 70\n0\n 62\n1\n  6\nContinuous\n"));
  EXPECT_THAT(text, HasSubstr("290\n0\n"));
  ASSERT_TRUE(arx::openDrawing(path("changed.dxf")).ok);
  EXPECT_FALSE(arx::findLayer(db(), "Walls")->plottable);
  EXPECT_NE(arx::findLayer(db(), "New layer"), nullptr);
}

TEST_F(DrawingFileTest, AChangedEntityKeepsItsOtherGroups) {
  ASSERT_TRUE(arx::openDrawing(drawings + "/every-R2018.dxf").ok);
  AcDbObjectId marked;  // the line with extended data and an extension dictionary
  arx::forEachModelEntity(db(), [&](const arx::EntityView& e) {
    if (const auto* line = std::get_if<arx::LineShape>(&e.shape); line && line->start.x == 20.0)
      marked = arx::idFromHandle(db(), e.handle);
  });
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, marked, AcDb::kForWrite), Acad::eOk);
  entity->setColorIndex(5);
  AcGeMatrix3d move;
  entity->transformBy(move.setToTranslation(AcGeVector3d(1.5, 0.0, 0.0)));
  entity->close();
  ASSERT_TRUE(arx::saveDrawing(path("moved.dxf")).ok);
  EXPECT_EQ(check(path("moved.dxf"), path("moved.dxf")), "same\n");
  const dxf::Document saved = load(path("moved.dxf"));
  char handle[32];
  marked.handle().getIntoAsciiBuffer(handle);
  bool found = false;
  for (const dxf::Record& r : saved.section("ENTITIES")->records) {
    if (saved.text(r, 5) != std::string_view(handle)) continue;
    found = true;
    EXPECT_EQ(saved.integer(r, 62, 0), 5);
    EXPECT_EQ(saved.real(r, 10, 0.0), 21.5);
    EXPECT_EQ(saved.real(r, 11, 0.0), 31.5);
    EXPECT_EQ(saved.real(r, 20, 0.0), 20.0);
    EXPECT_EQ(*saved.text(r, 1001), "ACME");
    EXPECT_EQ(*saved.text(r, 1000), "kept data");
    EXPECT_GE(saved.find(r, 102), 0);  // the extension dictionary
    EXPECT_EQ(saved.code(r, r.count - 1), 1070);  // extended data stays last
  }
  EXPECT_TRUE(found);
}

// A minimal release-2000 drawing with one layer and one text, as another program may write it.
std::string smallDrawing(const std::string& version, const std::string& codePage, const std::string& name) {
  return "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\n" + version + "\n9\n$DWGCODEPAGE\n3\n" + codePage +
         "\n0\nENDSEC\n0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n5\n2\n70\n1\n0\nLAYER\n5\n10\n2\n" + name +
         "\n70\n0\n62\n3\n6\nContinuous\n0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nTEXT\n5\n20\n8\n" + name +
         "\n10\n1\n20\n2\n40\n2.5\n1\n" + name + " 1\n0\nENDSEC\n0\nEOF\n";
}

TEST_F(DrawingFileTest, TextKeepsItsEncoding) {
  const struct {
    const char* what;
    std::string version, codePage, file, api, added;  // added: "x\xe4" as the file holds it
  } cases[] = {
      {"code page 1252", "AC1015", "ANSI_1252", "Gel\xe4nde", "Gel\xe4nde", "x\xe4"},
      {"code page 1251", "AC1018", "ANSI_1251", "\xc6\xe8", "\\U+0416\\U+0438", "x\\U+00E4"},
      {"release 12, 1251", "AC1009", "ANSI_1251", "\xc6", "\\U+0416", "x\\U+00E4"},
      {"UTF-8", "AC1024", "ANSI_1252", "Stra\xc3\x9f" "e \xd0\x96", "Stra\xdf" "e \\U+0416", "x\xc3\xa4"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    writeText("coded.dxf", smallDrawing(c.version, c.codePage, c.file));
    const arx::FileResult opened = arx::openDrawing(path("coded.dxf"));
    ASSERT_TRUE(opened.ok) << opened.error;
    ASSERT_NE(arx::findLayer(db(), c.api), nullptr);
    std::string text;
    arx::forEachModelEntity(db(), [&](const arx::EntityView& e) { text = std::get<arx::TextShape>(e.shape).text; });
    EXPECT_EQ(text, c.api + " 1");
    arx::addLayer(db(), arx::Layer{"x\xe4"});
    ASSERT_TRUE(arx::saveDrawing(path("coded-saved.dxf")).ok);
    const std::string saved = readAll(path("coded-saved.dxf"));
    EXPECT_THAT(saved, HasSubstr("\n" + c.file + " 1\n"));
    EXPECT_THAT(saved, HasSubstr("  2\n" + c.added + "\n"));
  }
}

TEST_F(DrawingFileTest, MissingAndDuplicateHandlesAreRecovered) {
  // An arc has the handle of a line, a circle has none.
  dxf::Document doc = load(drawings + "/every-R2000.dxf");
  dxf::Section& entities = *doc.section("ENTITIES");
  std::string firstLine;
  for (dxf::Record& r : entities.records) {
    dxf::TagList tags = doc.tags(r);
    if (tags[0].second == "LINE" && firstLine.empty()) {
      firstLine = tags[1].second;
    } else if (tags[0].second == "ARC") {
      tags[1].second = firstLine;
      r = doc.add(tags);
    } else if (tags[0].second == "CIRCLE") {
      tags.erase(tags.begin() + 1);
      r = doc.add(tags);
    }
  }
  std::string error;
  ASSERT_TRUE(dxf::save(doc, dxf::Format::Ascii, path("broken.dxf"), error)) << error;
  const arx::FileResult opened = arx::openDrawing(path("broken.dxf"));
  ASSERT_TRUE(opened.ok) << opened.error;
  EXPECT_THAT(opened.warning, HasSubstr("recovered: 1 objects without a handle and 1 with a duplicate handle got new handles"));
  ASSERT_TRUE(arx::saveDrawing(path("recovered.dxf")).ok);
  EXPECT_EQ(check(drawings + "/every-R2000.dxf", path("recovered.dxf")), "same\n");
}

}  // namespace
