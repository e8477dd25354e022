// The tag-level document: structure, exact round trips in text and binary,
// typed values, hostile input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "dxf/document.h"
#include "testing/temp_folder.h"

namespace {

using ::testing::HasSubstr;

const char* const kSmall =
    "999\nmade by hand\n"
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$HANDSEED\n  5\n2F\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nENTITIES\n"
    "  0\nLINE\n  5\n2A\n  8\nWalls\n 62\n1\n 10\n0.5\n 20\n-2\n 11\n1e3\n 21\n4\n"
    "1001\nACME\n1000\nsome data\n1040\n2.5\n"
    "  0\nWOBBLE\n  5\n2B\n310\n00FF10\n290\n1\n160\n1234567890123\n"
    "  0\nENDSEC\n  0\nEOF\n";

dxf::Document readOk(std::string_view text) {
  dxf::Document doc;
  dxf::ReadError error;
  EXPECT_TRUE(dxf::Document::read(text, doc, error)) << error.text();
  return doc;
}

// Every group of two documents, as (code, value) lines.
std::string groups(const dxf::Document& doc) {
  std::string out;
  for (const dxf::Section& s : doc.sections) {
    out += "[" + s.name + "]";
    auto add = [&](const dxf::Record& r) {
      for (std::uint32_t i = 0; i < r.count; ++i) out += std::to_string(doc.code(r, i)) + "=" + std::string(doc.value(r, i)) + ";";
      out += "\n";
    };
    add(s.head);
    for (const dxf::Record& r : s.records) add(r);
  }
  return out;
}

TEST(DxfDocument, KeepsSectionsRecordsAndGroupsInOrder) {
  const dxf::Document doc = readOk(kSmall);
  ASSERT_EQ(doc.sections.size(), 2u);
  EXPECT_EQ(doc.sections[0].name, "HEADER");
  EXPECT_EQ(doc.value(doc.sections[0].head, static_cast<std::uint32_t>(doc.headerVariable("$HANDSEED"))), "2F");
  const dxf::Section& entities = doc.sections[1];
  ASSERT_EQ(entities.records.size(), 2u);
  const dxf::Record& line = entities.records[0];
  EXPECT_EQ(doc.type(line), "LINE");
  EXPECT_EQ(line.line, 21u);
  EXPECT_EQ(doc.real(line, 11, 0.0), 1000.0);
  EXPECT_EQ(doc.integer(line, 62, 0), 1);
  EXPECT_EQ(*doc.text(line, 1000), "some data");
  EXPECT_EQ(doc.type(entities.records[1]), "WOBBLE");
  EXPECT_EQ(doc.count(entities.records[1]), 5u);
}

TEST(DxfDocument, WritesBackEveryGroupInTextAndBinary) {
  const dxf::Document doc = readOk(kSmall);
  const std::string text = dxf::write(doc, dxf::Format::Ascii);
  EXPECT_EQ(groups(readOk(text)), groups(doc));
  EXPECT_THAT(text, HasSubstr("  0\nLINE\n  5\n2A\n"));
  const std::string binary = dxf::write(doc, dxf::Format::Binary);
  ASSERT_EQ(binary.rfind("AutoCAD Binary DXF\r\n\x1a", 0), 0u);
  const dxf::Document again = readOk(binary);
  EXPECT_EQ(again.format, dxf::Format::Binary);
  // Numbers come back with their values; text and binary chunks as they were.
  EXPECT_EQ(again.real(again.sections[1].records[0], 11, 0.0), 1000.0);
  EXPECT_EQ(*again.text(again.sections[1].records[1], 310), "00FF10");
  EXPECT_EQ(*again.text(again.sections[1].records[1], 160), "1234567890123");
  EXPECT_EQ(groups(readOk(dxf::write(again, dxf::Format::Binary))), groups(again));
}

TEST(DxfDocument, AddedRecordsAreWritten) {
  dxf::Document doc = readOk(kSmall);
  doc.sections[1].records.push_back(doc.add({{0, "CIRCLE"}, {5, "30"}, {8, "0"}, {10, "1.0"}, {40, "2.0"}}));
  const dxf::Document again = readOk(dxf::write(doc, dxf::Format::Ascii));
  ASSERT_EQ(again.sections[1].records.size(), 3u);
  EXPECT_EQ(again.real(again.sections[1].records[2], 40, 0.0), 2.0);
}

TEST(DxfDocument, LinesOfAnyLengthAndCountsOfAnySize) {
  const std::string longText(100000, 'x');
  const std::string text = "0\nSECTION\n2\nENTITIES\n0\nMTEXT\n1\n" + longText +
                           "\r\n0\nLWPOLYLINE\n90\n2000000000\n0\nSPLINE\n73\n2000000000\n0\nENDSEC\n0\nEOF\n";
  const dxf::Document doc = readOk(text);
  ASSERT_EQ(doc.sections[0].records.size(), 3u);
  EXPECT_EQ(doc.text(doc.sections[0].records[0], 1)->size(), longText.size());
  EXPECT_EQ(doc.integer(doc.sections[0].records[1], 90, 0), 2000000000);
}

TEST(DxfDocument, JunkAfterTheEndIsIgnored) {
  const dxf::Document doc = readOk("0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\nthis is junk\n\x01\x02");
  EXPECT_EQ(doc.sections.size(), 1u);
}

TEST(DxfDocument, MalformedFilesGiveTheReasonAndLine) {
  const struct {
    const char* what;
    std::string text;
    const char* reason;
    std::size_t line;
  } cases[] = {
      {"empty", "", "the file is empty", 0},
      {"truncated value", "0\nSECTION\n2\nENTITIES\n0\nLINE\n8", "value of group 8 missing", 7},
      {"no EOF", "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n", "end-of-file marker is missing", 6},
      {"text as number", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nabc\n0\nENDSEC\n0\nEOF\n", "number expected", 8},
      {"text as integer", "0\nSECTION\n2\nENTITIES\n0\nLINE\n62\n1.5\n0\nENDSEC\n0\nEOF\n", "integer expected", 8},
      {"code not a number", "0\nSECTION\n2\nENTITIES\nLINE\n0\n", "group code expected", 5},
      {"blank code line", "0\nSECTION\n2\nENTITIES\n \n0\n", "found an empty line", 5},
      {"code out of range", "0\nSECTION\n2\nENTITIES\n5000\n0\n", "group code expected", 5},
      {"infinite", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n1e999\n0\nENDSEC\n0\nEOF\n", "number expected", 8},
      {"nested section", "0\nSECTION\n2\nA\n0\nSECTION\n2\nB\n0\nENDSEC\n0\nEOF\n", "ENDSEC missing", 5},
      {"section without name", "0\nSECTION\n8\nX\n", "SECTION without a name", 3},
      {"entity outside", "0\nLINE\n8\n0\n0\nEOF\n", "\"LINE\" outside any section", 1},
      {"EOF inside", "0\nSECTION\n2\nA\n0\nEOF\n", "end of file inside a section", 5},
      {"binary truncated", std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0SECT", 28), "not ended", 25},
      {"binary bad code", std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0SECTION\0\x88\x13", 34), "not valid", 33},
      {"binary short real", std::string("AutoCAD Binary DXF\r\n\x1a\0\x0a\0\1\2", 26), "truncated", 24},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    dxf::Document doc;
    dxf::ReadError error;
    EXPECT_FALSE(dxf::Document::read(c.text, doc, error));
    EXPECT_THAT(error.reason, HasSubstr(c.reason));
    EXPECT_EQ(error.line, c.line);
    EXPECT_TRUE(doc.sections.empty());
  }
}

TEST(DxfDocument, SaveReplacesTheFileOnlyWhenComplete) {
  rwtest::TempFolder dir;
  const std::string target = (dir.path() / "a.dxf").string();
  dir.write("a.dxf", "old drawing");
  const dxf::Document doc = readOk(kSmall);
  std::string error;
  ASSERT_TRUE(dxf::save(doc, dxf::Format::Ascii, target, error)) << error;
  dxf::Document loaded;
  dxf::ReadError readError;
  ASSERT_TRUE(dxf::load(target, loaded, readError)) << readError.text();
  EXPECT_EQ(groups(loaded), groups(doc));
  EXPECT_FALSE(dxf::save(doc, dxf::Format::Ascii, (dir.path() / "no/such/a.dxf").string(), error));
  EXPECT_THAT(error, HasSubstr("cannot create"));
  // Nothing but the drawing is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  EXPECT_FALSE(dxf::load((dir.path() / "none.dxf").string(), loaded, readError));
  EXPECT_THAT(readError.reason, HasSubstr("cannot open the file"));
  EXPECT_FALSE(dxf::load(dir.path().string(), loaded, readError));
  EXPECT_THAT(readError.reason, HasSubstr("folder"));
}

TEST(DxfDocument, RealsKeepTheirValueWhenFormatted) {
  for (double v : {0.0, 1.0, -2.5, 1e12 + 0.5, 0.1, 1e-300, 123456789.123456789}) {
    SCOPED_TRACE(v);
    double back = 0.0;
    ASSERT_TRUE(dxf::parseReal(dxf::formatReal(v), back));
    EXPECT_EQ(back, v);
  }
  EXPECT_EQ(dxf::formatReal(3.0), "3.0");
}

}  // namespace
