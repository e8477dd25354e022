// The standard 256-entry ACI colour table.
#include <array>
#include <cmath>

#include "arx/render/aci.h"

namespace {

struct Rgb {
  int r, g, b;
};

// Indexes 10..249: 24 hues in steps of 15 degrees, each in five shades
// (value 255, 165, 127, 76, 38), every shade once full and once half saturated.
Rgb hueShade(int index) {
  static const double values[5] = {255.0, 165.0, 127.0, 76.0, 38.0};
  const double value = values[(index % 10) / 2];
  const bool pale = index % 2 == 1;
  const double hue = (index / 10 - 1) * 15.0;
  double channel[3];
  for (int c = 0; c < 3; ++c) {
    // Distance of the hue from the channel's own hue (0, 120, 240), folded into 0..180.
    double d = std::fabs(std::fmod(hue - 120.0 * c + 540.0, 360.0) - 180.0);
    double level = d <= 60.0 ? 1.0 : d >= 120.0 ? 0.0 : (120.0 - d) / 60.0;
    double v = value * level;
    if (pale) v += (value - v) / 2.0;
    channel[c] = v;
  }
  return {int(channel[0]), int(channel[1]), int(channel[2])};
}

std::array<Rgb, 256> buildTable() {
  std::array<Rgb, 256> t{};
  const Rgb first[10] = {{0, 0, 0},   {255, 0, 0},   {255, 255, 0},   {0, 255, 0},     {0, 255, 255},
                         {0, 0, 255}, {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};
  for (int i = 0; i < 10; ++i) t[i] = first[i];
  for (int i = 10; i < 250; ++i) t[i] = hueShade(i);
  const int greys[6] = {51, 91, 132, 173, 214, 255};
  for (int i = 0; i < 6; ++i) t[250 + i] = {greys[i], greys[i], greys[i]};
  return t;
}

}  // namespace

namespace arx::render {

int aciRgb(int index) {
  static const std::array<Rgb, 256> table = buildTable();
  if (index < 0 || index > 255) return -1;
  const Rgb c = table[index];
  return c.r | (c.g << 8) | (c.b << 16);
}

}  // namespace arx::render
