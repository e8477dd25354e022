// The events the editor carries out on its documents.
#include "editor.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include <win32/posix.h>

#include "photoshop/server.h"

namespace photoshop::detail {
namespace {

bool Is(LONG code, const char* text) { return code == CharId(text); }

bool IsRef(const Reference& r, size_t i, ReferencePart::Form form, const char* desiredClass, const char* value) {
  return r.size() > i && r[i].form == form && Is(r[i].desiredClass, desiredClass) && Is(r[i].value, value);
}

bool IsTargetDocument(const Reference& r, size_t i) {
  return r.size() > i && r[i].form == ReferencePart::Form::Enumerated && Is(r[i].desiredClass, "Dcmn") &&
         Is(r[i].type, "Ordn") && Is(r[i].value, "Trgt");
}

const Reference* ReferenceAt(const Descriptor& d, const char* key) {
  const Item* item = d.find(key);
  return item && item->kind == Item::Kind::Reference ? &item->reference : nullptr;
}

std::string PosixOf(const std::string& windowsPathUtf8) {
  return win32::ToPosixPath(win32::Utf8ToCp1252(windowsPathUtf8));
}

// What a save-as writes: the layered document or a flat picture.
struct SaveTarget {
  bool layered = false;
  FlatFormat flat;
  std::vector<std::string> extensions;  // the first is the default
  std::string name;                     // the document's format afterwards
};

std::optional<std::string> FlatFromOptions(LONG formatClass, const Descriptor& o, SaveTarget& t) {
  auto enumerated = [&](const char* key) -> std::optional<std::string> {
    const Item* item = o.find(key);
    if (item == nullptr || item->kind != Item::Kind::Enumerated) return std::nullopt;
    return CodeText(item->integer);
  };
  if (Is(formatClass, "TIFF")) {
    auto order = enumerated("BytO").value_or("IBMP");
    if (order != "IBMP" && order != "Mcnt") return "unknown TIFF byte order \"" + order + "\"";
    t = {false, {"TIFF", true, 0, order == "IBMP", false}, {".tif", ".tiff"}, "tif"};
  } else if (Is(formatClass, "BMPF")) {
    if (enumerated("Pltf").value_or("Win ") != "Win ") return "only Windows BMP files are written";
    if (enumerated("BtDp").value_or("BD24") != "BD24") return "BMP files are written with 24 bits only";
    const Item* compression = o.find("Cmpr");
    if (compression && compression->flag) return "compressed BMP files are not written";
    t = {false, {"BMP3", false, 0, true, false}, {".bmp"}, "bmp"};
  } else if (Is(formatClass, "JPEG")) {
    const Item* quality = o.find("Qlty");
    long level = quality ? quality->integer : 8;
    if (level < 0 || level > 12) return "JPEG quality " + std::to_string(level) + " is not between 0 and 12";
    t = {false, {"JPEG", false, static_cast<int>(std::max(1L, level * 100 / 12)), true, false}, {".jpg", ".jpeg"}, "jpg"};
  } else if (Is(formatClass, "PNGF")) {
    auto interlace = enumerated("PGIT").value_or("PGIN");
    if (interlace != "PGIN" && interlace != "PGIA") return "unknown PNG interlace \"" + interlace + "\"";
    t = {false, {"PNG", true, 0, true, interlace == "PGIA"}, {".png"}, "png"};
  } else if (Is(formatClass, "TrgF")) {
    const Item* depth = o.find("BtDp");
    long bits = depth && depth->kind == Item::Kind::Integer ? depth->integer : 24;
    if (bits != 24 && bits != 32) return "Targa files are written with 24 or 32 bits, not " + std::to_string(bits);
    t = {false, {"TGA", bits == 32, 0, true, false}, {".tga"}, "tga"};
  } else {
    return "the format \"" + CodeText(formatClass) + "\" is not offered";
  }
  return std::nullopt;
}

std::optional<std::string> TargetFromItem(const Item& as, SaveTarget& target) {
  if (as.kind == Item::Kind::Class && Is(as.integer, "Pht3")) {
    target = {true, {}, {".psd"}, "psd"};
    return std::nullopt;
  }
  if ((as.kind == Item::Kind::Object || as.kind == Item::Kind::GlobalObject) && as.object)
    return FlatFromOptions(as.type, *as.object, target);
  return "the save format is not given as a class or an object";
}

SaveTarget TargetForFormat(const std::string& format) {
  SaveTarget target{true, {}, {".psd"}, "psd"};
  if (format != "psd") {
    Descriptor none;
    const char* classes[][2] = {{"tif", "TIFF"}, {"bmp", "BMPF"}, {"jpg", "JPEG"}, {"png", "PNGF"}, {"tga", "TrgF"}};
    for (auto& [name, code] : classes)
      if (format == name) FlatFromOptions(CharId(code), none, target);
  }
  return target;
}

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}
std::string Uppered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}

