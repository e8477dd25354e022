#pragma once
// A growable array with the usual ObjectARX member names.
#include <vector>

template <typename T>
class AcArray {
 public:
  AcArray() = default;
  explicit AcArray(int physicalLength) { m_items.reserve(physicalLength > 0 ? physicalLength : 0); }

  int length() const { return static_cast<int>(m_items.size()); }
  int logicalLength() const { return length(); }
  bool isEmpty() const { return m_items.empty(); }
  AcArray& append(const T& value) {
    m_items.push_back(value);
    return *this;
  }
  AcArray& removeAt(int index) {
    m_items.erase(m_items.begin() + index);
    return *this;
  }
  AcArray& removeAll() {
    m_items.clear();
    return *this;
  }
  AcArray& setLogicalLength(int n) {
    m_items.resize(n > 0 ? n : 0);
    return *this;
  }
  bool contains(const T& value) const { return find(value) >= 0; }
  int find(const T& value) const {
    for (int i = 0; i < length(); ++i)
      if (m_items[i] == value) return i;
    return -1;
  }
  T& operator[](int i) { return m_items[i]; }
  const T& operator[](int i) const { return m_items[i]; }
  T& at(int i) { return m_items.at(i); }
  const T& at(int i) const { return m_items.at(i); }
  T* asArrayPtr() { return m_items.data(); }
  const T* asArrayPtr() const { return m_items.data(); }
  auto begin() { return m_items.begin(); }
  auto end() { return m_items.end(); }
  auto begin() const { return m_items.begin(); }
  auto end() const { return m_items.end(); }

 private:
  std::vector<T> m_items;
};
