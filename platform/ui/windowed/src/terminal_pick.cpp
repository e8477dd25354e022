#include "terminal_pick.h"

#include <algorithm>
#include <cctype>

namespace ui::windowed {
namespace {

constexpr size_t kLongestReply = 256;

std::string Trimmed(const std::string& line) {
  const size_t first = line.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

// One line of `in` (its end dropped); nothing at the end of the input. A
// longer line than any reply is read to its end and given as it starts.
std::optional<std::string> ReadLine(std::FILE* in) {
  std::string line;
  for (int c; (c = std::fgetc(in)) != EOF;) {
    if (c == '\n') return line;
    if (line.size() < kLongestReply) line += static_cast<char>(c);
  }
  if (line.empty()) return std::nullopt;
  return line;
}

}  // namespace

std::optional<PickAnswer> ReadPickReply(const std::string& line) {
  std::string word = Trimmed(line);
  if (word.find('\x1b') != std::string::npos) return PickAnswer{PickAnswer::Kind::Cancel, {}};
  std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::toupper(c); });
  if (word.empty()) return PickAnswer{PickAnswer::Kind::Nothing, {}};
  if (word == "ESC" || word == "ESCAPE" || word == "CANCEL") return PickAnswer{PickAnswer::Kind::Cancel, {}};
  if (word.size() <= 16 && std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isxdigit(c); }))
    return PickAnswer{PickAnswer::Kind::Entity, word};
  return std::nullopt;
}

PickAnswer AskPick(const std::string& prompt, std::FILE* out, std::FILE* in) {
  std::fprintf(out, "%s[handle, Enter: nothing, Esc: cancel] ", prompt.c_str());
  std::fflush(out);
  while (true) {
    const auto line = ReadLine(in);
    if (!line) {
      std::fputs("\n", out);
      return {PickAnswer::Kind::Cancel, {}};
    }
    if (auto answer = ReadPickReply(*line)) return *answer;
    std::fputs("An entity handle in hex, nothing, or Esc: ", out);
    std::fflush(out);
  }
}

}  // namespace ui::windowed
