// TEXT, ATTRIB and MTEXT: fonts, alignment, and MTEXT's formatting codes and wrapping.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "arx/render/aci.h"
#include "decoder.h"
#include "fonts.h"
#include "tag_reading.h"

namespace arx::render {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr size_t kMaxTextBytes = 1 << 16;

// The plan affine of an object coordinate system at elevation z.
Affine2 planAffine(const Matrix& m, double z) {
  const Vec2 t = m.plan({0, 0, z});
  return {m.x.x, m.x.y, m.y.x, m.y.y, t.x, t.y};
}

Affine2 translate(Vec2 t) { return {1, 0, 0, 1, t.x, t.y}; }
Affine2 rotate(double a) { return {std::cos(a), std::sin(a), -std::sin(a), std::cos(a), 0, 0}; }
Affine2 scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
Affine2 shear(double obliqueRadians) { return {1, 0, std::tan(obliqueRadians), 1, 0, 0}; }

void appendUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) out += static_cast<char>(cp);
  else if (cp < 0x800) out += static_cast<char>(0xc0 | (cp >> 6)), out += static_cast<char>(0x80 | (cp & 0x3f));
  else if (cp < 0x10000) {
    out += static_cast<char>(0xe0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (cp & 0x3f));
  } else if (cp < 0x110000) {
    out += static_cast<char>(0xf0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3f));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (cp & 0x3f));
  }
}

// The %% codes of TEXT (degree, plus-minus, diameter, a percent sign, a
// character number); the underline and overline toggles are dropped.
std::string specialCodes(std::string_view in) {
  std::string out;
  for (size_t i = 0; i < in.size() && out.size() < kMaxTextBytes; ++i) {
    if (in[i] == '%' && i + 2 < in.size() && in[i + 1] == '%') {
      const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(in[i + 2])));
      i += 2;
      if (c == 'd') appendUtf8(out, 0xb0);
      else if (c == 'p') appendUtf8(out, 0xb1);
      else if (c == 'c') appendUtf8(out, 0x2300);
      else if (c == '%') out += '%';
      else if (std::isdigit(static_cast<unsigned char>(c))) {
        unsigned code = 0;
        size_t k = i;
        while (k < in.size() && k < i + 3 && std::isdigit(static_cast<unsigned char>(in[k]))) code = code * 10 + (in[k++] - '0');
        appendUtf8(out, code);
        i = k - 1;
      } else if (c != 'u' && c != 'o' && c != 'k') {
        out += "%%";
        out += in[i];
      }
    } else {
      out += in[i];
    }
  }
  return out;
}

// A \U+XXXX escape at `i` (the backslash): appends the character and moves on.
bool unicodeEscape(std::string_view in, size_t& i, std::string& out) {
  if (i + 6 >= in.size() || (in[i + 1] != 'U' && in[i + 1] != 'u') || in[i + 2] != '+') return false;
  unsigned cp = 0;
  for (size_t k = i + 3; k < i + 7; ++k) {
    if (k >= in.size() || !std::isxdigit(static_cast<unsigned char>(in[k]))) return false;
    cp = cp * 16 + static_cast<unsigned>(std::stoi(std::string(1, in[k]), nullptr, 16));
  }
  appendUtf8(out, cp);
  i += 6;
  return true;
}

// Formatting of a stretch of MTEXT.
struct Format {
  Font font;
  double height = 1, widthFactor = 1, oblique = 0, tracking = 1;
  bool underline = false, overline = false, strike = false;
  bool hasPaint = false;
  Paint paint;
};

struct Piece {
  Piece(std::string text, const Format& f, bool isSpace = false) : utf8(std::move(text)), format(f), space(isSpace) {}
  std::string utf8;
  Format format;
  bool space = false;
  bool stacked = false;
  std::string lower;  // denominator of a stack
  char stackKind = '/';
  double width = 0;
};

struct Line {
  std::vector<Piece> pieces;
  double width = 0, height = 0;
};

double pieceWidth(const Piece& p) {
  const double em = p.format.height / p.format.font.capHeight;
  const double factor = em * p.format.widthFactor * p.format.tracking;
  if (p.stacked) {
    return 0.7 * factor * std::max(advanceOf(p.format.font, p.utf8), advanceOf(p.format.font, p.lower));
  }
  return factor * advanceOf(p.format.font, p.utf8);
}

