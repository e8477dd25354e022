#pragma once
// Symbol tables: layers and block table records (model space).
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "dbmain.h"

#define ACDB_MODEL_SPACE "*Model_Space"
#define ACDB_PAPER_SPACE "*Paper_Space"

class AcDbSymbolTableRecord : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord)
  // The name, allocated with new[]; the caller releases it.
  Acad::ErrorStatus getName(ACHAR*& name) const;
  Acad::ErrorStatus getName(const ACHAR*& name) const;
  Acad::ErrorStatus setName(const ACHAR* name);
  const std::string& name() const { return nameRef(); }

 protected:
  virtual std::string& nameRef() = 0;
  virtual const std::string& nameRef() const = 0;
};

class AcDbSymbolTable : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSymbolTable)
  Acad::ErrorStatus getAt(const ACHAR* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                          bool openErased = false) const;
  Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& id, bool getErased = false) const;
  bool has(const ACHAR* name) const;
  bool has(AcDbObjectId id) const;
  // Adds a new record; the table must be open for write and in a database.
  Acad::ErrorStatus add(AcDbSymbolTableRecord* record);
  Acad::ErrorStatus add(AcDbObjectId& id, AcDbSymbolTableRecord* record);
  // Record ids in table order (stand-in internals).
  const std::vector<AcDbObjectId>& recordIds() const { return m_records; }

 protected:
  virtual bool accepts(const AcDbSymbolTableRecord* record) const = 0;

 private:
  // Records by upper-case name, in table order: a drawing may hold tens of
  // thousands of blocks (one per dimension). Made again when a record anywhere
  // was renamed since.
  const std::vector<AcDbObjectId>* indexed(const std::string& upperName) const;
  std::vector<AcDbObjectId> m_records;
  mutable std::unordered_map<std::string, std::vector<AcDbObjectId>> m_index;
  mutable std::uint64_t m_indexRenames = ~std::uint64_t{0};
};

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord)
  AcDbLayerTableRecord();

  bool isPlottable() const { return m_layer.plottable; }
  Acad::ErrorStatus setIsPlottable(bool plottable);
  bool isOff() const { return !m_layer.on; }
  void setIsOff(bool off);
  bool isFrozen() const { return m_layer.frozen; }
  Acad::ErrorStatus setIsFrozen(bool frozen);
  AcCmColor color() const;
  void setColor(const AcCmColor& color);

  // Stand-in internals: the layer as plain data.
  const arx::Layer& data() const { return m_layer; }

 protected:
  std::string& nameRef() override { return m_layer.name; }
  const std::string& nameRef() const override { return m_layer.name; }

 private:
  arx::Layer m_layer;
};

class AcDbLayerTableIterator;

class AcDbLayerTable : public AcDbSymbolTable {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLayerTable)
  Acad::ErrorStatus getAt(const ACHAR* name, AcDbLayerTableRecord*& record, AcDb::OpenMode mode,
                          bool openErased = false) const;
  using AcDbSymbolTable::getAt;
  Acad::ErrorStatus newIterator(AcDbLayerTableIterator*& iterator, bool atBeginning = true,
                                bool skipDeleted = true) const;

 protected:
  bool accepts(const AcDbSymbolTableRecord* record) const override;
};

class AcDbBlockTableRecordIterator;

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord)
  AcDbBlockTableRecord();
  ~AcDbBlockTableRecord() override;

  Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
  Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);
  Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                bool skipDeleted = true) const;

  // Stand-in internals: entity ids in draw order, first drawn first.
  std::vector<AcDbObjectId>& entityIds() { return m_entities; }
  const std::vector<AcDbObjectId>& entityIds() const { return m_entities; }

 protected:
  std::string& nameRef() override { return m_name; }
  const std::string& nameRef() const override { return m_name; }

 private:
  std::string m_name;
  std::vector<AcDbObjectId> m_entities;
};

class AcDbBlockTable : public AcDbSymbolTable {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockTable)
  Acad::ErrorStatus getAt(const ACHAR* name, AcDbBlockTableRecord*& record, AcDb::OpenMode mode,
                          bool openErased = false) const;
  using AcDbSymbolTable::getAt;

 protected:
  bool accepts(const AcDbSymbolTableRecord* record) const override;
};

// Walks the records of the layer table in table order.
class AcDbLayerTableIterator : public AcHeapOperators {
 public:
  void start(bool atBeginning = true, bool skipDeleted = true);
  bool done() const;
  void step(bool forward = true, bool skipDeleted = true);
  Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
  Acad::ErrorStatus getRecord(AcDbLayerTableRecord*& record, AcDb::OpenMode mode, bool openErased = false) const;

 private:
  friend class AcDbLayerTable;
  explicit AcDbLayerTableIterator(const AcDbLayerTable* table);
  void skipErased(bool forward);
  std::vector<AcDbObjectId> m_ids;  // a snapshot: adding while iterating is safe
  long m_index = 0;
  bool m_skipErased = true;
};

// Walks the entities of a block table record in draw order.
class AcDbBlockTableRecordIterator : public AcHeapOperators {
 public:
  void start(bool atBeginning = true, bool skipDeleted = true);
  bool done() const;
  void step(bool forward = true, bool skipDeleted = true);
  Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
  Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode mode, bool openErased = false) const;

 private:
  friend class AcDbBlockTableRecord;
  explicit AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* record);
  void skipErased(bool forward);
  std::vector<AcDbObjectId> m_ids;  // a snapshot: appending while iterating is safe
  long m_index = 0;
  bool m_skipErased = true;
};
