#include <string>

#include "arx/pagesetup.h"
#include "arx/plotdevices.h"
#include "dbmain.h"
#include "page_setup_values.h"
#include "ui/driver.h"

namespace arx {
namespace {

constexpr const char* kTarget = "pagesetup";

std::string describe(const PageSetup& setup) {
  const PlotDevice* device = findPlotDevice(setup.plotCfgName);
  const auto medium = device ? findPlotMedium(*device, setup.canonicalMediaName) : std::nullopt;
  return "layout=\"" + setup.layoutName + "\" device=\"" + setup.plotCfgName + "\" media=\"" +
         (medium ? medium->localeName : setup.canonicalMediaName) + "\" type=" + layout::plotTypeName(setup.plotType) +
         " window=" + layout::windowText(setup);
}

// "select-index device 2" names the item by its place in the list.
bool itemAtIndex(const PageSetup& setup, const std::string& control, const std::string& index, std::string& name) {
  const auto& devices = plotDevices();
  const PlotDevice* device = findPlotDevice(setup.plotCfgName);
  size_t i = 0;
  try {
    i = std::stoul(index);
  } catch (const std::exception&) {
    return false;
  }
  if (control == "device" && i < devices.size()) name = devices[i].name;
  else if (control == "media" && device && i < device->media.size()) name = device->media[i].localeName;
  else return false;
  return true;
}

enum class Outcome { Open, Confirmed, Cancelled };

// Carries out one answer on the dialog's draft.
Outcome apply(PageSetup& draft, const ui::ControlAction& action) {
  const auto& args = action.args;
  std::string error = "Unknown input";
  if (action.verb == "close") return Outcome::Cancelled;
  if (action.verb == "click" && args.size() == 1 && (args[0] == "1" || args[0] == "ok")) return Outcome::Confirmed;
  if (action.verb == "click" && args.size() == 1 && (args[0] == "2" || args[0] == "cancel")) return Outcome::Cancelled;
  std::string value = args.size() == 2 ? args[1] : "";
  const bool valid = args.size() == 2 && (action.verb == "set" || action.verb == "select" ||
                                          (action.verb == "select-index" && itemAtIndex(draft, args[0], args[1], value)));
  if (valid && layout::applyPageSetupValue(draft, args[0], value, error)) {
    ui::driver().record("dialog pagesetup now " + describe(draft));
  } else {
    ui::driver().record("dialog pagesetup refused " + action.verb + ": " + error);
  }
  return Outcome::Open;
}

}  // namespace

bool runPageSetupDialog() {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  ui::Driver& driver = ui::driver();
  if (!db) {
    driver.commandLine("No drawing is open: no page setup\n");
    return false;
  }
  PageSetup draft = pageSetup(*db);
  driver.record("dialog pagesetup open " + describe(draft));
  Outcome outcome = Outcome::Open;
  while (outcome == Outcome::Open) {
    const auto action = driver.nextAction(kTarget);
    outcome = action ? apply(draft, *action) : Outcome::Cancelled;
  }
  const bool confirmed = outcome == Outcome::Confirmed;
  if (confirmed) pageSetup(*db) = draft;
  driver.record(std::string("dialog pagesetup close -> ") + (confirmed ? "ok" : "cancel"));
  return confirmed;
}

}  // namespace arx
