#pragma once
// The editor's documents and the events that act on them. One editor per
// process; its state is guarded by one lock, as automation calls come from
// the caller's thread while the user-interface thread handles the window.
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "descriptor.h"
#include "pixels.h"

namespace photoshop::detail {

struct Colour {
  double red = 0, green = 0, blue = 0;
};

struct Document {
  long id = 0;
  std::string windowsPath;  // "" until it has a file
  std::string posixPath;
  std::string format;       // "psd", or the flat picture's format
  std::vector<Layer> layers;  // bottom to top
  size_t active = 0;          // index of the target layer
  enum class Selection { None, All, ColourRange } selection = Selection::None;
  Colour selectedColour;      // of a colour-range selection
  bool dirty = false;
  bool hasBackground() const { return !layers.empty() && layers.front().background; }
};

class Editor {
 public:
  // What became of one event: the reason when it could not be carried out
  // (the result descriptor's text); `raised` when the call itself fails, as
  // it does for a file that could not be written.
  struct Outcome {
    std::optional<std::string> failure;
    bool raised = false;
  };
  Outcome play(LONG event, const Descriptor* descriptor);
  // The property a reference names, nullopt when there is no such thing.
  std::optional<Descriptor> property(const Reference& reference);
  // The user closes: every document goes, unsaved changes discarded.
  void closeAllDocuments();
  std::vector<Document> documents();

 private:
  using Result = std::optional<std::string>;
  Result carryOut(LONG event, const Descriptor* descriptor);
  Result open(const Descriptor& d);
  Result save(const Descriptor* d);
  Result close();
  Result set(const Descriptor& d);
  Result make(const Descriptor& d);
  Result remove(const Descriptor* d);
  Result duplicate(const Descriptor& d);
  Result copy();
  Result paste();
  Result colourRange();

  Document* activeDocument();
  Document* documentWithId(long id);
  void activate(size_t index);
  long newLayerId() { return nextLayerId_++; }

  std::mutex lock_;
  std::vector<Document> documents_;  // the active one last
  std::optional<LayerPixels> clipboard_;
  bool writeFailed_ = false;  // during the event being played
  Colour foreground_{0, 0, 0};
  Colour background_{255, 255, 255};
  long nextDocumentId_ = 101;
  long nextLayerId_ = 2;
};

Editor& TheEditor();

}  // namespace photoshop::detail