// The file name a save-as writes: the format's extension, in lower case
// when asked for.
std::string WithExtension(const std::string& windowsPath, const SaveTarget& target, bool lowerCase) {
  auto dot = windowsPath.find_last_of('.');
  auto slash = windowsPath.find_last_of("\\/");
  std::string stem = windowsPath;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
    std::string extension = Lowered(windowsPath.substr(dot));
    if (std::find(target.extensions.begin(), target.extensions.end(), extension) != target.extensions.end())
      return windowsPath.substr(0, dot) + (lowerCase ? extension : Uppered(extension));
  }
  return stem + (lowerCase ? target.extensions.front() : Uppered(target.extensions.front()));
}

// Saves through a temporary file: on failure the file at the path is the one
// that was there before.
std::optional<std::string> Write(const Document& document, const std::string& windowsPath, const std::string& posixPath,
                                 const SaveTarget& target) {
  try {
    if (target.layered) WriteLayeredPsd(posixPath, document.layers);
    else WriteFlat(posixPath, document.layers, target.flat);
  } catch (const PixelError& e) {
    return "the file " + windowsPath + " could not be written: " + e.what();
  }
  return std::nullopt;
}

Magick::ColorRGB ToMagick(const Colour& c) { return Magick::ColorRGB(c.red / 255.0, c.green / 255.0, c.blue / 255.0); }

uint8_t Byte(double component) { return static_cast<uint8_t>(std::lround(component)); }

// A layer of the canvas of `like`, filled with an opaque colour.
LayerPixels Filled(const LayerPixels& like, const Colour& c) {
  const uint8_t rgba[4] = {Byte(c.red), Byte(c.green), Byte(c.blue), 255};
  return LayerPixels::Filled(like.width(), like.height(), rgba);
}

}  // namespace

Editor& TheEditor() {
  static Editor editor;
  return editor;
}

Document* Editor::activeDocument() { return documents_.empty() ? nullptr : &documents_.back(); }

Document* Editor::documentWithId(long id) {
  for (Document& d : documents_)
    if (d.id == id) return &d;
  return nullptr;
}

void Editor::activate(size_t index) {
  std::rotate(documents_.begin() + index, documents_.begin() + index + 1, documents_.end());
}

Editor::Outcome Editor::play(LONG event, const Descriptor* d) {
  std::lock_guard guard(lock_);
  writeFailed_ = false;
  Outcome outcome;
  try {
    outcome.failure = carryOut(event, d);
  } catch (const PixelError& e) {
    outcome.failure = e.what();
  } catch (const Magick::Exception& e) {
    outcome.failure = std::string("the pixels could not be worked on: ") + e.what();
  } catch (const std::bad_alloc&) {
    outcome.failure = "there is not enough memory for this document";
  }
  outcome.raised = writeFailed_;
  return outcome;
}

