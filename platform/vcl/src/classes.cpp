// Component ownership, string lists, memory streams.
#include <Classes.hpp>

#include <algorithm>
#include <cstring>

TComponent::TComponent(TComponent* AOwner)
    : Owner(AOwner),
      ComponentCount([this] { return static_cast<int>(owned_.size()); }),
      Components([this](int i) {
        if (i < 0 || i >= static_cast<int>(owned_.size()))
          throw EStringListError("List index out of bounds (" + std::to_string(i) + ")");
        return owned_[static_cast<size_t>(i)];
      }) {
  if (Owner) Owner->owned_.push_back(this);
}

TComponent::~TComponent() {
  while (!owned_.empty()) delete owned_.back();  // each removes itself
  if (Owner) {
    auto& list = Owner->owned_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
}

TComponent* TComponent::FindComponent(const AnsiString& name) const {
  for (TComponent* c : owned_)
    if (AnsiCompareText(c->Name, name) == 0) return c;
  return nullptr;
}

TStrings::TStrings()
    : Count([this] { return GetCount(); }), Strings([this](int i) { return Get(i); }) {}

int TStringList::Add(const AnsiString& text) {
  items_.push_back(text);
  return static_cast<int>(items_.size()) - 1;
}

void TStringList::Clear() { items_.clear(); }

int TStringList::IndexOf(const AnsiString& text) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (AnsiCompareText(items_[i], text) == 0) return static_cast<int>(i);
  return -1;
}

void TStringList::Check(int index) const {
  if (index < 0 || index >= static_cast<int>(items_.size()))
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStringList::Put(int index, const AnsiString& text) {
  Check(index);
  items_[static_cast<size_t>(index)] = text;
}

int TStringList::GetCount() const { return static_cast<int>(items_.size()); }

AnsiString TStringList::Get(int index) const {
  Check(index);
  return items_[static_cast<size_t>(index)];
}

int TMemoryStream::Read(void* buffer, int count) {
  int n = std::clamp(Size() - position_, 0, std::max(count, 0));
  if (n > 0) std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int TMemoryStream::Write(const void* buffer, int count) {
  if (count <= 0) return 0;
  if (position_ + count > Size()) bytes_.resize(static_cast<size_t>(position_ + count));
  std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(count));
  position_ += count;
  return count;
}

int TMemoryStream::Seek(int offset, TSeekOrigin origin) {
  int base = origin == soFromBeginning ? 0 : origin == soFromCurrent ? position_ : Size();
  position_ = std::clamp(base + offset, 0, Size());
  return position_;
}
