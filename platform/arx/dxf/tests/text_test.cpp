// Text values: UTF-8, code pages through iconv, \U+XXXX escapes.
#include <gtest/gtest.h>

#include "dxf/text.h"

namespace {

TEST(DxfText, EncodingFollowsVersionAndCodePage) {
  EXPECT_TRUE(dxf::encodingOf("AC1021", "ANSI_1252").utf8);
  EXPECT_TRUE(dxf::encodingOf("AC1032", "").utf8);
  EXPECT_FALSE(dxf::encodingOf("AC1018", "ANSI_1252").utf8);
  EXPECT_EQ(dxf::encodingOf("AC1015", "ANSI_1251").codePage, "CP1251");
  EXPECT_EQ(dxf::encodingOf("AC1009", "ansi_932").codePage, "CP932");
  EXPECT_EQ(dxf::encodingOf("AC1015", "ANSI_99999").codePage, "CP1252");
  EXPECT_EQ(dxf::encodingOf("AC1015", "DOS850; rm -rf").codePage, "CP1252");
}

TEST(DxfText, ValuesBecomeCodePage1252AndBack) {
  const dxf::Encoding utf8 = dxf::encodingOf("AC1027", "ANSI_1252");
  const dxf::Encoding cp1252 = dxf::encodingOf("AC1015", "ANSI_1252");
  const dxf::Encoding cp1251 = dxf::encodingOf("AC1015", "ANSI_1251");
  const struct {
    const char* what;
    const dxf::Encoding& encoding;
    std::string file;
    std::string api;
  } cases[] = {
      {"plain", utf8, "Walls 1", "Walls 1"},
      {"utf-8 umlaut", utf8, "Stra\xc3\x9f" "e \xe2\x82\xac", "Stra\xdf" "e \x80"},
      {"utf-8 outside 1252", utf8, "\xd0\x96 x", "\\U+0416 x"},
      {"1252 as it is", cp1252, "Gel\xe4nde", "Gel\xe4nde"},
      {"1251 cyrillic", cp1251, "\xc6", "\\U+0416"},
      {"1251 shared letter", cp1251, "\xab", "\xab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(dxf::toCp1252(c.file, c.encoding), c.api);
    EXPECT_EQ(dxf::fromCp1252(c.api, c.encoding), c.file);
  }
  // An escape in the file that code page 1252 holds becomes its character.
  EXPECT_EQ(dxf::toCp1252("\\U+00E4", cp1252), "\xe4");
  // Broken UTF-8 is read byte by byte, never dropped.
  EXPECT_EQ(dxf::toCp1252("a\xe4z", utf8), "a\xe4z");
}

// The plotter reads values as UTF-8 in every encoding; escapes stay for the
// text renderer to read.
TEST(DxfText, ValuesBecomeUtf8) {
  const dxf::Encoding utf8 = dxf::encodingOf("AC1027", "ANSI_1252");
  const dxf::Encoding cp1252 = dxf::encodingOf("AC1015", "ANSI_1252");
  const dxf::Encoding cp1251 = dxf::encodingOf("AC1015", "ANSI_1251");
  const struct {
    const char* what;
    const dxf::Encoding& encoding;
    std::string file;
    std::string utf8;
  } cases[] = {
      {"plain", cp1252, "Walls \\U+0416", "Walls \\U+0416"},
      {"1252", cp1252, "Gel\xe4nde \x80", "Gel\xc3\xa4nde \xe2\x82\xac"},
      {"1251", cp1251, "\xc6", "\xd0\x96"},
      {"utf-8 as it is", utf8, "Stra\xc3\x9f" "e", "Stra\xc3\x9f" "e"},
      {"broken utf-8 read as 1252", utf8, "a\xe4z", "a\xc3\xa4z"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(dxf::toUtf8(c.file, c.encoding), c.utf8);
  }
}

}  // namespace
