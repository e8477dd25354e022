#include "actions.h"

#include <ui/driver.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace hatchhost {
namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::toupper(x) == std::toupper(y);
         });
}

void Say(const std::string& text) { ui::driver().commandLine("hatch-host: " + text + "\n"); }

// Picks objects until the user ends with Enter (or Escape); their number.
int PickObjects(const std::string& prompt) {
  int picked = 0;
  while (ui::driver().pick(prompt).kind == ui::PickAnswer::Kind::Entity) ++picked;
  return picked;
}

void DefineBoundary(TSchraffurRecord& r, int objects) {
  if (objects == 0) return Say("no boundary picked");
  r.BoundaryCount = objects;
  r.BoundaryDefined = TRUE;
  Say("boundary of " + std::to_string(objects) + " object(s)");
}

void RemoveIslands(TSchraffurRecord& r) {
  const int removed = PickObjects("Select island to remove");
  r.BoundaryCount = std::max(1, r.BoundaryCount - removed);
  Say(std::to_string(removed) + " island(s) removed, boundary of " + std::to_string(r.BoundaryCount) +
      " object(s)");
}

std::string Number(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  return buffer;
}

void Preview(const TSchraffurRecord& r) {
  Say("preview of " + std::string(r.PatternName) + " type " + std::to_string(r.PatternType) + " scale " +
      Number(r.Scale) + " angle " + Number(r.Angle) + " spacing " + Number(r.Spacing) + " style " +
      std::to_string(r.HatchStyle) + " on " + std::to_string(r.BoundaryCount) + " object(s)");
  ui::driver().pick("Press Enter to return to the dialog");
}

// The picked hatch's properties come back as a custom pattern of that name,
// which the form shows as the custom type when the name is listed.
void TakeOverProperties(HostRecord& host) {
  ui::PickAnswer answer = ui::driver().pick("Select hatch object");
  if (answer.kind != ui::PickAnswer::Kind::Entity || host.patterns().empty()) return Say("no hatch picked");
  const std::string& pattern = host.patterns().front();
  std::snprintf(host.record().CustomPattern, sizeof host.record().CustomPattern, "%s", pattern.c_str());
  Say("properties of hatch " + answer.handle + " taken over: " + pattern);
}

}  // namespace

bool CheckPatternName(HostRecord& host) {
  TSchraffurRecord& r = host.record();
  const std::string name(r.PatternName, strnlen(r.PatternName, sizeof r.PatternName));
  for (const auto& known : host.patterns()) {
    if (!SameName(known, name)) continue;
    std::snprintf(r.CustomPattern, sizeof r.CustomPattern, "%s", name.c_str());
    Say("pattern " + name + " accepted");
    return true;
  }
  MessageBoxA(nullptr, ("Unknown hatch pattern: " + name).c_str(), "hatch-host", MB_OK | MB_ICONEXCLAMATION);
  return false;
}

void CarryOut(HostRecord& host) {
  TSchraffurRecord& r = host.record();
  switch (r.Action) {
    case saPunkteWaehlen: return DefineBoundary(r, PickObjects("Pick internal point"));
    case saObjekteWaehlen: return DefineBoundary(r, PickObjects("Select objects"));
    case saInselnEntfernen: return RemoveIslands(r);
    case saAuswahlAnzeigen:
      Say("boundary set of " + std::to_string(r.BoundaryCount) + " object(s) highlighted");
      return;
    case saVoransicht: return Preview(r);
    case saEigenschaften: return TakeOverProperties(host);
    case saMusterPruefen: CheckPatternName(host); return;
    case saNeueUmgrenzung: return DefineBoundary(r, PickObjects("Select new boundary lines"));
    default: Say("unknown action " + std::to_string(r.Action));
  }
}

}  // namespace hatchhost
