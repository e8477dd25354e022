// LISP functions defined by applications and the calls between them.
#include <exception>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "aced.h"
#include "ads/lisp_table.h"
#include "ads/resbuf_list.h"
#include "arx/host.h"
#include "arx/journal.h"
#include "rx/app_table.h"
#include "rx/failures.h"
#include "rx/names.h"

namespace arx::detail {
namespace {

using Handler = int (*)();

struct LispFunction {
  std::string name;
  short code = 0;
  Application* owner = nullptr;
};

// One running LISP call: its code, arguments and the value handed back.
struct Call {
  int code = 0;
  resbuf* args = nullptr;
  resbuf* result = nullptr;
};

struct LispTable {
  std::map<std::string, LispFunction> functions;  // by upper-case name
  std::map<std::pair<const void*, int>, Handler> handlers;  // by (owner, code)
  std::vector<Call> calls;
};

LispTable& table() {
  static LispTable instance;
  return instance;
}

const LispFunction* findFunction(const char* name) {
  auto it = table().functions.find(upperCase(name));
  return it == table().functions.end() ? nullptr : &it->second;
}

Handler findHandler(const LispFunction& function) {
  auto it = table().handlers.find({function.owner, function.code});
  return it == table().handlers.end() ? nullptr : it->second;
}

int runHandler(Handler handler, const LispFunction& function) {
  try {
    const int status = handler();
    return status == RSERR || status == RTERROR ? RTERROR : RTNORM;
  } catch (const std::exception& error) {
    acutPrintf("\n; error in %s: %s\n", function.name.c_str(), error.what());
  } catch (...) {
    acutPrintf("\n; error in %s\n", function.name.c_str());
  }
  return RTERROR;
}

// Runs the function inside a new call frame; the frame's value goes to *result.
int dispatch(const LispFunction& function, const resbuf* arguments, resbuf** result) {
  const Handler handler = findHandler(function);
  if (handler == nullptr && function.owner == nullptr) return RTERROR;
  table().calls.push_back({function.code, copyList(arguments), nullptr});
  int status = RTERROR;
  {
    RunningApplication running(function.owner);
    if (handler != nullptr) {
      status = runHandler(handler, function);
    } else if (sendMessage(*function.owner, AcRx::kInvkSubrMsg) == AcRx::kRetOK) {
      status = RTNORM;
    }
  }
  Call call = table().calls.back();
  table().calls.pop_back();
  acutRelRb(call.args);
  if (status == RTNORM) {
    *result = call.result;
  } else {
    acutRelRb(call.result);
  }
  return status;
}

// Replaces the value of the running call with `value` (taken over).
int setResult(resbuf* value) {
  if (table().calls.empty()) {
    acutRelRb(value);
    return RTERROR;
  }
  acutRelRb(table().calls.back().result);
  table().calls.back().result = value;
  return RTNORM;
}

}  // namespace

void forgetLispFunctionsOf(const void* owner) {
  std::erase_if(table().functions, [&](const auto& entry) { return entry.second.owner == owner; });
  std::erase_if(table().handlers, [&](const auto& entry) { return entry.first.first == owner; });
}

}  // namespace arx::detail

using namespace arx::detail;

int acedDefun(const char* name, short fcode) {
  arx::journal().add(std::string("acedDefun ") + (name ? name : "") + " " + std::to_string(fcode));
  if (name == nullptr || *name == '\0' || consumeFailure("acedDefun")) return RTERROR;
  table().functions[upperCase(name)] = LispFunction{name, fcode, currentApplication()};
  return RTNORM;
}

int acedUndef(const char* name, short fcode) {
  arx::journal().add(std::string("acedUndef ") + (name ? name : "") + " " + std::to_string(fcode));
  if (name == nullptr || consumeFailure("acedUndef")) return RTERROR;
  auto it = table().functions.find(upperCase(name));
  if (it == table().functions.end() || it->second.code != fcode) return RTERROR;
  table().functions.erase(it);
  return RTNORM;
}

int acedRegFunc(int (*handler)(), int fcode) {
  if (consumeFailure("acedRegFunc")) return RTERROR;
  table().handlers[{currentApplication(), fcode}] = handler;
  return RTNORM;
}

int acedGetFunCode() { return table().calls.empty() ? RTERROR : table().calls.back().code; }

resbuf* acedGetArgs() { return table().calls.empty() ? nullptr : table().calls.back().args; }

int acedInvoke(const resbuf* args, resbuf** result) {
  if (result == nullptr) return RTERROR;
  *result = nullptr;
  if (args == nullptr || args->restype != RTSTR || args->resval.rstring == nullptr) return RTERROR;
  arx::journal().add(std::string("acedInvoke ") + args->resval.rstring);
  if (consumeFailure("acedInvoke")) return RTERROR;
  const LispFunction* function = findFunction(args->resval.rstring);
  if (function == nullptr) return RTERROR;
  const LispFunction called = *function;  // the table may change during the call
  return dispatch(called, args->rbnext, result);
}

int acedRetStr(const char* value) { return setResult(acutBuildList(RTSTR, value ? value : "", 0)); }
int acedRetInt(int value) { return setResult(acutBuildList(RTSHORT, value, 0)); }
int acedRetReal(ads_real value) { return setResult(acutBuildList(RTREAL, value, 0)); }
int acedRetPoint(const ads_point value) { return setResult(acutBuildList(RT3DPOINT, value, 0)); }
int acedRetName(const ads_name value, int type) { return setResult(acutBuildList(type, value, 0)); }
int acedRetList(const resbuf* list) { return setResult(copyList(list)); }
int acedRetNil() { return setResult(acutBuildList(RTNIL, 0)); }
int acedRetT() { return setResult(acutBuildList(RTT, 0)); }
int acedRetVoid() { return setResult(nullptr); }

bool arx::isLispFunctionDefined(const std::string& name) { return findFunction(name.c_str()) != nullptr; }
