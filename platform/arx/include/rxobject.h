#pragma once
// Run-time classes: every host object can tell its class and whether it is
// of a kind.
#include "acdb.h"

class AcRxClass {
 public:
  AcRxClass(const ACHAR* name, AcRxClass* parent) : m_name(name), m_parent(parent) {}
  const ACHAR* name() const { return m_name; }
  AcRxClass* myParent() const { return m_parent; }
  bool isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* c = this; c; c = c->m_parent)
      if (c == other) return true;
    return false;
  }

 private:
  const ACHAR* m_name;
  AcRxClass* m_parent;
};

// Declares desc(), isA() and cast() of a class.
#define ACRX_DECLARE_MEMBERS(CLASS)                                                      \
  static AcRxClass* desc();                                                              \
  AcRxClass* isA() const override;                                                       \
  static CLASS* cast(const AcRxObject* object) {                                         \
    return object && object->isKindOf(CLASS::desc()) ? (CLASS*)(object) : nullptr;       \
  }

// Defines them; PARENT is the base class.
#define ACRX_DEFINE_MEMBERS(CLASS, PARENT)                                               \
  AcRxClass* CLASS::desc() {                                                             \
    static AcRxClass the(#CLASS, PARENT::desc());                                        \
    return &the;                                                                         \
  }                                                                                      \
  AcRxClass* CLASS::isA() const { return CLASS::desc(); }

class AcRxObject {
 public:
  virtual ~AcRxObject() = default;
  static AcRxClass* desc() {
    static AcRxClass the("AcRxObject", nullptr);
    return &the;
  }
  virtual AcRxClass* isA() const { return desc(); }
  bool isKindOf(const AcRxClass* other) const { return isA()->isDerivedFrom(other); }
  static AcRxObject* cast(const AcRxObject* object) { return const_cast<AcRxObject*>(object); }
};
