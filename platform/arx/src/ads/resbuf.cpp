// Result-buffer lists: building, copying and releasing.
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "ads/resbuf_list.h"
#include "arx/journal.h"
#include "rx/failures.h"

namespace arx::detail {
namespace {

bool within(int value, int low, int high) { return value >= low && value <= high; }

bool isStringCode(int code) {
  return code == RTSTR || code == RTDXF0 || within(code, 1, 9) || code == 100 || code == 102 ||
         within(code, 300, 309) || within(code, 410, 419) || code == 999 || within(code, 1000, 1003) ||
         code == 1005;
}

bool isRealCode(int code) {
  return code == RTREAL || code == RTANG || within(code, 38, 59) || within(code, 140, 149) ||
         within(code, 1040, 1042);
}

bool isPointCode(int code) {
  return code == RTPOINT || code == RT3DPOINT || within(code, 10, 18) || code == 210 ||
         within(code, 1010, 1013);
}

bool isShortCode(int code) {
  return code == RTSHORT || within(code, 60, 79) || within(code, 170, 179) || within(code, 270, 289) ||
         within(code, 370, 389) || code == 1070;
}

bool isNoValueCode(int code) {
  return code == RTLB || code == RTLE || code == RTDOTE || code == RTNIL || code == RTT ||
         code == RTNONE || code == RTVOID;
}

char* duplicate(const char* text) {
  const std::size_t size = std::strlen(text) + 1;
  auto* copy = static_cast<char*>(std::malloc(size));
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
}

resbuf* newNode(int restype) {
  auto* node = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
  if (node != nullptr) node->restype = static_cast<short>(restype);
  return node;
}

// Reads the value of a node of kind `kind` from the argument list; false when
// the kind is unknown or a string cannot be copied.
bool readValue(resbuf& node, ValueKind kind, va_list& args) {
  switch (kind) {
    case ValueKind::None: return true;
    case ValueKind::String: {
      const char* text = va_arg(args, const char*);
      node.resval.rstring = duplicate(text ? text : "");
      return node.resval.rstring != nullptr;
    }
    case ValueKind::Real: node.resval.rreal = va_arg(args, double); return true;
    case ValueKind::Point: {
      const double* point = va_arg(args, const double*);
      if (point != nullptr) std::memcpy(node.resval.rpoint, point, sizeof(ads_point));
      return true;
    }
    case ValueKind::Short: node.resval.rint = static_cast<short>(va_arg(args, int)); return true;
    case ValueKind::Long: node.resval.rlong = va_arg(args, int); return true;
    case ValueKind::Name: {
      const Adesk::LongPtr* name = va_arg(args, const Adesk::LongPtr*);
      if (name != nullptr) std::memcpy(node.resval.rlname, name, sizeof(ads_name));
      return true;
    }
    case ValueKind::Unknown: return false;
  }
  return false;
}

}  // namespace

ValueKind valueKind(int code) {
  if (isStringCode(code)) return ValueKind::String;
  if (isRealCode(code)) return ValueKind::Real;
  if (isPointCode(code)) return ValueKind::Point;
  if (isShortCode(code)) return ValueKind::Short;
  if (code == RTLONG || within(code, 90, 99) || code == 1071) return ValueKind::Long;
  if (code == RTENAME || code == RTPICKS || code == -1 || code == -2) return ValueKind::Name;
  if (isNoValueCode(code)) return ValueKind::None;
  return ValueKind::Unknown;
}

resbuf* copyList(const resbuf* list) {
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (const resbuf* node = list; node != nullptr; node = node->rbnext) {
    resbuf* copy = newNode(node->restype);
    if (copy == nullptr) return acutRelRb(head), nullptr;
    *tail = copy;
    tail = &copy->rbnext;
    copy->resval = node->resval;
    if (valueKind(node->restype) != ValueKind::String) continue;
    copy->resval.rstring = duplicate(node->resval.rstring ? node->resval.rstring : "");
    if (copy->resval.rstring == nullptr) return acutRelRb(head), nullptr;
  }
  return head;
}

}  // namespace arx::detail

using arx::detail::ValueKind;

resbuf* acutBuildList(int rtype, ...) {
  if (arx::detail::consumeFailure("acutBuildList")) return nullptr;
  va_list args;
  va_start(args, rtype);
  resbuf* head = nullptr;
  resbuf** tail = &head;
  bool ok = true;
  for (int type = rtype; type != 0 && ok; type = va_arg(args, int)) {
    resbuf* node = arx::detail::newNode(type);
    ok = node != nullptr;
    if (!ok) break;
    *tail = node;
    tail = &node->rbnext;
    ok = arx::detail::readValue(*node, arx::detail::valueKind(type), args);
  }
  va_end(args);
  if (ok) return head;
  acutRelRb(head);
  return nullptr;
}

resbuf* acutNewRb(int rtype) {
  if (arx::detail::consumeFailure("acutNewRb")) return nullptr;
  return arx::detail::newNode(rtype);
}

int acutRelRb(resbuf* rb) {
  while (rb != nullptr) {
    resbuf* next = rb->rbnext;
    if (arx::detail::valueKind(rb->restype) == ValueKind::String) std::free(rb->resval.rstring);
    std::free(rb);
    rb = next;
  }
  return RTNORM;
}

int acutNewString(const char* text, char*& copy) {
  copy = arx::detail::duplicate(text ? text : "");
  return copy != nullptr ? RTNORM : RTERROR;
}
