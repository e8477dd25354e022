#pragma once
// What kind of value a group code carries, in text and in binary DXF.
namespace dxf {

enum class Kind { String, Real, Int16, Int32, Int64, Bool, Binary };

Kind kindOf(int code);
inline bool isNumeric(Kind k) { return k != Kind::String && k != Kind::Binary; }
// Group codes a DXF file may hold.
inline bool isValidCode(long long code) { return code >= 0 && code <= 1071; }

}  // namespace dxf
