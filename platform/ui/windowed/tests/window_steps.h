#pragma once
// Steps a test takes at a windowed driver's windows: each time a window waits
// for input, the next step looks at it and acts; a window that waits beyond
// the steps is closed, and the test fails.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ui/windowed_driver.h"

namespace ui::testing {

class WindowSteps {
 public:
  using Step = std::function<void(const WindowOnScreen&)>;

  // The steps to take at `driver`'s windows from now on (the steps must outlive its run).
  void play(WindowedDriver& driver, std::vector<Step> steps) {
    steps_ = std::move(steps);
    next_ = 0;
    driver.watchWindows([this](const WindowOnScreen& w) {
      if (next_ < steps_.size()) return steps_[next_++](w);
      ADD_FAILURE() << "the window " << w.target << " waits for more input than the test gives";
      w.window->do_callback();
    });
  }
  bool allTaken() const { return next_ == steps_.size(); }

 private:
  std::vector<Step> steps_;
  size_t next_ = 0;
};

}  // namespace ui::testing
