#pragma once
// Object ids and handles of the drawing database.
#include <cstdint>
#include <functional>

#include "acdb.h"

class AcDbDatabase;
class AcDbObject;
struct AcDbStub;  // the database's record of one object

// A 64-bit handle, unique within one database.
class AcDbHandle {
 public:
  AcDbHandle() = default;
  AcDbHandle(std::uint64_t value) : m_value(value) {}
  bool isNull() const { return m_value == 0; }
  std::uint64_t value() const { return m_value; }
  // Upper-case hexadecimal without leading zeros; buffer of 17 characters or more.
  bool getIntoAsciiBuffer(ACHAR* buffer) const;
  bool operator==(const AcDbHandle& other) const { return m_value == other.m_value; }

 private:
  std::uint64_t m_value = 0;
};

class AcDbObjectId {
 public:
  AcDbObjectId() = default;
  explicit AcDbObjectId(AcDbStub* stub) : m_stub(stub) {}
  static const AcDbObjectId kNull;

  bool isNull() const { return m_stub == nullptr; }
  void setNull() { m_stub = nullptr; }
  AcDbDatabase* database() const;
  AcDbHandle handle() const;
  bool isErased() const;
  AcDbStub* stub() const { return m_stub; }

  bool operator==(const AcDbObjectId& other) const { return m_stub == other.m_stub; }
  bool operator<(const AcDbObjectId& other) const { return std::less<AcDbStub*>()(m_stub, other.m_stub); }

 private:
  AcDbStub* m_stub = nullptr;
};

inline bool c5ObjIdIsEqualTo(const AcDbObjectId& a, const AcDbObjectId& b) { return a == b; }

template <>
struct std::hash<AcDbObjectId> {
  std::size_t operator()(const AcDbObjectId& id) const { return std::hash<AcDbStub*>()(id.stub()); }
};
