#include "fonts.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace arx::render {
namespace {

std::mutex mutex;

std::string lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

// The file name of a font without folder and extension.
std::string stem(std::string_view file) {
  const size_t slash = file.find_last_of("/\\");
  if (slash != std::string_view::npos) file.remove_prefix(slash + 1);
  const size_t dot = file.rfind('.');
  if (dot != std::string_view::npos) file = file.substr(0, dot);
  return lower(file);
}

struct Known {
  const char* stem;
  const char* family;
  bool bold, italic;
};
// TrueType files that drawings name, by the family they hold.
constexpr Known kFiles[] = {
    {"arial", "Arial", false, false},         {"arialbd", "Arial", true, false},
    {"ariali", "Arial", false, true},         {"arialbi", "Arial", true, true},
    {"arialn", "Arial Narrow", false, false}, {"times", "Times New Roman", false, false},
    {"timesbd", "Times New Roman", true, false}, {"timesi", "Times New Roman", false, true},
    {"timesbi", "Times New Roman", true, true}, {"cour", "Courier New", false, false},
    {"courbd", "Courier New", true, false},   {"calibri", "Calibri", false, false},
    {"verdana", "Verdana", false, false},     {"tahoma", "Tahoma", false, false},
    {"isocpeur", "Arial", false, false},      {"isocp", "Arial", false, false},
};

bool isShx(std::string_view file) {
  const std::string l = lower(file);
  return l.ends_with(".shx") || l.find('.') == std::string::npos;
}

// Cap height, ascent and descent of a family, measured once.
void measure(Font& font) {
  static std::map<std::string, Font> cache;
  const std::string key = font.family + (font.bold ? "|b" : "") + (font.italic ? "|i" : "");
  if (auto it = cache.find(key); it != cache.end()) {
    font.capHeight = it->second.capHeight, font.ascent = it->second.ascent, font.descent = it->second.descent;
    return;
  }
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(s);
  cairo_select_font_face(cr, font.family.c_str(), font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 1000);
  cairo_text_extents_t te;
  cairo_text_extents(cr, "H", &te);
  cairo_font_extents_t fe;
  cairo_font_extents(cr, &fe);
  if (te.height > 0) font.capHeight = te.height / 1000;
  if (fe.ascent > 0) font.ascent = fe.ascent / 1000;
  if (fe.descent > 0) font.descent = fe.descent / 1000;
  cairo_destroy(cr);
  cairo_surface_destroy(s);
  cache[key] = font;
}

}  // namespace

std::string installedFamily(std::string_view requested) {
  static std::map<std::string, std::string> cache;
  const std::string key(requested);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  std::string family = "DejaVu Sans";
  if (FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(key.c_str()))) {
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
      FcChar8* name = nullptr;
      if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch && name)
        family = reinterpret_cast<const char*>(name);
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
  }
  cache[key] = family;
  return family;
}

Font familyFont(std::string_view family, bool bold, bool italic) {
  std::lock_guard lock(mutex);
  Font font;
  // fontconfig's pattern syntax treats these as separators.
  std::string clean(family);
  std::erase_if(clean, [](char c) { return c == ':' || c == ',' || c == '-' || c == '\\'; });
  font.family = installedFamily(clean.empty() ? "Arial" : clean);
  font.bold = bold, font.italic = italic;
  measure(font);
  return font;
}

Font styleFont(const TextStyleInfo* style) {
  if (!style) return familyFont("DejaVu Sans", false, false);
  if (!style->family.empty()) return familyFont(style->family, style->bold, style->italic);
  const std::string s = stem(style->fontFile);
  for (const Known& k : kFiles)
    if (s == k.stem) return familyFont(k.family, k.bold || style->bold, k.italic || style->italic);
  // SHX shape fonts (txt, simplex, romans, ...): DejaVu Sans is close to
  // their proportions (wide letters, a large x-height).
  if (isShx(style->fontFile)) return familyFont("DejaVu Sans", style->bold, style->italic);
  return familyFont(s, style->bold, style->italic);
}

double advanceOf(const Font& font, std::string_view utf8) {
  if (utf8.empty()) return 0;
  std::lock_guard lock(mutex);
  static cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  static cairo_t* cr = [] {
    cairo_t* c = cairo_create(s);
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(c, fo);
    cairo_font_options_destroy(fo);
    return c;
  }();
  cairo_select_font_face(cr, font.family.c_str(), font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 100);
  cairo_text_extents_t te;
  const std::string text(utf8);
  cairo_text_extents(cr, text.c_str(), &te);
  return te.x_advance / 100;
}

}  // namespace arx::render
