#include "ui/scripted_driver.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "answers.h"
#include "transcript.h"

namespace ui {
namespace {

const char* kNoAnswer = " (no answer)";

std::string upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

}  // namespace

std::unique_ptr<ScriptedDriver> ScriptedDriver::fromText(const std::string& answers,
                                                         const std::string& sourceName) {
  return std::make_unique<ScriptedDriver>(answers::parse(answers, sourceName));
}

std::unique_ptr<ScriptedDriver> ScriptedDriver::fromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::error_code error;
  if (!in || std::filesystem::is_directory(path, error))
    throw AnswersError("cannot read the answers file " + path);
  // An empty file is a script without answers.
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw AnswersError("cannot read the answers file " + path);
  return fromText(text, path);
}

ScriptedDriver::ScriptedDriver(std::deque<Answer> answers) : answers_(std::move(answers)) {}

ScriptedDriver::~ScriptedDriver() {
  std::lock_guard lock(mutex_);
  flushCommandLine();
  closeSink();
}

void ScriptedDriver::writeTranscriptTo(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) throw AnswersError("cannot write the transcript file " + path);
  std::lock_guard lock(mutex_);
  closeSink();
  sink_ = file;
  ownsSink_ = true;
}

void ScriptedDriver::writeTranscriptToStdout() {
  std::lock_guard lock(mutex_);
  closeSink();
  sink_ = stdout;
}

void ScriptedDriver::writeTranscriptNowhere() {
  std::lock_guard lock(mutex_);
  closeSink();
  sink_ = nullptr;
}

void ScriptedDriver::closeSink() {
  if (ownsSink_) std::fclose(sink_);
  sink_ = nullptr;
  ownsSink_ = false;
}

std::string ScriptedDriver::transcript() const {
  std::lock_guard lock(mutex_);
  return transcript_ + (pendingCommandLine_.empty() ? "" : "cmdline | " + pendingCommandLine_ + "\n");
}

std::vector<Answer> ScriptedDriver::remainingAnswers() const {
  std::lock_guard lock(mutex_);
  return {answers_.begin(), answers_.end()};
}

// The head answer when it is of `kind`; the caller holds the lock.
std::optional<Answer> ScriptedDriver::takeHead(const std::string& kind) {
  if (answers_.empty() || answers_.front().kind != kind) return std::nullopt;
  Answer head = std::move(answers_.front());
  answers_.pop_front();
  return head;
}

// Appends to the transcript and writes it through; the caller holds the lock.
void ScriptedDriver::emit(const std::string& block) {
  flushCommandLine();
  transcript_ += block;
  if (!sink_) return;
  if (std::fputs(block.c_str(), sink_) < 0 || std::fflush(sink_) != 0) {
    std::fputs("transcript: write failed, further events are kept in memory only\n", stderr);
    closeSink();
  }
}

void ScriptedDriver::flushCommandLine() {
  if (pendingCommandLine_.empty()) return;
  std::string line = std::move(pendingCommandLine_);
  pendingCommandLine_.clear();
  emit("cmdline | " + line + "\n");
}

int ScriptedDriver::messageBox(const MessageBoxRequest& request) {
  std::lock_guard lock(mutex_);
  const int fallback = transcript::defaultButton(request.type);
  auto answer = takeHead("msgbox");
  if (!answer) {
    emit(transcript::messageBox(request, answers::buttonName(fallback) + kNoAnswer));
    return fallback;
  }
  const int id = *answers::buttonByName(answer->words[0]);
  const auto buttons = transcript::buttonsOf(request.type);
  if (std::find(buttons.begin(), buttons.end(), id) == buttons.end()) {
    emit(transcript::messageBox(request, answers::buttonName(fallback) + " (answer '" +
                                             answer->words[0] + "' of line " +
                                             std::to_string(answer->line) +
                                             " is not a button of this box)"));
    return fallback;
  }
  emit(transcript::messageBox(request, answer->words[0]));
  return id;
}

void ScriptedDriver::beep(unsigned type) {
  std::lock_guard lock(mutex_);
  emit("beep type=" + std::to_string(type) + "\n");
}

std::optional<std::string> ScriptedDriver::fileDialog(const FileDialogRequest& request) {
  std::lock_guard lock(mutex_);
  auto answer = takeHead("file");
  if (!answer || answer->words[0] == "cancel") {
    emit(transcript::fileDialog(request, std::string("cancel") + (answer ? "" : kNoAnswer)));
    return std::nullopt;
  }
  emit(transcript::fileDialog(request, transcript::quoted(answer->words[0])));
  return answer->words[0];
}

PickAnswer ScriptedDriver::pick(const std::string& prompt) {
  std::lock_guard lock(mutex_);
  auto answer = takeHead("pick");
  if (!answer) {
    emit(transcript::pick(prompt, std::string("cancel") + kNoAnswer));
    return {PickAnswer::Kind::Cancel, {}};
  }
  const std::string& word = answer->words[0];
  PickAnswer result;
  if (word == "enter") result.kind = PickAnswer::Kind::Nothing;
  else if (word == "cancel") result.kind = PickAnswer::Kind::Cancel;
  else result = {PickAnswer::Kind::Entity, upper(word)};
  emit(transcript::pick(prompt, result.kind == PickAnswer::Kind::Entity ? result.handle : word));
  return result;
}

std::optional<ControlAction> ScriptedDriver::nextAction(const std::string& target) {
  std::lock_guard lock(mutex_);
  const bool forTarget = !answers_.empty() &&
                         (answers_.front().kind == "dialog" || answers_.front().kind == "form") &&
                         answers_.front().words[0] == target;
  if (!forTarget) {
    emit("input " + answers::quoteWord(target) + " -> no answer\n");
    return std::nullopt;
  }
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  ControlAction action{answer.words[1], {answer.words.begin() + 2, answer.words.end()}};
  emit("input " + answers::quoteWord(target) + " -> " +
       answers::joinWords({answer.words.begin() + 1, answer.words.end()}) + "\n");
  return action;
}

std::optional<std::vector<std::string>> ScriptedDriver::take(const std::string& kind) {
  std::lock_guard lock(mutex_);
  auto answer = takeHead(kind);
  emit(kind + " -> " + (answer ? answers::joinWords(answer->words) : "no answer") + "\n");
  if (!answer) return std::nullopt;
  return answer->words;
}

void ScriptedDriver::commandLine(const std::string& text) {
  std::lock_guard lock(mutex_);
  for (char c : text) {
    if (c != '\n') {
      if (c != '\r') pendingCommandLine_ += c;
      continue;
    }
    std::string line = std::move(pendingCommandLine_);
    pendingCommandLine_.clear();
    emit("cmdline | " + line + "\n");
  }
}

void ScriptedDriver::record(const std::string& line) {
  std::lock_guard lock(mutex_);
  emit(line.empty() || line.back() != '\n' ? line + "\n" : line);
}

}  // namespace ui