// MTEXT content -> paragraphs of pieces (words, spaces, stacks) with their formats.
class MTextParser {
 public:
  MTextParser(std::string_view text, const Format& base, const Paint& entity, const Paint& block)
      : in_(text), entity_(entity), block_(block) {
    stack_.push_back(base);
  }

  std::vector<std::vector<Piece>> parse() {
    paragraphs_.emplace_back();
    while (i_ < in_.size() && count_ < 100000) step();
    flush();
    return paragraphs_;
  }

 private:
  Format& format() { return stack_.back(); }

  void flush() {
    if (word_.empty()) return;
    Piece p(word_, format());
    p.width = pieceWidth(p);
    paragraphs_.back().push_back(std::move(p));
    word_.clear();
    ++count_;
  }
  void space() {
    flush();
    Piece p(" ", format(), true);
    p.width = pieceWidth(p);
    paragraphs_.back().push_back(std::move(p));
    ++count_;
  }
  // The argument of a code up to ';' (or the end).
  std::string_view argument() {
    const size_t end = in_.find(';', i_);
    const std::string_view arg = in_.substr(i_, end == std::string_view::npos ? std::string_view::npos : end - i_);
    i_ = end == std::string_view::npos ? in_.size() : end + 1;
    return arg;
  }
  // A value with an optional trailing 'x' (relative to the current one).
  static double scaled(std::string_view arg, double current) {
    const bool relative = !arg.empty() && (arg.back() == 'x' || arg.back() == 'X');
    if (relative) arg.remove_suffix(1);
    double v = 0;
    if (!parseNumber(arg, v) || v <= 0 || v > 1e6) return current;
    return relative ? current * v : v;
  }

  void code(char c) {
    switch (c) {
      case 'P': case 'N': case 'X':
        flush();
        paragraphs_.emplace_back();
        break;
      case '~': word_ += "\xc2\xa0"; break;
      case '\\': case '{': case '}': word_ += c; break;
      case 'L': flush(); format().underline = true; break;
      case 'l': flush(); format().underline = false; break;
      case 'O': flush(); format().overline = true; break;
      case 'o': flush(); format().overline = false; break;
      case 'K': flush(); format().strike = true; break;
      case 'k': flush(); format().strike = false; break;
      case 'H': flush(); format().height = scaled(argument(), format().height); break;
      case 'W': flush(); format().widthFactor = scaled(argument(), format().widthFactor); break;
      case 'T': flush(); format().tracking = std::clamp(scaled(argument(), format().tracking), 0.75, 4.0); break;
      case 'Q': {
        flush();
        double v = 0;
        if (parseNumber(argument(), v) && std::abs(v) < 85) format().oblique = v * kDegree;
        break;
      }
      case 'C': {
        flush();
        long long v = 256;
        parseInteger(argument(), v);
        format().hasPaint = true;
        format().paint = v == 0 ? block_ : (v == 256 || v < 0 || v > 256) ? entity_ : aciPaint(v);
        break;
      }
      case 'c': {
        flush();
        long long v = 0;
        if (parseInteger(argument(), v)) {
          // Red in the low byte.
          format().hasPaint = true;
          format().paint = {(v & 0xff) / 255.0, ((v >> 8) & 0xff) / 255.0, ((v >> 16) & 0xff) / 255.0, entity_.a};
        }
        break;
      }
      case 'f': case 'F': {
        flush();
        const std::string_view arg = argument();
        const std::string_view family = arg.substr(0, arg.find('|'));
        const bool bold = arg.find("|b1") != std::string_view::npos;
        const bool italic = arg.find("|i1") != std::string_view::npos;
        if (c == 'f' && !family.empty()) format().font = familyFont(family, bold, italic);
        else if (c == 'F' && !family.empty()) {
          TextStyleInfo shape;
          shape.fontFile = std::string(family);
          format().font = styleFont(&shape);
        }
        break;
      }
      case 'S': stack(); break;
      case 'A': case 'p': case 'a': argument(); break;
      default: break;  // unknown codes show nothing
    }
  }

