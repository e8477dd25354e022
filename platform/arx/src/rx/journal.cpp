#include <map>
#include <mutex>

#include "arx/journal.h"
#include "rx/failures.h"

namespace arx {
namespace {

std::mutex& journalMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<std::string, int>& plannedFailures() {
  static std::map<std::string, int> failures;
  return failures;
}

}  // namespace

void Journal::add(const std::string& entry) {
  std::lock_guard lock(journalMutex());
  m_entries.push_back(entry);
}

std::vector<std::string> Journal::entries() const {
  std::lock_guard lock(journalMutex());
  return m_entries;
}

std::string Journal::text() const {
  std::string text;
  for (const auto& entry : entries()) text += entry + "\n";
  return text;
}

void Journal::clear() {
  std::lock_guard lock(journalMutex());
  m_entries.clear();
}

Journal& journal() {
  static Journal instance;
  return instance;
}

void failNext(const std::string& call, int times) {
  std::lock_guard lock(journalMutex());
  plannedFailures()[call] = times;
}

void clearFailures() {
  std::lock_guard lock(journalMutex());
  plannedFailures().clear();
}

namespace detail {

bool consumeFailure(const char* call) {
  std::lock_guard lock(journalMutex());
  auto it = plannedFailures().find(call);
  if (it == plannedFailures().end() || it->second <= 0) return false;
  if (--it->second == 0) plannedFailures().erase(it);
  return true;
}

}  // namespace detail
}  // namespace arx
