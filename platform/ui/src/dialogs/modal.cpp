// The modal run of a dialog: painting, then one answer at a time.
#include <string>

#include "state.h"
#include "ui/driver.h"
#include "ui/window_view.h"

namespace ui {
namespace {

// The answers and transcript name a dialog by its template id.
std::string TargetOf(const Dialog& d) { return std::to_string(d.id()); }

// The dialog as an open window, for a driver that shows it.
class ShownDialog : public ShownWindow {
 public:
  explicit ShownDialog(const Dialog& dialog) : dialog_(dialog) {}
  WindowView view() const override { return dialog_.view(); }

 private:
  const Dialog& dialog_;
};

}  // namespace

int Dialog::runModal() {
  try {
    return run();
  } catch (...) {
    state_->running = false;
    driver().record("dialog " + TargetOf(*this) + " ended by an error of its program");
    throw;
  }
}

int Dialog::run() {
  State& s = *state_;
  s.running = true;
  s.ended = false;
  auto paintIfInvalid = [&] {
    if (!s.invalid || !s.visible) return;
    s.invalid = false;  // painted now, whether or not the program paints
    if (s.listener) s.listener->onEvent({DialogEventKind::Paint});
  };
  paintIfInvalid();
  if (!s.ended) driver().record(describe("opened"));
  ShownDialog shown(*this);
  const OpenWindow open(shown);
  while (!s.ended) {
    paintIfInvalid();
    if (s.ended) break;
    std::optional<ControlAction> action;
    if (s.visible) action = driver().nextAction(TargetOf(*this));
    if (!action) {
      driver().record("dialog " + TargetOf(*this) +
                      (s.visible ? ": no input left, the window is closed (no answer)"
                                 : ": hidden with no one to show it again, the window is closed (no answer)"));
      if (s.listener) s.listener->onEvent({DialogEventKind::Close});
      if (!s.ended) end(kIdCancel);
      break;
    }
    apply(action->verb, action->args);
  }
  driver().record(describe("closed"));
  s.running = false;
  return s.result;
}

}  // namespace ui
