#pragma once
// Picks at the command line, asked on the terminal: the prompt, then a line
// with an entity handle (hex), nothing (Enter: pick nothing) or Escape.
#include <cstdio>
#include <optional>
#include <string>

#include "ui/driver.h"

namespace ui::windowed {

// What a reply line means; nothing when it is none of the three.
std::optional<PickAnswer> ReadPickReply(const std::string& line);

// Asks until a reply means something; the end of the input cancels.
PickAnswer AskPick(const std::string& prompt, std::FILE* out, std::FILE* in);

}  // namespace ui::windowed
