#include "dxf/codes.h"

namespace dxf {

Kind kindOf(int code) {
  auto in = [code](int a, int b) { return code >= a && code <= b; };
  if (in(10, 59) || in(110, 149) || in(210, 239) || in(460, 469) || in(1010, 1059)) return Kind::Real;
  if (in(60, 79) || in(170, 179) || in(270, 289) || in(370, 389) || in(400, 409) || in(1060, 1070))
    return Kind::Int16;
  if (in(90, 99) || in(420, 429) || in(440, 459) || code == 1071) return Kind::Int32;
  if (in(160, 169)) return Kind::Int64;
  if (in(290, 299)) return Kind::Bool;
  if (in(310, 319) || code == 1004) return Kind::Binary;
  return Kind::String;
}

}  // namespace dxf