std::optional<std::string> Editor::carryOut(LONG event, const Descriptor* d) {
  static const Descriptor empty;
  const Descriptor& given = d ? *d : empty;
  if (Is(event, "Opn ")) return open(given);
  if (Is(event, "save")) return save(d);
  if (Is(event, "Cls ")) return close();
  if (Is(event, "setd")) return set(given);
  if (Is(event, "Mk  ")) return make(given);
  if (Is(event, "Dlt ")) return remove(d);
  if (Is(event, "Dplc")) return duplicate(given);
  if (Is(event, "copy")) return copy();
  if (Is(event, "past")) return paste();
  if (Is(event, "ClrR")) return colourRange();
  return "the event \"" + CodeText(event) + "\" is not available";
}

Editor::Result Editor::open(const Descriptor& d) {
  const Item* path = d.find("null");
  if (path == nullptr || path->kind != Item::Kind::Path) return "no file to open";
  const std::string posix = PosixOf(path->text);
  if (posix.empty()) return "the path " + path->text + " cannot be reached";
  for (size_t i = 0; i < documents_.size(); ++i)
    if (documents_[i].posixPath == posix) {
      activate(i);  // an open file is brought to the front
      return std::nullopt;
    }
  double resolution = 72;
  if (const Item* as = d.find("As  "); as && as->object)
    if (const Item* r = as->object->find("Rslt")) resolution = r->number;
  Document document;
  try {
    document.layers = LoadLayers(posix, resolution);
  } catch (const PixelError& e) {
    return std::string("the file could not be opened: ") + e.what();
  }
  for (Layer& layer : document.layers) layer.id = newLayerId();
  document.id = nextDocumentId_++;
  document.windowsPath = path->text;
  document.posixPath = posix;
  document.format = Lowered(std::filesystem::path(posix).extension().string().substr(1));
  if (document.format == "tiff") document.format = "tif";
  if (document.format == "jpeg") document.format = "jpg";
  document.active = document.layers.size() - 1;
  documents_.push_back(std::move(document));
  return std::nullopt;
}

Editor::Result Editor::save(const Descriptor* d) {
  Document* document = activeDocument();
  if (document == nullptr) return "there is no open document";
  const Item* as = d ? d->find("As  ") : nullptr;
  if (as == nullptr) {
    if (document->posixPath.empty()) return "the document has no file yet";
    if (document->format == "eps") return "EPS files are not written";
    auto failure = Write(*document, document->windowsPath, document->posixPath, TargetForFormat(document->format));
    if (!failure) document->dirty = false;
    writeFailed_ = failure.has_value();
    return failure;
  }
  SaveTarget target;
  if (auto failure = TargetFromItem(*as, target)) return failure;
  const Item* in = d->find("In  ");
  if (in == nullptr || in->kind != Item::Kind::Path) return "no file to save to";
  const Item* lowerCase = d->find("LwCs");
  const std::string windowsPath = WithExtension(in->text, target, lowerCase && lowerCase->flag);
  const std::string posix = PosixOf(windowsPath);
  if (posix.empty()) return "the path " + windowsPath + " cannot be reached";
  if (auto failure = Write(*document, windowsPath, posix, target)) {
    writeFailed_ = true;
    return failure;
  }
  document->windowsPath = windowsPath;
  document->posixPath = posix;
  document->format = target.name;
  document->dirty = false;
  return std::nullopt;
}

Editor::Result Editor::close() {
  Document* document = activeDocument();
  if (document == nullptr) return "there is no open document";
  // Played without dialogs, a close cannot ask whether to save.
  if (document->dirty) return "the document has unsaved changes";
  documents_.pop_back();
  return std::nullopt;
}

