// Action descriptors and references: their contents, COM objects and text form.
#include "descriptor.h"

#include <cstdio>

#include "com/strings.h"
#include "com_object.h"
#include "photoshop/server.h"

namespace photoshop {

LONG CharId(const char* code) {
  unsigned long value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(code[i] ? code[i] : ' ');
  return static_cast<LONG>(value);
}

std::string CodeText(LONG code) {
  std::string text(4, ' ');
  for (int i = 0; i < 4; ++i) text[i] = static_cast<char>((static_cast<unsigned long>(code) >> (24 - 8 * i)) & 0xFF);
  return text;
}

}  // namespace photoshop

namespace photoshop::detail {
namespace {

std::string Quoted(LONG code) { return "\"" + CodeText(code) + "\""; }

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string DescribeItem(const Item& item) {
  std::string head = Quoted(item.key) + " ";
  switch (item.kind) {
    case Item::Kind::Integer: return head + "integer " + std::to_string(item.integer);
    case Item::Kind::Float: return head + "float " + Number(item.number);
    case Item::Kind::UnitFloat: return head + "unitFloat " + Quoted(item.type) + " " + Number(item.number);
    case Item::Kind::String: return head + "string \"" + item.text + "\"";
    case Item::Kind::Boolean: return head + "boolean " + (item.flag ? "true" : "false");
    case Item::Kind::Object:
      return head + "object " + Quoted(item.type) + " {" + DescribeDescriptor(*item.object) + "}";
    case Item::Kind::GlobalObject:
      return head + "globalObject " + Quoted(item.type) + " {" + DescribeDescriptor(*item.object) + "}";
    case Item::Kind::Enumerated: return head + "enumerated " + Quoted(item.type) + " " + Quoted(item.integer);
    case Item::Kind::Reference: return head + "reference [" + DescribeReference(item.reference) + "]";
    case Item::Kind::Class: return head + "class " + Quoted(item.integer);
    case Item::Kind::Path: return head + "path \"" + item.text + "\"";
  }
  return head;
}

std::string DescribePart(const ReferencePart& part) {
  switch (part.form) {
    case ReferencePart::Form::Index: return "index " + Quoted(part.desiredClass) + " " + std::to_string(part.value);
    case ReferencePart::Form::Identifier:
      return "identifier " + Quoted(part.desiredClass) + " " + std::to_string(part.value);
    case ReferencePart::Form::Enumerated:
      return "enumerated " + Quoted(part.desiredClass) + " " + Quoted(part.type) + " " + Quoted(part.value);
    case ReferencePart::Form::Property: return "property " + Quoted(part.desiredClass) + " " + Quoted(part.value);
  }
  return "";
}

template <typename T, typename Describe>
std::string Joined(const std::vector<T>& parts, Describe describe) {
  std::string text;
  for (const T& part : parts) text += (text.empty() ? "" : "; ") + describe(part);
  return text;
}

class ActionReference : public ComObject<IActionReference> {
 public:
  ActionReference() : ComObject(IID_IActionReference) {}
  Reference contents;

  HRESULT STDMETHODCALLTYPE PutIndex(LONG desiredClass, LONG value) override {
    return add({ReferencePart::Form::Index, desiredClass, 0, value});
  }
  HRESULT STDMETHODCALLTYPE PutIdentifier(LONG desiredClass, LONG value) override {
    return add({ReferencePart::Form::Identifier, desiredClass, 0, value});
  }
  HRESULT STDMETHODCALLTYPE PutEnumerated(LONG desiredClass, LONG type, LONG value) override {
    return add({ReferencePart::Form::Enumerated, desiredClass, type, value});
  }
  HRESULT STDMETHODCALLTYPE PutProperty(LONG desiredClass, LONG value) override {
    return add({ReferencePart::Form::Property, desiredClass, 0, value});
  }

 private:
  HRESULT add(ReferencePart part) {
    contents.push_back(part);
    return S_OK;
  }
};

class ActionDescriptor : public ComObject<IActionDescriptor> {
 public:
  explicit ActionDescriptor(Descriptor initial) : ComObject(IID_IActionDescriptor), contents(std::move(initial)) {}
  Descriptor contents;

