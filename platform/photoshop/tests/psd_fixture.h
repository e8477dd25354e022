#pragma once
// A small site plan made in the editor through its events and saved as a
// layered document, and a reader of that file's own structure: layer records,
// their names and how every channel is stored.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <list>
#include <vector>

#include "server_fixture.h"

// What the plan holds: a white page with a red house (the background), three
// trees in a layer of their own and an empty layer, named beyond ASCII.
inline const std::u16string kTreesName = u"ACAD_B\u00e4ume";
inline const std::u16string kRoadName = u"ACAD_Stra\u00dfe";
inline const char* kTreesUtf8 = "ACAD_B\xc3\xa4ume";
inline const char* kRoadUtf8 = "ACAD_Stra\xc3\x9f" "e";
constexpr size_t kPlanWidth = 120, kPlanHeight = 80;
// The trees: three squares whose bounds are x 20..50, y 30..45.
constexpr int kTrees[][4] = {{20, 30, 25, 35}, {35, 38, 40, 43}, {46, 30, 50, 45}};

class LayeredDocumentTest : public ServerTest {
 protected:
  void MakeHouseAndTrees() {
    Magick::Image house(Magick::Geometry(kPlanWidth, kPlanHeight), Magick::Color("white"));
    house.fillColor(Magick::Color("red"));
    house.draw(Magick::DrawableRectangle(70, 10, 89, 29));
    house.write(PosixPath("house.png"));
    Magick::Image trees(Magick::Geometry(kPlanWidth, kPlanHeight), Magick::Color("transparent"));
    trees.fillColor(Magick::Color("green"));
    for (auto& t : kTrees) trees.draw(Magick::DrawableRectangle(t[0], t[1], t[2], t[3]));
    trees.write("PNG32:" + PosixPath("trees.png"));
  }
  // The plan as the create step builds it, saved as `name`.
  void BuildPlan(const std::string& name) {
    MakeHouseAndTrees();
    ASSERT_EQ(Open("house.png"), "");
    const long house = photoshop::Documents().back().id;
    ASSERT_EQ(Open("trees.png"), "");
    ASSERT_EQ(DuplicateTo(house, kTreesName), "");
    ASSERT_EQ(Close(), "");
    ASSERT_EQ(MakeLayer(kRoadName), "");  // above the target layer, the background
    ASSERT_EQ(SaveAsPsd(name), "");
  }
  std::string DuplicateTo(long document, const std::u16string& name) {
    return Play("Dplc", [&](IActionDescriptor* d) {
      IActionReference* from = nullptr;
      IActionReference* to = nullptr;
      app_->MakeReference(&from);
      app_->MakeReference(&to);
      from->PutEnumerated(photoshop::CharId("Lyr "), photoshop::CharId("Ordn"), photoshop::CharId("Trgt"));
      to->PutIdentifier(photoshop::CharId("Dcmn"), document);
      d->PutReference(photoshop::CharId("null"), from);
      PutText(d, "Nm  ", name);
      d->PutReference(photoshop::CharId("T   "), to);
      from->Release();
      to->Release();
    });
  }
  std::string MakeLayer(const std::u16string& name) {
    return Play("Mk  ", [&](IActionDescriptor* d) {
      IActionDescriptor* layer = nullptr;
      app_->MakeDescriptor(&layer);
      PutText(layer, "Nm  ", name);
      d->PutObject(photoshop::CharId("Nw  "), photoshop::CharId("Lyr "), layer);
      layer->Release();
    });
  }
  // Save as a layered document, or (with a format class) a picture with the
  // format's usual options; the name's extension in lower case.
  std::string SaveAsPsd(const std::string& name) { return SaveAs(name, "Pht3"); }
  std::string SaveAs(const std::string& name, const char* format) {
    const std::u16string path = Wide(WindowsPath(name));
    return Play("save", [&](IActionDescriptor* d) {
      if (std::string(format) == "Pht3") {
        d->PutClass(photoshop::CharId("As  "), photoshop::CharId(format));
      } else {
        IActionDescriptor* options = nullptr;
        app_->MakeDescriptor(&options);
        d->PutObject(photoshop::CharId("As  "), photoshop::CharId(format), options);
        options->Release();
      }
      BSTR text = SysAllocString(path.c_str());
      d->PutPath(photoshop::CharId("In  "), text);
      SysFreeString(text);
      d->PutBoolean(photoshop::CharId("LwCs"), VARIANT_TRUE);
    });
  }
  std::string Close() {
    return Play("Cls ", [](IActionDescriptor*) {});
  }
  std::string Bytes(const std::string& name) {
    std::ifstream in(PosixPath(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void PutText(IActionDescriptor* d, const char* key, const std::u16string& text) {
    BSTR value = SysAllocString(text.c_str());
    d->PutString(photoshop::CharId(key), value);
    SysFreeString(value);
  }
};

// The layer records of a layered document and how its channels are stored,
// read from the file's bytes.
struct StoredLayer {
  long top = 0, left = 0, bottom = 0, right = 0;
  std::string recordName;   // the name in the record
  std::u16string unicodeName;  // of the Unicode name block, if there is one
  std::vector<int> compressions;  // of each channel: 0 raw, 1 PackBits
};
struct StoredDocument {
  int depth = 0, mergedChannels = 0, mergedCompression = -1;
  std::vector<StoredLayer> layers;
};

class PsdBytes {
 public:
  explicit PsdBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(in), {});
  }
  StoredDocument parse() {
    StoredDocument doc;
    at_ = 12;
    doc.mergedChannels = static_cast<int>(u16());
    at_ = 22;
    doc.depth = static_cast<int>(u16());
    at_ = 26;
    skip(u32());  // colour mode data
    skip(u32());  // image resources
    const size_t layerSectionEnd = u32() + at_;
    u32();  // layer info length
    const int count = std::abs(static_cast<int16_t>(u16()));
    std::vector<std::vector<size_t>> channelLengths;
    for (int i = 0; i < count; ++i) {
      StoredLayer layer;
      layer.top = s32(), layer.left = s32(), layer.bottom = s32(), layer.right = s32();
      const unsigned channels = u16();
      channelLengths.emplace_back();
      for (unsigned c = 0; c < channels; ++c) {
        u16();
        channelLengths.back().push_back(u32());
      }
      skip(12);  // blend mode, opacity, clipping, flags, filler
      const size_t extraEnd = u32() + at_;
      skip(u32());  // mask
      skip(u32());  // blending ranges
      const size_t nameLength = bytes_.at(at_);
      layer.recordName = bytes_.substr(at_ + 1, nameLength);
      skip((1 + nameLength + 3) / 4 * 4);
      while (at_ + 12 <= extraEnd) {
        const std::string key = bytes_.substr(at_ + 4, 4);
        skip(8);
        const size_t blockEnd = u32() + at_;
        if (key == "luni") {
          const size_t units = u32();
          for (size_t k = 0; k < units; ++k) layer.unicodeName.push_back(static_cast<char16_t>(u16()));
        }
        at_ = blockEnd;
      }
      at_ = extraEnd;
      doc.layers.push_back(layer);
    }
    for (int i = 0; i < count; ++i)
      for (size_t length : channelLengths[i]) {
        const size_t start = at_;
        doc.layers[i].compressions.push_back(static_cast<int>(u16()));
        at_ = start + length;
      }
    at_ = layerSectionEnd;
    doc.mergedCompression = static_cast<int>(u16());
    return doc;
  }

 private:
  unsigned long u32() {
    const unsigned long high = u16();
    return (high << 16) | u16();
  }
  long s32() { return static_cast<int32_t>(u32()); }
  unsigned long u16() {
    const unsigned long v = (static_cast<unsigned char>(bytes_.at(at_)) << 8) | static_cast<unsigned char>(bytes_.at(at_ + 1));
    at_ += 2;
    return v;
  }
  void skip(size_t n) { at_ += n; }
  std::string bytes_;
  size_t at_ = 0;
};

// ImageMagick's reading: the merged picture first, then each layer at its bounds.
inline std::vector<Magick::Image> ReadWithImageMagick(const std::string& path) {
  std::vector<Magick::Image> images;
  Magick::readImages(&images, "PSD:" + path);
  return images;
}

// ImageMagick 6 gives the opacity level as alpha(): 0 opaque, 1 transparent.
inline bool Opaque(const Magick::Image& image, ssize_t x, ssize_t y) {
  return Magick::ColorRGB(image.pixelColor(x, y)).alpha() < 0.5;
}
