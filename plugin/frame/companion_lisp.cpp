#include "frame/companion_lisp.h"

#include <functional>

#include "aced.h"
#include "adslib.h"

namespace {

// Reads a result list; false when it is not of the expected form.
using ResultReader = std::function<bool(const resbuf* result)>;

// Calls the function named by the list's first element and hands its result
// to `read`. Both lists are released on every path.
bool Invoke(resbuf* call, const ResultReader& read) {
  if (call == nullptr) return false;
  resbuf* result = nullptr;
  const int status = acedInvoke(call, &result);
  acutRelRb(call);
  const bool ok = status == RTNORM && result != nullptr && read(result);
  acutRelRb(result);
  return ok;
}

// A list value may come back wrapped in list brackets; its elements start
// after them.
const resbuf* FirstElement(const resbuf* result) {
  return result != nullptr && result->restype == RTLB ? result->rbnext : result;
}

bool IsString(const resbuf* element) {
  return element != nullptr && element->restype == RTSTR && element->resval.rstring != nullptr;
}

// A reader that takes the first element as a string into `out`.
ResultReader FirstString(std::string& out) {
  return [&out](const resbuf* result) {
    const resbuf* first = FirstElement(result);
    if (!IsString(first)) return false;
    out = first->resval.rstring;
    return true;
  };
}

}  // namespace

bool LispGetUserIniPath(const std::string& applicationKey, std::string& folder) {
  return Invoke(acutBuildList(RTSTR, "tavo_getUserIniPath", RTSTR, applicationKey.c_str(), 0),
                FirstString(folder));
}

bool LispGetUserIniFile(const std::string& applicationKey, const std::string& fileName,
                        std::string& path) {
  return Invoke(acutBuildList(RTSTR, "tavo_getUserIniFile", RTSTR, applicationKey.c_str(), RTSTR,
                              fileName.c_str(), 0),
                FirstString(path));
}

bool LispPathInfo(const std::string& fileName, std::string& path) {
  return Invoke(acutBuildList(RTSTR, "Tavo_pathInfo", RTSTR, fileName.c_str(), 0), FirstString(path));
}

bool LispLayerDialog(const std::string& applicationKey, const std::string& layerClass,
                     const std::string& title, const std::string& userIniFolder, std::string& key,
                     std::string& name) {
  auto read = [&](const resbuf* result) {
    const resbuf* keyElement = FirstElement(result);
    const resbuf* nameElement = keyElement ? keyElement->rbnext : nullptr;
    const resbuf* confirmed = nameElement ? nameElement->rbnext : nullptr;
    if (!IsString(keyElement) || !IsString(nameElement) || confirmed == nullptr) return false;
    const bool yes = (confirmed->restype == RTSHORT && confirmed->resval.rint == 1) ||
                     (confirmed->restype == RTLONG && confirmed->resval.rlong == 1);
    key = yes ? keyElement->resval.rstring : "";
    name = yes ? nameElement->resval.rstring : "";
    return true;
  };
  return Invoke(acutBuildList(RTSTR, "Tavo_layerDialog", RTSTR, applicationKey.c_str(), RTSTR,
                              layerClass.c_str(), RTSTR, title.c_str(), RTSTR, userIniFolder.c_str(), 0),
                read);
}

bool LispNewLayer(const std::string& applicationKey, const std::string& layerKey) {
  auto read = [](const resbuf* result) {
    const resbuf* first = FirstElement(result);
    return first != nullptr && first->restype == RTSHORT;
  };
  return Invoke(acutBuildList(RTSTR, "Tavo_newLayer", RTSTR, applicationKey.c_str(), RTSTR,
                              layerKey.c_str(), 0),
                read);
}

bool LispGetLayerName(const std::string& applicationKey, const std::string& layerKey, std::string& name) {
  return Invoke(acutBuildList(RTSTR, "Tavo_getLayerName", RTSTR, applicationKey.c_str(), RTSTR,
                              layerKey.c_str(), 0),
                FirstString(name));
}
