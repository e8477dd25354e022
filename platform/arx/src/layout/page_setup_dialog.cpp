#include <string>

#include "arx/pagesetup.h"
#include "arx/plotdevices.h"
#include "dbmain.h"
#include "page_setup_values.h"
#include "page_setup_window.h"
#include "ui/driver.h"
#include "ui/input_player.h"

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

// The page setup dialog as the input player sees it: its controls are the
// values of the draft ("device", "media", "type", "window", ...), checked as
// they are given; OK (1, ok) and Cancel (2, cancel) end it.
class PageSetupInput : public ui::InputAdapter {
 public:
  explicit PageSetupInput(PageSetup& draft) : draft_(draft) {}
  Outcome outcome = Outcome::Open;

  std::string name() const override { return "dialog pagesetup"; }
  std::string target(const std::string& control) override {
    control_ = control;
    return "";
  }
  std::string unusable() const override { return ""; }
  bool special(const ui::ControlAction& action) override {
    verb_ = action.verb;
    return false;
  }
  void close() override { outcome = Outcome::Cancelled; }
  void click() override {
    if (control_ == "1" || control_ == "ok") outcome = Outcome::Confirmed;
    else if (control_ == "2" || control_ == "cancel") outcome = Outcome::Cancelled;
    else refuse("Unknown input");
  }
  void select(const std::string& text, int index) override {
    std::string value = text;
    if (index >= 0 && !itemAtIndex(draft_, control_, text, value)) return refuse("Unknown input");
    change(value);
  }
  void setText(const std::string& text) override { change(text); }
  void key(const ui::InputKey& key) override {
    if (key.name == ui::InputKey::Name::Enter) outcome = Outcome::Confirmed;
    else if (key.name == ui::InputKey::Name::Escape) outcome = Outcome::Cancelled;
    else refuse("Unknown input");
  }
  void check(bool) override { refuse("Unknown input"); }
  void type(const std::string&) override { refuse("Unknown input"); }
  void focus() override {}
  void leave() override {}
  std::vector<ui::HitCandidate> hitCandidates() const override { return {}; }
  void pressWindow(int, int) override { refuse("Unknown input"); }

 private:
  void change(const std::string& value) {
    std::string error = "Unknown input";
    if (layout::applyPageSetupValue(draft_, control_, value, error))
      ui::driver().record("dialog pagesetup now " + describe(draft_));
    else
      refuse(error);
  }
  void refuse(const std::string& why) const { ui::driver().record("dialog pagesetup refused " + verb_ + ": " + why); }

  PageSetup& draft_;
  std::string control_, verb_;
};

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
  PageSetupInput input(draft);
  layout::PageSetupWindow window(draft);
  const ui::OpenWindow open(window);
  while (input.outcome == Outcome::Open) {
    const auto action = driver.nextAction(kTarget);
    if (action) ui::playInput(input, *action);
    else input.outcome = Outcome::Cancelled;
  }
  const bool confirmed = input.outcome == Outcome::Confirmed;
  if (confirmed) pageSetup(*db) = draft;
  driver.record(std::string("dialog pagesetup close -> ") + (confirmed ? "ok" : "cancel"));
  return confirmed;
}

}  // namespace arx