  void stack() {
    flush();
    const std::string_view arg = argument();
    const size_t split = arg.find_first_of("^/#");
    Piece p(std::string(arg.substr(0, split)), format());
    p.stacked = true;
    if (split != std::string_view::npos) {
      p.stackKind = arg[split];
      p.lower = std::string(arg.substr(split + 1));
    }
    // "\^" escapes a caret in the numerator.
    std::erase(p.utf8, '\\');
    std::erase(p.lower, '\\');
    p.width = pieceWidth(p);
    paragraphs_.back().push_back(std::move(p));
    ++count_;
  }

  void step() {
    const char c = in_[i_];
    if (c == '\\' && i_ + 1 < in_.size()) {
      if (unicodeEscape(in_, i_, word_)) {
        ++i_;
        return;
      }
      i_ += 2;
      code(in_[i_ - 1]);
    } else if (c == '{') {
      flush();
      ++i_;
      if (stack_.size() < 64) stack_.push_back(format());
    } else if (c == '}') {
      flush();
      ++i_;
      if (stack_.size() > 1) stack_.pop_back();
    } else if (c == ' ') {
      ++i_;
      space();
    } else if (c == '^' && i_ + 1 < in_.size() && (in_[i_ + 1] == 'J' || in_[i_ + 1] == 'M')) {
      i_ += 2;
      flush();
      paragraphs_.emplace_back();
    } else if (c == '\t' || (c == '^' && i_ + 1 < in_.size() && in_[i_ + 1] == 'I')) {
      i_ += c == '\t' ? 1 : 2;
      for (int k = 0; k < 4; ++k) space();
    } else if (c == '\n') {
      ++i_;
      flush();
      paragraphs_.emplace_back();
    } else {
      word_ += c;
      ++i_;
      if (word_.size() > kMaxTextBytes) flush();
    }
  }

  std::string_view in_;
  size_t i_ = 0, count_ = 0;
  Paint entity_, block_;
  std::vector<Format> stack_;
  std::string word_;
  std::vector<std::vector<Piece>> paragraphs_;
};

// Greedy wrapping at the reference width (0: no wrapping).
std::vector<Line> wrap(const std::vector<std::vector<Piece>>& paragraphs, double width, double baseHeight) {
  std::vector<Line> lines;
  for (const auto& paragraph : paragraphs) {
    lines.emplace_back();
    bool wrapped = false;
    size_t i = 0;
    while (i < paragraph.size()) {
      // A word: the pieces up to the next space.
      size_t j = i;
      double w = 0;
      while (j < paragraph.size() && !paragraph[j].space) w += paragraph[j++].width;
      if (j == i) {  // a space; none at the start of a wrapped line
        if (!lines.back().pieces.empty() || !wrapped) {
          lines.back().pieces.push_back(paragraph[i]);
          lines.back().width += paragraph[i].width;
        }
        ++i;
        continue;
      }
      Line& line = lines.back();
      if (width > 0 && line.width + w > width * 1.0001 && !line.pieces.empty()) {
        while (!line.pieces.empty() && line.pieces.back().space) {
          line.width -= line.pieces.back().width;
          line.pieces.pop_back();
        }
        lines.emplace_back();
        wrapped = true;
      }
      for (; i < j; ++i) {
        lines.back().pieces.push_back(paragraph[i]);
        lines.back().width += paragraph[i].width;
      }
    }
    Line& last = lines.back();
    while (!last.pieces.empty() && last.pieces.back().space) {
      last.width -= last.pieces.back().width;
      last.pieces.pop_back();
    }
  }
  for (Line& line : lines) {
    line.height = line.pieces.empty() ? baseHeight : 0;
    for (const Piece& p : line.pieces) line.height = std::max(line.height, p.format.height);
  }
  return lines;
}

}  // namespace