  HRESULT STDMETHODCALLTYPE Clear() override {
    contents.items.clear();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCount(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    *count = static_cast<LONG>(contents.items.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE HasKey(LONG key, VARIANT_BOOL* has) override {
    if (has == nullptr) return E_POINTER;
    *has = contents.find(key) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PutInteger(LONG key, LONG value) override {
    return put({.kind = Item::Kind::Integer, .key = key, .integer = value});
  }
  HRESULT STDMETHODCALLTYPE PutDouble(LONG key, double value) override {
    return put({.kind = Item::Kind::Float, .key = key, .number = value});
  }
  HRESULT STDMETHODCALLTYPE PutUnitDouble(LONG key, LONG unit, double value) override {
    return put({.kind = Item::Kind::UnitFloat, .key = key, .type = unit, .number = value});
  }
  HRESULT STDMETHODCALLTYPE PutString(LONG key, BSTR value) override {
    return put({.kind = Item::Kind::String, .key = key, .text = com::Utf8FromOle(value)});
  }
  HRESULT STDMETHODCALLTYPE PutBoolean(LONG key, VARIANT_BOOL value) override {
    return put({.kind = Item::Kind::Boolean, .key = key, .flag = value != VARIANT_FALSE});
  }
  HRESULT STDMETHODCALLTYPE PutObject(LONG key, LONG classId, IActionDescriptor* value) override {
    return putObject(Item::Kind::Object, key, classId, value);
  }
  HRESULT STDMETHODCALLTYPE PutGlobalObject(LONG key, LONG classId, IActionDescriptor* value) override {
    return putObject(Item::Kind::GlobalObject, key, classId, value);
  }
  HRESULT STDMETHODCALLTYPE PutEnumerated(LONG key, LONG type, LONG value) override {
    return put({.kind = Item::Kind::Enumerated, .key = key, .type = type, .integer = value});
  }
  HRESULT STDMETHODCALLTYPE PutReference(LONG key, IActionReference* value) override {
    auto reference = ContentsOf(value);
    if (!reference) return E_INVALIDARG;
    return put({.kind = Item::Kind::Reference, .key = key, .reference = *reference});
  }
  HRESULT STDMETHODCALLTYPE PutClass(LONG key, LONG value) override {
    return put({.kind = Item::Kind::Class, .key = key, .integer = value});
  }
  HRESULT STDMETHODCALLTYPE PutPath(LONG key, BSTR value) override {
    return put({.kind = Item::Kind::Path, .key = key, .text = com::Utf8FromOle(value)});
  }
  HRESULT STDMETHODCALLTYPE GetInteger(LONG key, LONG* value) override {
    if (value == nullptr) return E_POINTER;
    const Item* item = contents.find(key);
    if (item == nullptr || item->kind != Item::Kind::Integer) return E_INVALIDARG;  // no such key
    *value = item->integer;
    return S_OK;
  }

 private:
  HRESULT put(Item item) {
    contents.put(std::move(item));
    return S_OK;
  }
  HRESULT putObject(Item::Kind kind, LONG key, LONG classId, IActionDescriptor* value) {
    auto object = ContentsOf(value);
    if (!object) return E_INVALIDARG;
    return put({.kind = kind, .key = key, .type = classId,
                .object = std::make_shared<const Descriptor>(std::move(*object))});
  }
};

}  // namespace

const Item* Descriptor::find(LONG key) const {
  for (const Item& item : items)
    if (item.key == key) return &item;
  return nullptr;
}

const Item* Descriptor::find(const char* code) const { return find(CharId(code)); }

void Descriptor::put(Item item) {
  for (Item& existing : items)
    if (existing.key == item.key) {
      existing = std::move(item);
      return;
    }
  items.push_back(std::move(item));
}

std::string DescribeDescriptor(const Descriptor& descriptor) { return Joined(descriptor.items, DescribeItem); }
std::string DescribeReference(const Reference& reference) { return Joined(reference, DescribePart); }

IActionDescriptor* NewActionDescriptor(Descriptor contents) { return new ActionDescriptor(std::move(contents)); }
IActionReference* NewActionReference() { return new ActionReference; }

std::optional<Descriptor> ContentsOf(IActionDescriptor* descriptor) {
  auto* own = dynamic_cast<ActionDescriptor*>(descriptor);
  if (own == nullptr) return std::nullopt;
  return own->contents;
}

std::optional<Reference> ContentsOf(IActionReference* reference) {
  auto* own = dynamic_cast<ActionReference*>(reference);
  if (own == nullptr) return std::nullopt;
  return own->contents;
}


}  // namespace photoshop::detail

namespace photoshop {

std::string Describe(IActionDescriptor* descriptor) {
  auto contents = detail::ContentsOf(descriptor);
  return contents ? detail::DescribeDescriptor(*contents) : std::string();
}

}  // namespace photoshop
