#include "ui/input_player.h"

#include <algorithm>
#include <cctype>

namespace ui {
namespace {

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// Of the candidates under the point, the deepest, and of those the topmost;
// those that let the mouse through take no part.
const HitCandidate* hitTest(const std::vector<HitCandidate>& candidates, int x, int y) {
  const HitCandidate* hit = nullptr;
  for (const auto& c : candidates)
    if (c.role != HitCandidate::Role::PassThrough && x >= c.left && y >= c.top && x < c.right && y < c.bottom &&
        (!hit || c.depth > hit->depth))
      hit = &c;
  return hit;
}

void mouse(InputAdapter& window, const ControlAction& action) {
  int x = 0, y = 0;
  if (action.args.size() != 2 || !parseInputNumber(action.args[0], x) || !parseInputNumber(action.args[1], y))
    return ignoreInput(window, "mouse needs two numbers");
  const auto candidates = window.hitCandidates();
  const HitCandidate* hit = hitTest(candidates, x, y);
  if (!hit) return window.pressWindow(x, y);
  if (!window.target(hit->control).empty()) return;
  if (hit->role == HitCandidate::Role::Field) return window.focusAt(x, y);
  window.click();
}

void onControl(InputAdapter& window, const ControlAction& action) {
  const std::string& verb = action.verb;
  const auto& args = action.args;
  const std::string text = args.size() > 1 ? args[1] : "";
  if (verb == "click") return window.click();
  if (verb == "check" || verb == "uncheck") return window.check(verb == "check");
  if (verb == "select") return window.select(text, -1);
  if (verb == "select-index") {
    int index = -1;
    if (!parseInputNumber(text, index)) return ignoreInput(window, args[0] + " has no item " + text);
    return window.select(text, index);
  }
  if (verb == "set") return window.setText(text);
  if (verb == "type") return window.type(text);
  if (verb == "focus") return window.focus();
  if (verb == "leave") return window.leave();
  if (verb == "key") {
    const auto key = parseKey(text);
    if (!key) return ignoreInput(window, "unknown key " + text);
    return window.key(*key);
  }
  ignoreInput(window, "unknown verb " + verb);
}

}  // namespace

bool parseInputNumber(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9 ||
      !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
    return false;
  value = std::stoi(text);
  return true;
}

std::optional<InputKey> parseKey(const std::string& word) {
  using Name = InputKey::Name;
  const std::string name = lower(word);
  if (name == "enter" || name == "return") return InputKey{Name::Enter};
  if (name == "escape" || name == "esc") return InputKey{Name::Escape};
  if (name == "tab") return InputKey{Name::Tab};
  if (name == "backspace") return InputKey{Name::Backspace};
  if (name == "delete") return InputKey{Name::Delete};
  if (name == "space") return InputKey{Name::Char, ' '};
  if (word.size() == 1) return InputKey{Name::Char, word[0]};
  return std::nullopt;
}

void ignoreInput(const InputAdapter& window, const std::string& why) {
  driver().record(window.name() + ": ignored, " + why);
}

void playInput(InputAdapter& window, const ControlAction& action) {
  if (window.special(action)) return;
  if (action.verb == "close") return window.close();
  if (action.verb == "mouse") return mouse(window, action);
  if (action.args.empty()) return ignoreInput(window, "no control");
  if (const std::string why = window.target(action.args[0]); !why.empty()) return ignoreInput(window, why);
  if (const std::string why = window.unusable(); !why.empty()) return ignoreInput(window, why);
  onControl(window, action);
}

}  // namespace ui