Editor::Result Editor::set(const Descriptor& d) {
  const Reference* target = ReferenceAt(d, "null");
  const Item* to = d.find("T   ");
  if (target == nullptr || to == nullptr) return "nothing to set";
  using Form = ReferencePart::Form;
  if (IsRef(*target, 0, Form::Property, "Prpr", "IsDr") && IsTargetDocument(*target, 1)) {
    Document* document = activeDocument();
    if (document == nullptr) return "there is no open document";
    document->dirty = to->flag;
    return std::nullopt;
  }
  if (IsRef(*target, 0, Form::Property, "Chnl", "fsel")) {
    Document* document = activeDocument();
    if (document == nullptr) return "there is no open document";
    if (to->kind != Item::Kind::Enumerated) return "the selection is not given";
    if (Is(to->integer, "Al  ")) document->selection = Document::Selection::All;
    else if (Is(to->integer, "None")) document->selection = Document::Selection::None;
    else return "the selection \"" + CodeText(to->integer) + "\" is not offered";
    return std::nullopt;
  }
  bool isBackground = IsRef(*target, 0, Form::Property, "Clr ", "BckC");
  if (isBackground || IsRef(*target, 0, Form::Property, "Clr ", "FrgC")) {
    if (to->kind != Item::Kind::Object || !Is(to->type, "RGBC") || !to->object) return "the colour is not RGB";
    Colour colour;
    for (auto [key, value] : {std::pair{"Rd  ", &colour.red}, {"Grn ", &colour.green}, {"Bl  ", &colour.blue}}) {
      const Item* component = to->object->find(key);
      if (component == nullptr || component->number < 0 || component->number > 255) return "a colour component is missing or out of range";
      *value = component->number;
    }
    (isBackground ? background_ : foreground_) = colour;
    return std::nullopt;
  }
  return "this property cannot be set";
}

Editor::Result Editor::make(const Descriptor& d) {
  Document* document = activeDocument();
  const Item* what = d.find("Nw  ");
  if (document == nullptr) return "there is no open document";
  if (what == nullptr || what->kind != Item::Kind::Object || !what->object) return "nothing to make";
  if (Is(what->type, "BckL")) {
    // The target layer becomes the background: at the bottom, opaque on the background colour.
    if (document->hasBackground()) return "the document has a background layer already";
    Layer layer = document->layers[document->active];
    document->layers.erase(document->layers.begin() + document->active);
    const LayerPixels filled = Filled(layer.pixels, background_).over(layer.pixels);
    document->layers.insert(document->layers.begin(), Layer{"Background", filled, true, layer.id});
    document->active = 0;
  } else if (Is(what->type, "Lyr ")) {
    const Item* name = what->object->find("Nm  ");
    std::string layerName = name && !name->text.empty() ? name->text : "Layer " + std::to_string(document->layers.size());
    const LayerPixels& like = document->layers.front().pixels;
    document->layers.insert(document->layers.begin() + document->active + 1,
                            Layer{layerName, LayerPixels::Transparent(like.width(), like.height()), false, newLayerId()});
    ++document->active;
  } else {
    return "the class \"" + CodeText(what->type) + "\" cannot be made";
  }
  document->dirty = true;
  return std::nullopt;
}

Editor::Result Editor::remove(const Descriptor* d) {
  Document* document = activeDocument();
  if (document == nullptr) return "there is no open document";
  if (d == nullptr) {  // the selected pixels of the target layer
    Layer& layer = document->layers[document->active];
    if (document->selection == Document::Selection::None) return "there is no selection";
    if (document->selection == Document::Selection::All) {
      layer.pixels = layer.background ? Filled(layer.pixels, background_)
                                      : LayerPixels::Transparent(layer.pixels.width(), layer.pixels.height());
    } else if (layer.background) {
      Magick::Image pixels = layer.pixels.image();
      pixels.opaque(ToMagick(document->selectedColour), ToMagick(background_));
      layer.pixels = LayerPixels::FromImage(pixels);
    } else {
      const Colour& c = document->selectedColour;
      layer.pixels = layer.pixels.withoutColour(Byte(c.red), Byte(c.green), Byte(c.blue));
    }
    document->dirty = true;
    return std::nullopt;
  }
  const Reference* target = ReferenceAt(*d, "null");
  if (target == nullptr || target->empty()) return "nothing to delete";
  long position = -1;
  const ReferencePart& part = target->front();
  if (part.form == ReferencePart::Form::Index && Is(part.desiredClass, "Lyr "))
    position = document->hasBackground() ? part.value : part.value - 1;  // the background is index 0
  else if (IsRef(*target, 0, ReferencePart::Form::Property, "Lyr ", "Bckg"))
    position = document->hasBackground() ? 0 : -1;
  else
    return "this element cannot be deleted";
  if (position < 0 || position >= static_cast<long>(document->layers.size())) return "there is no such layer";
  if (document->layers.size() == 1) return "the only layer of a document cannot be deleted";
  document->layers.erase(document->layers.begin() + position);
  document->active = std::min(document->active, document->layers.size() - 1);
  document->dirty = true;
  return std::nullopt;
}

