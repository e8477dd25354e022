// The hatch form through DoSchraff: endings, focus, numbers, key filters,
// pattern types, help, and the record's limits.
#include <gmock/gmock.h>
#include <vcl/testing.h>

#include <cstring>

#include "HatchFixture.h"
#include "testing/case_name.h"
#include "testing/transcript.h"

namespace hatchtest {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const char kOpened[] = "form frmSchraffur opened";
const char kClosed[] = "form frmSchraffur closed";

struct Ending {
  const char* name;
  int patternType;
  BOOL boundary;
  const char* answers;
  int exitReason;
  int action;  // 5 in: unchanged means 5
};

class Endings : public HatchTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(Endings, SetExitReasonAndAction) {
  const Ending& e = GetParam();
  record.Action = 5;
  record.PatternType = e.patternType;
  record.BoundaryDefined = e.boundary;
  std::strcpy(record.CustomPattern, "MEINMUSTER");
  Run(e.answers);
  EXPECT_EQ(record.ExitReason, e.exitReason);
  EXPECT_EQ(record.Action, e.action);
}

INSTANTIATE_TEST_SUITE_P(
    Hatch, Endings,
    ::testing::Values(
        Ending{"CloseBox", 0, TRUE, "form frmSchraffur close\n", 1, 5},
        Ending{"Escape", 0, TRUE, "form frmSchraffur key FaktorEdit Escape\n", 1, 5},
        Ending{"Cancel", 0, TRUE, "form frmSchraffur click AbbrechenButton\n", 1, 5},
        Ending{"NoInputLeft", 0, TRUE, "", 1, 5},
        Ending{"ApplyPredefined", 0, TRUE, "form frmSchraffur click AnwendenButton\n", 0, 5},
        Ending{"ApplyCustom", 2, TRUE, "form frmSchraffur click AnwendenButton\n", 0, 8},
        Ending{"ApplyWithoutBoundaryIsDisabled", 0, FALSE,
               "form frmSchraffur click AnwendenButton\nform frmSchraffur close\n", 1, 5},
        Ending{"PickPoints", 0, FALSE, "form frmSchraffur click Punkte_waehlenButton\n", 2, 1},
        Ending{"SelectObjects", 0, FALSE, "form frmSchraffur click ObjekteWaehlenButton\n", 2, 2},
        Ending{"RemoveIslands", 0, TRUE, "form frmSchraffur click InselnEntfernenButton\n", 2, 3},
        Ending{"ShowSelection", 0, TRUE, "form frmSchraffur click AuswahlAnzeigenButton\n", 2, 4},
        Ending{"Preview", 0, TRUE, "form frmSchraffur click VoransichtButton\n", 2, 6},
        Ending{"TakeOverProperties", 0, FALSE, "form frmSchraffur click UebernehmenButton\n", 2, 7},
        Ending{"MouseOnPickPoints", 0, FALSE, "form frmSchraffur mouse 300 40\n", 2, 1}),
    rwtest::CaseName());

TEST_F(HatchTest, ApplyWithCustomFieldHandsItsTextAsPatternName) {
  record.PatternType = 2;
  record.BoundaryDefined = TRUE;
  std::strcpy(record.CustomPattern, "MEINMUSTER");
  Run("form frmSchraffur click AnwendenButton\n");
  EXPECT_STREQ(record.PatternName, "MEINMUSTER");
}

struct Focus {
  int action;
  BOOL boundary;
  int patternType;
  const char* control;
};

class InitialFocus : public HatchTest, public ::testing::WithParamInterface<Focus> {};

TEST_P(InitialFocus, FollowsTheIncomingAction) {
  record.Action = GetParam().action;
  record.BoundaryDefined = GetParam().boundary;
  record.PatternType = GetParam().patternType;
  std::string opened = rwtest::block(Run("form frmSchraffur close\n"), kOpened);
  EXPECT_THAT(opened, HasSubstr(std::string("focus=") + GetParam().control + "\n"));
}

INSTANTIATE_TEST_SUITE_P(Hatch, InitialFocus,
                         ::testing::Values(Focus{1, FALSE, 0, "Punkte_waehlenButton"},
                                           Focus{2, FALSE, 0, "ObjekteWaehlenButton"},
                                           Focus{3, TRUE, 0, "InselnEntfernenButton"},
                                           Focus{3, FALSE, 0, "ObjekteWaehlenButton"},
                                           Focus{4, TRUE, 0, "AuswahlAnzeigenButton"},
                                           Focus{6, TRUE, 0, "VoransichtButton"},
                                           Focus{7, FALSE, 0, "UebernehmenButton"},
                                           Focus{8, FALSE, 2, "BenutzerMusterEdit"},
                                           // cannot take the focus: the default one
                                           Focus{8, FALSE, 0, "MusterTypComboBox"},
                                           Focus{4, FALSE, 0, "MusterTypComboBox"},
                                           Focus{0, FALSE, 0, "MusterTypComboBox"},
                                           Focus{5, FALSE, 0, "MusterTypComboBox"}));

struct Number {
  char separator;
  double scale, angle, spacing;
  const char *scaleText, *angleText, *spacingText;
};

class NumbersShown : public HatchTest, public ::testing::WithParamInterface<Number> {
  void TearDown() override {
    vcl::SetSystemDecimalSeparator('.');
    HatchTest::TearDown();
  }
};

TEST_P(NumbersShown, WithDotWhateverTheSystemSeparator) {
  const Number& n = GetParam();
  vcl::SetSystemDecimalSeparator(n.separator);
  record.Scale = n.scale;
  record.Angle = n.angle;
  record.Spacing = n.spacing;
  std::string opened = rwtest::block(Run("form frmSchraffur close\n"), kOpened);
  EXPECT_THAT(rwtest::controlLine(opened, "FaktorEdit"), HasSubstr(std::string("text=\"") + n.scaleText + "\""));
  EXPECT_THAT(rwtest::controlLine(opened, "WinkelEdit"), HasSubstr(std::string("text=\"") + n.angleText + "\""));
  EXPECT_THAT(rwtest::controlLine(opened, "AbstandEdit"), HasSubstr(std::string("text=\"") + n.spacingText + "\""));
}

INSTANTIATE_TEST_SUITE_P(Hatch, NumbersShown,
                         ::testing::Values(Number{',', 2.0, 12.5, 0.25, "2.00", "12.50", "0.25"},
                                           Number{'.', 2.0, 12.5, 0.25, "2.00", "12.50", "0.25"},
                                           Number{'.', -3.0, -2.0, -1.0, "1.00", "0.00", "0.00"},
                                           Number{',', 0.0, 0.0, 0.0, "1.00", "0.00", "0.00"},
                                           Number{',', 1234.567, 359.999, 0.004, "1234.57", "360.00", "0.00"}));

TEST_F(HatchTest, LeavingANumberFieldStoresItWithTheSystemSeparator) {
  vcl::SetSystemDecimalSeparator(',');
  record.Angle = 12.5;
  record.Scale = 1.234;
  Run("form frmSchraffur focus WinkelEdit\nform frmSchraffur leave WinkelEdit\n"
      "form frmSchraffur focus FaktorEdit\nform frmSchraffur leave FaktorEdit\nform frmSchraffur close\n");
  vcl::SetSystemDecimalSeparator('.');
  EXPECT_DOUBLE_EQ(record.Angle, 12.5);
  EXPECT_DOUBLE_EQ(record.Scale, 1.23);  // what the field shows
}

struct Typing {
  const char* field;
  const char* keys;
  const char* text;
  int beeps;
};

class KeyFilter : public HatchTest, public ::testing::WithParamInterface<Typing> {};

TEST_P(KeyFilter, DropsKeysWithAWarningBeep) {
  const Typing& t = GetParam();
  record.PatternType = 1;  // user-defined: spacing can be typed
  record.Spacing = 2.0;
  std::string transcript = Run(std::string("form frmSchraffur type ") + t.field + " \"" + t.keys +
                               "\"\nform frmSchraffur close\n");
  EXPECT_THAT(rwtest::controlLine(rwtest::block(transcript, kClosed), t.field), HasSubstr(std::string("text=\"") + t.text + "\""))
      << rwtest::block(transcript, kClosed);
  EXPECT_EQ(rwtest::count(transcript, "beep type=48"), t.beeps);
}

INSTANTIATE_TEST_SUITE_P(Hatch, KeyFilter,
                         ::testing::Values(Typing{"AbstandEdit", "5", "2.005", 0},
                                           Typing{"AbstandEdit", ".", "2.00", 1},
                                           Typing{"AbstandEdit", "-1", "2.001", 1},
                                           Typing{"AbstandEdit", "a,e+", "2.00", 4},
                                           Typing{"MusterTypComboBox", "x1", "Benutzerdefiniert", 2},
                                           // read-only fields: digits are taken by the filter, not the field
                                           Typing{"WinkelEdit", "7", "0.00", 0},
                                           Typing{"WinkelEdit", "-", "0.00", 1}));

TEST_F(HatchTest, SetReplacesTheTextThroughTheFilterAndLeavingStoresIt) {
  record.PatternType = 1;
  Run("form frmSchraffur set AbstandEdit 1.5.2\nform frmSchraffur click ObjekteWaehlenButton\n");
  EXPECT_DOUBLE_EQ(record.Spacing, 1.52);
  EXPECT_EQ(record.Action, 2);
}

struct TypeSwitch {
  const char* item;
  int patternType;
  const char* patternName;
  bool listOn, customOn, scaleOn, spacingOn, doubleOn;
};

class TypeSwitching : public HatchTest, public ::testing::WithParamInterface<TypeSwitch> {};

TEST_P(TypeSwitching, EnablesTheFieldsOfTheType) {
  const TypeSwitch& s = GetParam();
  record.PatternType = 0;
  std::strcpy(record.CustomPattern, "MEINMUSTER");
  std::string closed = rwtest::block(Run(std::string("form frmSchraffur select MusterTypComboBox ") + s.item +
                                 "\nform frmSchraffur close\n"),
                             kClosed);
  EXPECT_EQ(record.PatternType, s.patternType);
  EXPECT_STREQ(record.PatternName, s.patternName);
  const std::pair<const char*, bool> states[] = {{"MusterComboBox", s.listOn},
                                                 {"BenutzerMusterEdit", s.customOn},
                                                 {"FaktorEdit", s.scaleOn},
                                                 {"AbstandEdit", s.spacingOn},
                                                 {"DoppelschraffurCheckBox", s.doubleOn}};
  for (const auto& [control, on] : states) {
    SCOPED_TRACE(control);
    const std::string line = rwtest::controlLine(closed, control);
    if (on) EXPECT_THAT(line, Not(HasSubstr(" disabled")));
    else EXPECT_THAT(line, HasSubstr(" disabled"));
    if (std::string(control) == "MusterComboBox" || std::string(control) == "AbstandEdit") {
      EXPECT_THAT(line, HasSubstr(on ? "color=clWindow" : "color=clInactiveBorder"));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Hatch, TypeSwitching,
    ::testing::Values(TypeSwitch{"Vordefiniert", 0, "ANSI31", true, false, true, false, false},
                      TypeSwitch{"Benutzerdefiniert", 1, "ANSI31", false, false, false, true, true},
                      TypeSwitch{"Benutzerspezifisch", 2, "MEINMUSTER", false, true, true, false, false}));

TEST_F(HatchTest, ChoosingAListedPatternMakesItThePatternName) {
  Run("form frmSchraffur select MusterComboBox NET\nform frmSchraffur close\n");
  EXPECT_STREQ(record.PatternName, "NET");
}

// Letter case is ignored as the system does for ANSI text: every letter of
// code page 1252 has its capital, and "\xDF" (sharp s) is not "SS".
TEST_F(HatchTest, CustomPatternMatchingAListedNameInAnotherCaseSwitchesToCustom) {
  struct Case {
    const char* custom;
    const char* listed;
    bool matches;
  };
  const Case cases[] = {
      {"ansi32", "ANSI32", true},
      {"m\xFCster", "M\xDCSTER", true},
      {"\xE6\xF8\xE5\xE9\xFE", "\xC6\xD8\xC5\xC9\xDE", true},
      {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F", true},
      {"muster", "M\xDCSTER", false},
      {"stra\xDF" "e", "STRASSE", false},
      {"\xF7", "\xD7", false},  // division and multiplication signs are no letters
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.custom);
    char* patterns[] = {const_cast<char*>("ANSI31"), const_cast<char*>(c.listed), nullptr};
    record.PatternList = patterns;
    record.PatternType = 0;
    std::strcpy(record.CustomPattern, c.custom);
    std::string opened = rwtest::block(Run("form frmSchraffur close\n"), kOpened);
    EXPECT_THAT(rwtest::controlLine(opened, "MusterTypComboBox"), HasSubstr(c.matches ? "text=\"Benutzerspezifisch\"" : "text=\"Vordefiniert\""));
    EXPECT_EQ(record.PatternType, c.matches ? 2 : 0);
    if (c.matches) {
      EXPECT_STREQ(record.PatternName, c.custom);
    }
  }
}

TEST_F(HatchTest, PatternTypeOutsideTheListShowsTheFirstType) {
  for (int type : {5, 3, -1}) {
    SCOPED_TRACE(::testing::Message() << "PatternType " << type);
    record.PatternType = type;
    std::string opened = rwtest::block(Run("form frmSchraffur close\n"), kOpened);
    EXPECT_THAT(rwtest::controlLine(opened, "MusterTypComboBox"), HasSubstr("text=\"Vordefiniert\"")) << type;
    EXPECT_EQ(record.PatternType, 0);
  }
}

TEST_F(HatchTest, ShowWritesCheckBoxesAndOriginDisablesAssociative) {
  record.Origin = 7;
  record.DoubleHatch = 5;
  record.Associative = 3;  // the box is ticked already: no change, no write
  std::string opened = rwtest::block(Run("form frmSchraffur close\n"), kOpened);
  EXPECT_EQ(record.Origin, 1);
  EXPECT_EQ(record.DoubleHatch, 1);
  EXPECT_EQ(record.Associative, 3);
  EXPECT_THAT(rwtest::controlLine(opened, "AssoziativschraffurCheckBox"), HasSubstr("disabled"));
}

struct Help {
  BOOL enabled;
  bool withProc;
  int calls;
};

class HelpButton : public HatchTest, public ::testing::WithParamInterface<Help> {};

TEST_P(HelpButton, CallsTheHostsHelpWhenEnabledAndGiven) {
  record.HelpEnabled = GetParam().enabled;
  record.HelpProc = GetParam().withProc ? CountHelp : nullptr;
  Run("form frmSchraffur click HilfeButton\nform frmSchraffur click HilfeButton\nform frmSchraffur close\n");
  EXPECT_EQ(calls.help, GetParam().calls);
  if (calls.help) {
    EXPECT_EQ(calls.lastRecord, &record);
  }
  EXPECT_EQ(record.ExitReason, 1);  // the form stayed open until closed
}

INSTANTIATE_TEST_SUITE_P(Hatch, HelpButton,
                         ::testing::Values(Help{TRUE, true, 2}, Help{TRUE, false, 0}, Help{FALSE, true, 0}));

TEST_F(HatchTest, AnExceptionInAHandlerIsShownAndTheFormStaysOpen) {
  record.HelpProc = [](TSchraffurRecord*) WINAPI { throw std::runtime_error("kaputt"); };
  std::string transcript =
      Run("form frmSchraffur click HilfeButton\nmsgbox ok\nform frmSchraffur click AbbrechenButton\n");
  EXPECT_THAT(transcript, HasSubstr("| Ausnahmebedingung: kaputt"));
  EXPECT_EQ(record.ExitReason, 1);
}

TDoSchraff nested = nullptr;

TEST_F(HatchTest, ACallFromAHostCallbackWhileTheFormIsOpenReturnsAtOnce) {
  Load();
  nested = reinterpret_cast<TDoSchraff>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("dfelmar2.dll"), "DoSchraff")));
  record.HelpProc = [](TSchraffurRecord* r) WINAPI {
    ++calls.help;
    EXPECT_EQ(nested(r), 1);
  };
  std::string transcript = Run("form frmSchraffur click HilfeButton\nform frmSchraffur click AbbrechenButton\n");
  EXPECT_EQ(calls.help, 1);
  EXPECT_EQ(rwtest::count(transcript, "form frmSchraffur opened"), 1);
  EXPECT_EQ(record.ExitReason, 1);
}

