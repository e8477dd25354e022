#pragma once
// The contents of action descriptors and references, and their COM objects.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <PhotoshopTypeLibrary.h>

namespace photoshop::detail {

// One part of a reference: how it names a class's element.
struct ReferencePart {
  enum class Form { Index, Identifier, Enumerated, Property } form;
  LONG desiredClass = 0;
  LONG type = 0;  // enumerated: the enumeration type
  LONG value = 0; // index, identifier, enumerated value or property key
};
using Reference = std::vector<ReferencePart>;

struct Descriptor;

// One key of a descriptor with its value.
struct Item {
  enum class Kind { Integer, Float, UnitFloat, String, Boolean, Object, GlobalObject, Enumerated, Reference,
                    Class, Path } kind;
  LONG key = 0;
  LONG type = 0;      // unit, class of an object, enumeration type
  LONG integer = 0;   // integer, enumerated value, class value
  double number = 0;  // float, unit float
  bool flag = false;
  std::string text{};  // string or path, UTF-8
  std::shared_ptr<const Descriptor> object{};
  Reference reference{};
};

struct Descriptor {
  std::vector<Item> items;  // in the order put; a key appears once
  const Item* find(LONG key) const;
  const Item* find(const char* code) const;
  void put(Item item);  // replaces the key's earlier value in place
};

std::string DescribeDescriptor(const Descriptor& descriptor);
std::string DescribeReference(const Reference& reference);

// The COM objects. Descriptor values are copied when put, as the editor does.
IActionDescriptor* NewActionDescriptor(Descriptor contents = {});
IActionReference* NewActionReference();
// The contents behind objects made by this editor; nullopt for foreign ones.
std::optional<Descriptor> ContentsOf(IActionDescriptor* descriptor);
std::optional<Reference> ContentsOf(IActionReference* reference);

}  // namespace photoshop::detail
