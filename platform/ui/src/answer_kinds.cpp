#include "ui/answer_kinds.h"

#include <map>
#include <mutex>

namespace ui {
namespace {

// The kinds, by name. Made on first use, so that registrations made while
// the program's libraries start find it there.
struct Registry {
  std::mutex mutex;
  std::map<std::string, AnswerKind> kinds;
};

Registry& registry() {
  static Registry instance;
  return instance;
}

}  // namespace

void registerAnswerKind(AnswerKind kind) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  std::string name = kind.name;
  r.kinds[name] = std::move(kind);
}

std::optional<AnswerKind> findAnswerKind(const std::string& name) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  const auto found = r.kinds.find(name);
  if (found == r.kinds.end()) return std::nullopt;
  return found->second;
}

std::vector<std::string> answerKindNames() {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  std::vector<std::string> names;
  for (const auto& [name, kind] : r.kinds) names.push_back(name);
  return names;
}

}  // namespace ui