Editor::Result Editor::duplicate(const Descriptor& d) {
  Document* source = activeDocument();
  const Reference* from = ReferenceAt(d, "null");
  const Reference* to = ReferenceAt(d, "T   ");
  if (source == nullptr) return "there is no open document";
  if (from == nullptr || from->empty() || !Is(from->front().desiredClass, "Lyr ")) return "no layer to duplicate";
  Document* destination = source;
  if (to != nullptr) {
    if (to->empty() || to->front().form != ReferencePart::Form::Identifier || !Is(to->front().desiredClass, "Dcmn"))
      return "the destination is not a document id";
    destination = documentWithId(to->front().value);
    if (destination == nullptr) return "there is no document with id " + std::to_string(to->front().value);
  }
  Layer copy = source->layers[source->active];
  const Item* name = d.find("Nm  ");
  copy.name = name ? name->text : copy.name + " copy";
  copy.background = false;
  copy.id = newLayerId();
  const LayerPixels& like = destination->layers.front().pixels;
  copy.pixels = copy.pixels.onCanvas(like.width(), like.height());
  destination->layers.push_back(copy);
  if (destination == source) source->active = source->layers.size() - 1;
  destination->dirty = true;
  return std::nullopt;
}

Editor::Result Editor::copy() {
  Document* document = activeDocument();
  if (document == nullptr) return "there is no open document";
  if (document->selection == Document::Selection::None) return "there is no selection";
  clipboard_ = document->layers[document->active].pixels;
  return std::nullopt;
}

Editor::Result Editor::paste() {
  Document* document = activeDocument();
  if (document == nullptr) return "there is no open document";
  if (!clipboard_) return "the clipboard is empty";
  Layer& layer = document->layers[document->active];
  layer.pixels = layer.pixels.over(*clipboard_);
  document->dirty = true;
  return std::nullopt;
}

Editor::Result Editor::colourRange() {
  Document* document = activeDocument();
  if (document == nullptr) return "there is no open document";
  document->selection = Document::Selection::ColourRange;
  document->selectedColour = foreground_;
  return std::nullopt;
}

std::optional<Descriptor> Editor::property(const Reference& r) {
  std::lock_guard guard(lock_);
  Document* document = activeDocument();
  if (document == nullptr) return std::nullopt;
  using Form = ReferencePart::Form;
  Descriptor answer;
  if (IsRef(r, 0, Form::Property, "Prpr", "DocI") && IsTargetDocument(r, 1)) {
    answer.put({.kind = Item::Kind::Integer, .key = CharId("DocI"), .integer = static_cast<LONG>(document->id)});
    return answer;
  }
  if (IsRef(r, 0, Form::Property, "Prpr", "LyrI") && IsRef(r, 1, Form::Property, "Lyr ", "Bckg")) {
    if (!document->hasBackground()) return std::nullopt;
    answer.put({.kind = Item::Kind::Integer, .key = CharId("LyrI"),
                .integer = static_cast<LONG>(document->layers.front().id)});
    return answer;
  }
  return std::nullopt;
}

void Editor::closeAllDocuments() {
  std::lock_guard guard(lock_);
  documents_.clear();
  clipboard_.reset();
}

std::vector<Document> Editor::documents() {
  std::lock_guard guard(lock_);
  return documents_;
}

}  // namespace photoshop::detail
