#pragma once
// Components and their ownership, string lists, streams, event types.
#include <functional>
#include <vector>

#include <SysUtils.hpp>
#include <vcl/property.h>

class TComponent;

typedef std::function<void(TObject* Sender)> TNotifyEvent;
typedef std::function<void(TObject* Sender, char& Key)> TKeyPressEvent;

// A component owns the components created with it as owner and frees them
// with itself; Components lists them in creation order.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  AnsiString Name;
  TComponent* const Owner;
  vcl::Property<int> ComponentCount;
  vcl::IndexedProperty<TComponent*> Components;

  TComponent* FindComponent(const AnsiString& name) const;

 private:
  std::vector<TComponent*> owned_;
};

class TStrings : public TObject {
 public:
  TStrings();
  vcl::Property<int> Count;
  // Strings[i]: the item at i; EStringListError when out of range.
  vcl::IndexedProperty<AnsiString> Strings;
  virtual int Add(const AnsiString& text) = 0;
  virtual void Clear() = 0;
  virtual int IndexOf(const AnsiString& text) const = 0;
  virtual void Put(int index, const AnsiString& text) = 0;

 protected:
  virtual int GetCount() const = 0;
  virtual AnsiString Get(int index) const = 0;
};

class TStringList : public TStrings {
 public:
  int Add(const AnsiString& text) override;
  void Clear() override;
  // Index of the first item equal to `text` ignoring letter case; -1 when none.
  int IndexOf(const AnsiString& text) const override;
  void Put(int index, const AnsiString& text) override;

 protected:
  int GetCount() const override;
  AnsiString Get(int index) const override;

 private:
  void Check(int index) const;
  std::vector<AnsiString> items_;
};

enum TSeekOrigin { soFromBeginning, soFromCurrent, soFromEnd };

class TStream : public TObject {
 public:
  virtual int Read(void* buffer, int count) = 0;
  virtual int Write(const void* buffer, int count) = 0;
  virtual int Seek(int offset, TSeekOrigin origin) = 0;
};

class TMemoryStream : public TStream {
 public:
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  int Seek(int offset, TSeekOrigin origin) override;
  int Size() const { return static_cast<int>(bytes_.size()); }

 private:
  std::vector<unsigned char> bytes_;
  int position_ = 0;
};