void Decoder::text(Tags e, const Context& c, const Style& s) {
  const bool attribute = entityType(e) != "TEXT";
  const std::string content = specialCodes(textOf(e, entityType(e) == "ATTDEF" ? 2 : 1));
  if (content.empty()) return;
  const TextStyleInfo* style = tables_.textStyle(textOf(e, 7, "Standard"));
  const Font font = styleFont(style);
  double height = numberOf(e, 40, style && style->height > 0 ? style->height : 1);
  double widthFactor = numberOf(e, 41, style ? style->widthFactor : 1);
  if (!(widthFactor > 0)) widthFactor = 1;
  const double oblique = std::clamp(numberOf(e, 51, style ? style->obliqueDegrees : 0), -85.0, 85.0) * kDegree;
  double rotation = numberOf(e, 50, 0) * kDegree;
  const long long generation = integerOf(e, 71, style ? style->generation : 0);
  const long long horizontal = integerOf(e, 72, 0), vertical = integerOf(e, attribute ? 74 : 73, 0);
  const Vec3 p1 = pointOf(e, 10), p2 = pointOf(e, 11, p1);
  if (!(height > 0)) return;
  const double advance = advanceOf(font, content);  // em
  double em = height / font.capHeight;
  double width = advance * em * widthFactor;
  Vec2 anchor{p1.x, p1.y};
  Vec2 offset{0, 0};
  const bool aligned = horizontal == 3 || horizontal == 5;
  if (aligned) {
    const Vec2 d{p2.x - p1.x, p2.y - p1.y};
    const double len = length(d);
    if (len > 0 && width > 0) {
      rotation = std::atan2(d.y, d.x);
      if (horizontal == 3) em *= len / width, height *= len / width;
      else widthFactor *= len / width;
      width = len;
    }
  } else if (horizontal != 0 || vertical != 0) {
    anchor = {p2.x, p2.y};
    if (horizontal == 1 || horizontal == 4) offset.x = -width / 2;
    else if (horizontal == 2) offset.x = -width;
    if (horizontal == 4) offset.y = -height / 2;
    else if (vertical == 1) offset.y = font.descent * em;
    else if (vertical == 2) offset.y = -height / 2;
    else if (vertical == 3) offset.y = -height;
  }
  const Affine2 mirror = scale(generation & 2 ? -1 : 1, generation & 4 ? -1 : 1);
  TextRun run;
  run.utf8 = content;
  run.family = font.family, run.bold = font.bold, run.italic = font.italic;
  run.advance = advance, run.ascent = font.ascent, run.descent = font.descent;
  run.toWorld = planAffine(c.toWorld * ocs(pointOf(e, 210, {0, 0, 1})), p1.z) * translate(anchor) * rotate(rotation) *
                mirror * translate(offset) * scale(em * widthFactor, em) * shear(oblique);
  sink_.text(run, s.paint);
}

void Decoder::mtext(Tags e, const Context& c, const Style& s) {
  MTextBox box;
  // The text is groups 3 (in order) and then 1.
  for (size_t i = 1; i < e.size() && e[i].code != 0 && box.content.size() < kMaxTextBytes * 4; ++i)
    if (e[i].code == 3) box.content += e[i].value;
  box.content += textOf(e, 1);
  box.styleName = textOf(e, 7, "Standard");
  box.styleInfo = tables_.textStyle(box.styleName);
  box.insert = pointOf(e, 10);
  box.height = numberOf(e, 40, box.styleInfo && box.styleInfo->height > 0 ? box.styleInfo->height : 1);
  box.width = numberOf(e, 41, 0);
  box.attachment = static_cast<int>(std::clamp<long long>(integerOf(e, 71, 1), 1, 9));
  box.lineSpacing = std::clamp(numberOf(e, 44, 1), 0.25, 4.0);
  box.normal = pointOf(e, 210, {0, 0, 1});
  const Matrix o = ocs(box.normal);
  if (findTag(e, 11)) box.direction = pointOf(e, 11);
  else box.direction = o.applyVector({std::cos(numberOf(e, 50, 0) * kDegree), std::sin(numberOf(e, 50, 0) * kDegree), 0});
  // The direction in the world, and the text's y axis from the extrusion.
  layoutMText(box, c.toWorld, s, c);
}