TEST_F(HatchTest, PatternNameIsCutTo1023CharactersAndNeverOverruns) {
  std::string longName(2000, 'P');
  char* list[] = {longName.data(), nullptr};
  record.PatternList = list;
  record.Scale = 4.5;
  std::memset(record.PatternName, 'Z', sizeof record.PatternName);
  Run("form frmSchraffur close\n");
  EXPECT_EQ(std::strlen(record.PatternName), 1023u);
  EXPECT_EQ(record.Scale, 4.5);
}

TEST_F(HatchTest, CustomPatternWithoutNulIsReadUpTo1024Characters) {
  std::memset(record.CustomPattern, 'C', sizeof record.CustomPattern);
  record.PatternType = 2;
  record.BoundaryDefined = TRUE;
  std::string opened = rwtest::block(Run("form frmSchraffur click AnwendenButton\n"), kOpened);
  EXPECT_THAT(rwtest::controlLine(opened, "BenutzerMusterEdit"), HasSubstr("text=\"" + std::string(1024, 'C') + "\""));
  EXPECT_EQ(std::string(record.PatternName), std::string(1023, 'C'));
  EXPECT_EQ(record.ExitReason, 0);
}

TEST_F(HatchTest, WithoutARecordApplyAndCancelOnlyClose) {
  for (const char* ending : {"click AnwendenButton", "click AbbrechenButton", "close"}) {
    SCOPED_TRACE(ending);
    std::string transcript = Run(std::string("form frmSchraffur click Punkte_waehlenButton\n"
                                             "form frmSchraffur click HilfeButton\n"
                                             "form frmSchraffur click optionenButton\n"
                                             "form frmSchraffur ") +
                                     ending + "\n",
                                 nullptr);
    EXPECT_THAT(transcript, HasSubstr(kClosed)) << ending;
    EXPECT_THAT(transcript, Not(HasSubstr("form FormOptionen")));
  }
  EXPECT_EQ(calls.help, 0);
}

TEST_F(HatchTest, TheCustomFieldIsReadOnlySoTypingNeverChecksAName) {
  record.PatternType = 2;
  std::strcpy(record.CustomPattern, "EINS");
  Run("form frmSchraffur type BenutzerMusterEdit X\nform frmSchraffur click ObjekteWaehlenButton\n");
  EXPECT_EQ(record.Action, 2);
}

}  // namespace
}  // namespace hatchtest
