#pragma once
// The scripted driver: answers come from an answers file, in order, and
// everything shown goes to a transcript (a file, standard output, and an
// in-memory copy). Formats: docs/answers.md.
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

#include "ui/driver.h"

namespace ui {

// A malformed answers file or an unwritable transcript; the message names the
// file and line.
class AnswersError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One line of an answers file: its kind (first word) and the words after it.
struct Answer {
  std::string kind;
  std::vector<std::string> words;
  int line = 0;
};

class ScriptedDriver : public Driver {
 public:
  // Answers from text (tests) or from a file; throw AnswersError when a line
  // is malformed or the file cannot be read.
  static std::unique_ptr<ScriptedDriver> fromText(const std::string& answers,
                                                  const std::string& sourceName = "answers");
  static std::unique_ptr<ScriptedDriver> fromFile(const std::string& path);

  explicit ScriptedDriver(std::deque<Answer> answers);
  ~ScriptedDriver() override;

  // Transcript destination: a file (created or truncated; throws AnswersError
  // when it cannot be opened), standard output (the default) or nothing.
  void writeTranscriptTo(const std::string& path);
  void writeTranscriptToStdout();
  void writeTranscriptNowhere();

  // Everything recorded so far.
  std::string transcript() const;
  // Answers not consumed yet (a host may warn about them at exit).
  std::vector<Answer> remainingAnswers() const;

  int messageBox(const MessageBoxRequest& request) override;
  void beep(unsigned type) override;
  std::optional<std::string> fileDialog(const FileDialogRequest& request) override;
  PickAnswer pick(const std::string& prompt) override;
  std::optional<ControlAction> nextAction(const std::string& target) override;
  std::optional<std::vector<std::string>> take(const std::string& kind) override;
  void commandLine(const std::string& text) override;
  void record(const std::string& line) override;

 private:
  std::optional<Answer> takeHead(const std::string& kind);
  void emit(const std::string& block);
  void flushCommandLine();
  void closeSink();

  mutable std::mutex mutex_;
  std::deque<Answer> answers_;
  std::string transcript_;
  std::string pendingCommandLine_;
  std::FILE* sink_ = stdout;
  bool ownsSink_ = false;
};

}  // namespace ui
