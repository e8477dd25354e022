#pragma once
// Properties with side effects (setting a check box runs its click handler),
// read and assigned like fields, as the toolkit's own properties are.
#include <functional>
#include <stdexcept>

namespace vcl {

template <class T>
class Property {
 public:
  using Getter = std::function<T()>;
  using Setter = std::function<void(T)>;
  Property(Getter get, Setter set = nullptr) : get_(std::move(get)), set_(std::move(set)) {}
  Property(const Property&) = delete;

  operator T() const { return get_(); }
  Property& operator=(T value) {
    if (!set_) throw std::logic_error("read-only property");
    set_(value);
    return *this;
  }
  Property& operator=(const Property& other) { return *this = static_cast<T>(other); }

 private:
  Getter get_;
  Setter set_;
};

// A read-only list property: Components[i], Strings[i].
template <class T>
class IndexedProperty {
 public:
  using Getter = std::function<T(int)>;
  explicit IndexedProperty(Getter get) : get_(std::move(get)) {}
  IndexedProperty(const IndexedProperty&) = delete;
  T operator[](int index) const { return get_(index); }

 private:
  Getter get_;
};

// An event handler bound to a method of an object (the toolkit's closures).
template <class Object, class... Args>
std::function<void(Args...)> Closure(Object* object, void (Object::*method)(Args...)) {
  return [object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); };
}

}  // namespace vcl
