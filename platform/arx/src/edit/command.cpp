// Commands issued by modules through acedCommand. The editor knows "DRAWORDER"
// with the options Back and Front.
#include <algorithm>
#include <cstdarg>
#include <string>
#include <vector>

#include "acedads.h"
#include "db/database_impl.h"
#include "dbsymtb.h"
#include "edit/selection.h"
#include "ui/driver.h"

namespace {

// One argument of a command: a word, or the entities it selects.
struct Argument {
  bool isText = false;
  std::string text;
  std::vector<AcDbObjectId> entities;
};

// Reads the (type, value) pairs; false on an unknown type or a bad entity name.
bool readArguments(int rtype, va_list args, std::vector<Argument>& out) {
  for (; rtype != RTNONE && rtype != 0; rtype = va_arg(args, int)) {
    Argument arg;
    switch (rtype) {
      case RTSTR: {
        const char* text = va_arg(args, const char*);
        arg.isText = true;
        arg.text = text ? text : "";
        break;
      }
      case RTENAME: {
        const Adesk::LongPtr* name = va_arg(args, const Adesk::LongPtr*);
        AcDbObjectId id;
        if (acdbGetObjectId(id, name) != Acad::eOk) return false;
        arg.entities.push_back(id);
        break;
      }
      case RTPICKS: {
        const auto* members = arx::selectionMembers(va_arg(args, const Adesk::LongPtr*));
        if (!members) return false;
        arg.entities = *members;
        break;
      }
      case RTSHORT:
      case RTLONG:
        arg.isText = true;
        arg.text = std::to_string(va_arg(args, int));
        break;
      case RTREAL:
        arg.isText = true;
        arg.text = std::to_string(va_arg(args, double));
        break;
      default:
        return false;
    }
    out.push_back(std::move(arg));
  }
  return true;
}

// "_.DRAWORDER" -> "DRAWORDER", "_b" -> "B".
std::string keyword(const std::string& text) {
  std::string k = arx::upperKey(text);
  k.erase(0, k.find_first_not_of("_.'"));
  return k;
}

std::string describe(const std::vector<Argument>& args) {
  std::string line = "command";
  char handle[32];
  for (const Argument& a : args) {
    if (a.isText) {
      line += a.text.empty() ? " \"\"" : " " + a.text;
      continue;
    }
    for (AcDbObjectId id : a.entities) {
      id.handle().getIntoAsciiBuffer(handle);
      line += std::string(" <") + handle + ">";
    }
  }
  return line;
}

// Moves the entities to the back (first drawn) or to the front of model space.
int drawOrder(const std::vector<Argument>& args) {
  std::vector<AcDbObjectId> chosen;
  std::size_t i = 1;
  for (; i < args.size() && !(args[i].isText && args[i].text.empty()); ++i) {
    if (args[i].isText) return RTERROR;
    chosen.insert(chosen.end(), args[i].entities.begin(), args[i].entities.end());
  }
  if (chosen.empty() || i + 1 >= args.size() || !args[i + 1].isText) return RTERROR;
  const std::string option = keyword(args[i + 1].text);
  const bool back = option == "B" || option == "BACK";
  const bool front = option == "F" || option == "FRONT";
  if (!back && !front) {
    ui::driver().commandLine("DRAWORDER: only the options Back and Front are available.\n");
    return RTERROR;
  }
  AcDbDatabase& db = arx::workingDrawing();
  AcDbBlockTableRecord* space = nullptr;
  if (acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite) != Acad::eOk) return RTERROR;
  auto& order = space->entityIds();
  auto isChosen = [&](AcDbObjectId id) { return std::find(chosen.begin(), chosen.end(), id) != chosen.end(); };
  if (back)
    std::stable_partition(order.begin(), order.end(), isChosen);
  else
    std::stable_partition(order.begin(), order.end(), [&](AcDbObjectId id) { return !isChosen(id); });
  space->close();
  return RTNORM;
}

}  // namespace

int acedCommand(int rtype, ...) {
  std::vector<Argument> args;
  va_list list;
  va_start(list, rtype);
  const bool read = readArguments(rtype, list, args);
  va_end(list);
  if (!read) return RTERROR;
  if (args.empty()) return RTNORM;  // nothing pending to end
  ui::driver().record(describe(args));
  if (!args[0].isText) return RTERROR;
  const std::string name = keyword(args[0].text);
  if (name == "DRAWORDER") return drawOrder(args);
  ui::driver().commandLine("Unknown command \"" + name + "\".  Press F1 for help.\n");
  return RTERROR;
}
