#pragma once
// The parameter record of DoSchraff, shared by the library and its hosts.
// 32-bit layout: every field at a fixed byte offset, 2164 bytes in all; a
// 64-bit build keeps the field order with native pointers and handles.
#include <windows.h>

#pragma pack(push, 4)

struct TSchraffurRecord;

// Host functions called while the form is open; any result is ignored.
typedef void(WINAPI* TSchraffurProc)(TSchraffurRecord* Record);

struct TSchraffurRecord {
  HWND ParentWindow;        // owner of the dialog; 0 for none
  int Reserved04;
  BOOL HelpEnabled;         // nonzero: the help button calls HelpProc
  TSchraffurProc HelpProc;  // may be null
  int Reserved16;
  int Action;               // in: action of the previous return; out: action requested
  int ExitReason;           // 0 apply, 1 cancelled or closed, 2 action requested
  int Reserved28;
  char CustomPattern[1024];  // custom-pattern text (need not end with a NUL)
  char PatternName[1024];    // chosen pattern name, at most 1023 characters
  double Scale;
  double Angle;
  double Spacing;
  int PatternType;  // 0 predefined, 1 user-defined, 2 custom
  BOOL DoubleHatch;
  BOOL Associative;
  BOOL Origin;
  char** PatternList;  // pattern names, ended by a null pointer
  BOOL BoundaryDefined;
  int HatchStyle;  // 0 normal, 1 outer, 2 ignore
  BOOL FromBoundary;
  BOOL IslandDetection;
  int SavedHatchStyle;  // restored when the options form is cancelled
  BOOL SavedFromBoundary;
  BOOL SavedIslandDetection;
  BOOL NewBoundary;   // new boundary lines requested from the options form
  int BoundaryCount;  // > 0: a boundary set from an earlier pick exists
  TSchraffurProc OptionsCancelProc;
};

#pragma pack(pop)

#if defined(__i386__) || defined(_M_IX86)
#include <cstddef>
// The 32-bit layout the hosts were built against.
static_assert(offsetof(TSchraffurRecord, ParentWindow) == 0);
static_assert(offsetof(TSchraffurRecord, HelpEnabled) == 8);
static_assert(offsetof(TSchraffurRecord, HelpProc) == 12);
static_assert(offsetof(TSchraffurRecord, Action) == 20);
static_assert(offsetof(TSchraffurRecord, ExitReason) == 24);
static_assert(offsetof(TSchraffurRecord, CustomPattern) == 32);
static_assert(offsetof(TSchraffurRecord, PatternName) == 1056);
static_assert(offsetof(TSchraffurRecord, Scale) == 2080);
static_assert(offsetof(TSchraffurRecord, Angle) == 2088);
static_assert(offsetof(TSchraffurRecord, Spacing) == 2096);
static_assert(offsetof(TSchraffurRecord, PatternType) == 2104);
static_assert(offsetof(TSchraffurRecord, DoubleHatch) == 2108);
static_assert(offsetof(TSchraffurRecord, Associative) == 2112);
static_assert(offsetof(TSchraffurRecord, Origin) == 2116);
static_assert(offsetof(TSchraffurRecord, PatternList) == 2120);
static_assert(offsetof(TSchraffurRecord, BoundaryDefined) == 2124);
static_assert(offsetof(TSchraffurRecord, HatchStyle) == 2128);
static_assert(offsetof(TSchraffurRecord, FromBoundary) == 2132);
static_assert(offsetof(TSchraffurRecord, IslandDetection) == 2136);
static_assert(offsetof(TSchraffurRecord, SavedHatchStyle) == 2140);
static_assert(offsetof(TSchraffurRecord, SavedFromBoundary) == 2144);
static_assert(offsetof(TSchraffurRecord, SavedIslandDetection) == 2148);
static_assert(offsetof(TSchraffurRecord, NewBoundary) == 2152);
static_assert(offsetof(TSchraffurRecord, BoundaryCount) == 2156);
static_assert(offsetof(TSchraffurRecord, OptionsCancelProc) == 2160);
static_assert(sizeof(TSchraffurRecord) == 2164);
#endif

// The values the hatch form hands to the options form and takes back.
struct TOptionenRecord {
  int FromBoundary;
  int IslandDetection;
  int HatchStyle;
  int BoundaryCount;
  int NewBoundary;
};

// Action codes: what the host is asked to do when ExitReason is 2.
enum TSchraffurAction {
  saPunkteWaehlen = 1,      // pick points
  saObjekteWaehlen = 2,     // select objects
  saInselnEntfernen = 3,    // remove islands
  saAuswahlAnzeigen = 4,    // show selection
  saVoransicht = 6,         // preview
  saEigenschaften = 7,      // take over properties of a hatch
  saMusterPruefen = 8,      // check the pattern name in PatternName
  saNeueUmgrenzung = 9      // pick new boundary lines
};

enum TSchraffurExit { seAnwenden = 0, seAbbruch = 1, seAktion = 2 };

#define SCHRAFFUR_PATTERN_NAME_MAX 1023

typedef int(WINAPI* TDoSchraff)(TSchraffurRecord* Record);

extern "C" int WINAPI DoSchraff(TSchraffurRecord* Record);