void Decoder::layoutMText(const MTextBox& box, const Matrix& m, const Style& s, const Context& c) {
  if (!(box.height > 0) || box.content.empty()) return;
  Format base;
  base.font = styleFont(box.styleInfo);
  base.height = box.height;
  base.widthFactor = box.styleInfo && box.styleInfo->widthFactor > 0 ? box.styleInfo->widthFactor : 1;
  base.oblique = box.styleInfo ? box.styleInfo->obliqueDegrees * kDegree : 0;
  MTextParser parser(box.content, base, s.paint, c.blockPaint);
  const std::vector<Line> lines = wrap(parser.parse(), box.width, box.height);
  if (!spend(static_cast<double>(lines.size()))) return;
  // Baselines from the top of the box down.
  std::vector<double> baselines;
  double y = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    // Below the previous line's descenders and a gap (a third of its height
    // each) comes this line's cap height: 5/3 of the height when all are alike.
    y -= i == 0 ? lines[i].height : (lines[i - 1].height * 2.0 / 3.0 + lines[i].height) * box.lineSpacing;
    baselines.push_back(y);
  }
  // The box reaches below the last baseline by the descenders (a third of the height).
  const double total = -y + (lines.empty() ? 0 : lines.back().height / 3);
  const int column = (box.attachment - 1) % 3, row = (box.attachment - 1) / 3;
  const double shiftY = row == 0 ? 0 : row == 1 ? total / 2 : total;
  // The box's frame: x along the direction, y perpendicular in the text plane.
  Vec3 x = box.direction;
  const double xl = length(x);
  if (!(xl > 0)) return;
  x = x * (1 / xl);
  Vec3 normal = box.normal;
  if (!(length(normal) > 0)) normal = {0, 0, 1};
  normal = normal * (1 / length(normal));
  Vec3 yAxis = cross(normal, x);
  if (!(length(yAxis) > 0)) return;
  yAxis = yAxis * (1 / length(yAxis));
  const Matrix frame = m * Matrix{x, yAxis, normal, box.insert};
  const Affine2 toWorld = planAffine(frame, 0);
  for (size_t i = 0; i < lines.size(); ++i) {
    const Line& line = lines[i];
    double cursor = column == 0 ? 0 : column == 1 ? -line.width / 2 : -line.width;
    const double baseline = baselines[i] + shiftY;
    for (const Piece& p : line.pieces) {
      if (!spend(1)) return;
      const Format& f = p.format;
      const Paint paint = f.hasPaint ? Paint{f.paint.r, f.paint.g, f.paint.b, s.paint.a} : s.paint;
      const double em = f.height / f.font.capHeight;
      auto glyphs = [&](const std::string& utf8, double x, double y, double size) {
        TextRun r;
        r.utf8 = utf8;
        r.family = f.font.family, r.bold = f.font.bold, r.italic = f.font.italic;
        r.advance = advanceOf(f.font, utf8), r.ascent = f.font.ascent, r.descent = f.font.descent;
        r.toWorld = toWorld * translate({x, y}) * scale(em * size * f.widthFactor, em * size) * shear(f.oblique);
        sink_.text(r, paint);
        return r.advance * em * size * f.widthFactor;
      };
      // Tracking spreads the characters apart; they keep their shapes.
      auto run = [&](const std::string& utf8, double dx, double dy, double size) {
        if (f.tracking == 1) {
          glyphs(utf8, cursor + dx, baseline + dy, size);
          return;
        }
        double x = cursor + dx;
        for (size_t k = 0; k < utf8.size() && spend(1);) {
          size_t next = k + 1;
          while (next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xc0) == 0x80) ++next;
          x += f.tracking * glyphs(utf8.substr(k, next - k), x, baseline + dy, size);
          k = next;
        }
      };
      auto rule = [&](double dy) {
        Path path;
        path.lineTo(toWorld.apply({cursor, baseline + dy}));
        path.lineTo(toWorld.apply({cursor + p.width, baseline + dy}));
        Pen pn;
        pn.paint = paint;
        sink_.stroke(path, pn);
      };
      if (p.stacked) {
        const double w = p.width;
        const double wn = 0.7 * em * f.widthFactor * advanceOf(f.font, p.utf8);
        const double wd = 0.7 * em * f.widthFactor * advanceOf(f.font, p.lower);
        run(p.utf8, (w - wn) / 2, f.height * 0.55, 0.7);
        run(p.lower, (w - wd) / 2, -f.height * 0.25, 0.7);
        if (p.stackKind != '^') rule(f.height * 0.4);
      } else if (!p.space) {
        run(p.utf8, 0, 0, 1);
      }
      if (f.underline) rule(-f.height * 0.2);
      if (f.overline) rule(f.height * 1.2);
      if (f.strike) rule(f.height * 0.5);
      cursor += p.width;
    }
  }
}

}  // namespace arx::render
