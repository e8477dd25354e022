#include "transcript.h"

#include "ui/describe.h"

#include <cstdio>

namespace ui::transcript {
namespace {

struct ButtonSet {
  const char* name;
  std::vector<int> ids;
};

const ButtonSet kButtonSets[] = {
    {"ok", {kIdOk}},
    {"okcancel", {kIdOk, kIdCancel}},
    {"abortretryignore", {kIdAbort, kIdRetry, kIdIgnore}},
    {"yesnocancel", {kIdYes, kIdNo, kIdCancel}},
    {"yesno", {kIdYes, kIdNo}},
    {"retrycancel", {kIdRetry, kIdCancel}},
    {"canceltrycontinue", {kIdCancel, kIdTryAgain, kIdContinue}}};

const ButtonSet& buttonSet(unsigned type) {
  const unsigned index = type & 0xF;
  return index < std::size(kButtonSets) ? kButtonSets[index] : kButtonSets[0];
}

std::string iconName(unsigned type) {
  switch (type & 0xF0) {
    case 0x00: return "none";
    case 0x10: return "error";
    case 0x20: return "question";
    case 0x30: return "warning";
    case 0x40: return "information";
    default: return "unknown";
  }
}

std::string hex(unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", value);
  return buffer;
}

}  // namespace

std::string quoted(const std::string& value) { return ui::quoted(value); }

std::vector<int> buttonsOf(unsigned type) { return buttonSet(type).ids; }

int defaultButton(unsigned type) {
  const auto& ids = buttonSet(type).ids;
  for (int id : {kIdCancel, kIdNo, kIdAbort})
    for (int own : ids)
      if (own == id) return id;
  return ids.front();
}

std::string block(const std::string& header, const std::string& text) {
  std::string out = header + "\n";
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out += "  | " + line + "\n";
    start = end + 1;
  }
  return out;
}

std::string messageBox(const MessageBoxRequest& r, const std::string& answer) {
  const std::string header = "msgbox caption=" + quoted(r.caption) + " buttons=" +
                             buttonSet(r.type).name + " icon=" + iconName(r.type) +
                             " owner=" + quoted(r.owner) + " -> " + answer;
  return block(header, r.text);
}

std::string fileDialog(const FileDialogRequest& r, const std::string& answer) {
  return std::string("filedialog ") + (r.open ? "open" : "save") + " title=" + quoted(r.title) +
         " filter=" + quoted(r.filter) + " ext=" + quoted(r.defaultExtension) +
         " name=" + quoted(r.initialName) + " flags=" + hex(r.flags) + " owner=" +
         quoted(r.owner) + " -> " + answer + "\n";
}

std::string pick(const std::string& prompt, const std::string& answer) {
  return "pick prompt=" + quoted(prompt) + " -> " + answer + "\n";
}

}  // namespace ui::transcript
