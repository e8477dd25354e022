#include "testing/transcript.h"

#include <sstream>

namespace rwtest {
namespace {

// From `at` to the end of its line and the indented lines after it.
std::string blockAt(const std::string& transcript, std::string::size_type at) {
  std::string::size_type end = transcript.find('\n', at);
  while (end != std::string::npos && end + 1 < transcript.size() && transcript[end + 1] == ' ')
    end = transcript.find('\n', end + 1);
  return transcript.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

class InOrderMatcher : public ::testing::MatcherInterface<const std::string&> {
 public:
  explicit InOrderMatcher(std::vector<std::string> parts) : parts_(std::move(parts)) {}

  bool MatchAndExplain(const std::string& text, ::testing::MatchResultListener* listener) const override {
    std::string::size_type from = 0;
    for (const std::string& part : parts_) {
      const std::string::size_type at = text.find(part, from);
      if (at == std::string::npos) {
        *listener << "has no \"" << part << "\"" << (from == 0 ? "" : " after the texts before it");
        return false;
      }
      from = at + part.size();
    }
    return true;
  }
  void DescribeTo(std::ostream* os) const override {
    *os << "has these texts in this order: " << ::testing::PrintToString(parts_);
  }
  void DescribeNegationTo(std::ostream* os) const override {
    *os << "does not have these texts in this order: " << ::testing::PrintToString(parts_);
  }

 private:
  std::vector<std::string> parts_;
};

}  // namespace

std::string block(const std::string& transcript, const std::string& header, int nth) {
  std::string::size_type at = transcript.find(header);
  for (int i = 0; i < nth && at != std::string::npos; ++i) at = transcript.find(header, at + 1);
  return at == std::string::npos ? "" : blockAt(transcript, at);
}

std::string lastBlock(const std::string& transcript, const std::string& header) {
  const std::string::size_type at = transcript.rfind(header);
  return at == std::string::npos ? "" : blockAt(transcript, at);
}

std::string controlLine(const std::string& block, const std::string& control) {
  std::istringstream lines(block);
  std::string line;
  std::getline(lines, line);  // the header
  while (std::getline(lines, line)) {
    const std::string::size_type type = line.find_first_not_of(' ');
    const std::string::size_type name = line.find(' ', type);
    if (type != std::string::npos && name != std::string::npos &&
        line.compare(name + 1, control.size() + 1, control + " ") == 0)
      return line.substr(type);
  }
  return "";
}

std::string commandLines(const std::string& transcript) {
  std::istringstream lines(transcript);
  std::string out;
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("cmdline | ", 0) == 0) out += line + "\n";
  return out;
}

std::string messageBoxEntry(const std::string& text, const std::string& buttons, const std::string& icon,
                            const std::string& answer, const std::string& caption, const std::string& owner) {
  std::string entry = "msgbox caption=\"" + caption + "\" buttons=" + buttons + " icon=" + icon + " owner=\"" + owner +
                      "\" -> " + answer + "\n";
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) entry += "  | " + line + "\n";
  return entry;
}

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

::testing::Matcher<const std::string&> HasSubstrsInOrder(std::vector<std::string> parts) {
  return ::testing::MakeMatcher(new InOrderMatcher(std::move(parts)));
}

}  // namespace rwtest
