// Number conversion with the system's decimal separator, string helpers.
#include <gtest/gtest.h>
#include <vcl.h>
#include <vcl/testing.h>

#include <cstring>

namespace {

struct Conversion {
  char separator;
  const char* text;
  bool valid;
  double value;
};

class StrToFloatTable : public ::testing::TestWithParam<Conversion> {
  void TearDown() override { vcl::SetSystemDecimalSeparator('.'); }
};

TEST_P(StrToFloatTable, ReadsWithTheSystemSeparator) {
  vcl::SetSystemDecimalSeparator(GetParam().separator);
  if (GetParam().valid) {
    EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(GetParam().text)), GetParam().value);
  } else {
    EXPECT_THROW(StrToFloat(GetParam().text), EConvertError);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Vcl, StrToFloatTable,
    ::testing::Values(Conversion{'.', "12.5", true, 12.5}, Conversion{',', "12,5", true, 12.5},
                      Conversion{',', "12.5", false, 0}, Conversion{'.', " -3.25 ", true, -3.25},
                      Conversion{'.', "1e3", true, 1000}, Conversion{'.', "12.", true, 12},
                      Conversion{'.', ".5", true, 0.5}, Conversion{'.', "", false, 0},
                      Conversion{'.', ".", false, 0}, Conversion{'.', "1.2.3", false, 0},
                      Conversion{'.', "1e", false, 0}, Conversion{'.', "abc", false, 0},
                      Conversion{'.', "1e999", false, 0}));

TEST(FloatToStrF, FixedUsesTheSystemSeparator) {
  EXPECT_EQ(FloatToStrF(12.5, ffFixed, 15, 2), "12.50");
  vcl::SetSystemDecimalSeparator(',');
  EXPECT_EQ(FloatToStrF(12.5, ffFixed, 15, 2), "12,50");
  EXPECT_EQ(FloatToStrF(-0.004, ffFixed, 15, 2), "-0,00");
  vcl::SetSystemDecimalSeparator('.');
  EXPECT_EQ(FloatToStrF(1e20, ffFixed, 15, 2), "1E+20");
}

TEST(AnsiStringTest, PositionsCountFromOne) {
  AnsiString text = "12.50";
  EXPECT_EQ(text.Pos("."), 3);
  EXPECT_EQ(text.Pos(","), 0);
  EXPECT_EQ(text.SubString(2, 3), "2.5");
  EXPECT_EQ(text.SubString(9, 1), "");
}

TEST(StrLCopyTest, CopiesAtMostTheLimitAndANul) {
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  StrLCopy(buffer, "abcdefghij", 5);
  EXPECT_STREQ(buffer, "abcde");
  EXPECT_EQ(buffer[6], 'x');
}

}  // namespace
