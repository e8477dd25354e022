#include "answers.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

#include "ui/answer_kinds.h"

namespace ui::answers {
namespace {

const std::pair<const char*, int> kButtons[] = {
    {"ok", kIdOk},         {"cancel", kIdCancel},     {"abort", kIdAbort},
    {"retry", kIdRetry},   {"ignore", kIdIgnore},     {"yes", kIdYes},
    {"no", kIdNo},         {"tryagain", kIdTryAgain}, {"continue", kIdContinue}};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

bool isHex(const std::string& s) {
  return !s.empty() && s.size() <= 16 &&
         std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isxdigit(c); });
}

// Control verbs and how many words follow each (min, max).
struct VerbShape {
  const char* verb;
  size_t minArgs, maxArgs;
};
const VerbShape kVerbs[] = {
    {"set", 2, 2},   {"select", 2, 2}, {"select-index", 2, 2}, {"check", 1, 1},
    {"uncheck", 1, 1}, {"click", 1, 1}, {"focus", 1, 1},        {"leave", 1, 1},
    {"mouse", 2, 2}, {"close", 0, 0},  {"key", 2, 2},           {"type", 2, 2}};

bool isNumber(const std::string& s) {
  return !s.empty() && s.size() <= 9 &&
         std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

// Empty when the answer is well formed, otherwise what is wrong with it.
std::string checkControlAction(const std::vector<std::string>& w) {
  if (w.size() < 2) return "needs a target window and a verb";
  const auto* shape = std::find_if(std::begin(kVerbs), std::end(kVerbs),
                                   [&](const VerbShape& v) { return w[1] == v.verb; });
  if (shape == std::end(kVerbs)) return "unknown verb '" + w[1] + "'";
  const size_t args = w.size() - 2;
  if (args < shape->minArgs || args > shape->maxArgs)
    return "wrong number of words for '" + w[1] + "'";
  if (w[1] == "select-index" && !isNumber(w[3])) return "index must be a number";
  if (w[1] == "mouse" && !(isNumber(w[2]) && isNumber(w[3])))
    return "mouse needs two pixel numbers";
  return {};
}

std::string checkMessageBox(const std::vector<std::string>& w) {
  return w.size() == 1 && buttonByName(w[0]) ? "" : "expects one of ok cancel abort retry ignore yes no tryagain continue";
}

std::string checkFile(const std::vector<std::string>& w) {
  return w.size() == 1 ? "" : "expects one path (quoted if it has blanks) or cancel";
}

std::string checkPick(const std::vector<std::string>& w) {
  return w.size() == 1 && (w[0] == "enter" || w[0] == "cancel" || isHex(w[0]))
             ? ""
             : "expects an entity handle (hex), enter or cancel";
}

// The kinds of the driver's own requests.
const AnswerKindRegistration kDriverKinds[] = {
    AnswerKindRegistration({"msgbox", checkMessageBox, true}),
    AnswerKindRegistration({"file", checkFile, false}),
    AnswerKindRegistration({"pick", checkPick, true}),
    AnswerKindRegistration({"dialog", checkControlAction, false}),
    AnswerKindRegistration({"form", checkControlAction, false}),
};

std::string unknownKind(const std::string& kind) {
  std::string known;
  for (const std::string& name : answerKindNames()) known += (known.empty() ? "" : " ") + name;
  return "unknown kind of answer '" + kind + "' (this program knows " + known + ")";
}

}  // namespace

std::vector<std::string> splitWords(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (true) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i >= line.size()) return words;
    std::string word;
    if (line[i] != '"') {
      while (i < line.size() && !isBlank(line[i])) word += line[i++];
    } else {
      for (++i;; ++i) {
        if (i >= line.size()) throw std::invalid_argument("unterminated quote");
        if (line[i] != '"') { word += line[i]; continue; }
        if (i + 1 < line.size() && line[i + 1] == '"') { word += '"'; ++i; continue; }
        ++i;
        break;
      }
    }
    words.push_back(std::move(word));
  }
}

std::string quoteWord(const std::string& word) {
  const bool plain = !word.empty() && word.find_first_of(" \t\r\"") == std::string::npos;
  if (plain) return word;
  std::string out = "\"";
  for (char c : word) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::string joinWords(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& w : words) out += (out.empty() ? "" : " ") + quoteWord(w);
  return out;
}

std::deque<Answer> parse(const std::string& text, const std::string& source) {
  std::deque<Answer> result;
  size_t start = 0;
  for (int number = 1; start <= text.size(); ++number) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    const std::string where = source + " line " + std::to_string(number) + ": ";
    std::vector<std::string> words;
    try {
      words = splitWords(line);
    } catch (const std::invalid_argument& e) {
      throw AnswersError(where + e.what());
    }
    Answer a{lower(words[0]), {words.begin() + 1, words.end()}, number};
    const std::optional<AnswerKind> kind = findAnswerKind(a.kind);
    if (!kind) throw AnswersError(where + unknownKind(a.kind));
    if (kind->anyCase)
      for (auto& w : a.words) w = lower(w);
    if (auto problem = kind->check(a.words); !problem.empty()) throw AnswersError(where + problem);
    result.push_back(std::move(a));
  }
  return result;
}

std::optional<int> buttonByName(const std::string& name) {
  for (const auto& [n, id] : kButtons)
    if (name == n) return id;
  return std::nullopt;
}

std::string buttonName(int id) {
  for (const auto& [n, id2] : kButtons)
    if (id == id2) return n;
  return std::to_string(id);
}

}  // namespace ui::answers
