// The layer table's iterator: the records in table order, erased ones left
// out unless asked for.
#include "dbsymtb.h"

Acad::ErrorStatus AcDbLayerTable::newIterator(AcDbLayerTableIterator*& iterator, bool atBeginning,
                                              bool skipDeleted) const {
  iterator = new AcDbLayerTableIterator(this);
  iterator->start(atBeginning, skipDeleted);
  return Acad::eOk;
}

AcDbLayerTableIterator::AcDbLayerTableIterator(const AcDbLayerTable* table) : m_ids(table->recordIds()) {}

void AcDbLayerTableIterator::start(bool atBeginning, bool skipDeleted) {
  m_skipErased = skipDeleted;
  m_index = atBeginning ? 0 : static_cast<long>(m_ids.size()) - 1;
  skipErased(atBeginning);
}

bool AcDbLayerTableIterator::done() const { return m_index < 0 || m_index >= static_cast<long>(m_ids.size()); }

void AcDbLayerTableIterator::step(bool forward, bool skipDeleted) {
  m_skipErased = skipDeleted;
  m_index += forward ? 1 : -1;
  skipErased(forward);
}

void AcDbLayerTableIterator::skipErased(bool forward) {
  while (m_skipErased && !done() && m_ids[m_index].isErased()) m_index += forward ? 1 : -1;
}

Acad::ErrorStatus AcDbLayerTableIterator::getRecordId(AcDbObjectId& id) const {
  if (done()) return Acad::eInvalidInput;
  id = m_ids[m_index];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableIterator::getRecord(AcDbLayerTableRecord*& record, AcDb::OpenMode mode,
                                                    bool openErased) const {
  record = nullptr;
  if (done()) return Acad::eInvalidInput;
  return acdbOpenObject(record, m_ids[m_index], mode, openErased);
}
