// The ACI colour table lives with the renderer, which plots by it.
#include "acedads.h"
#include "arx/render/aci.h"

Adesk::Int32 acedGetRGB(int color) { return arx::render::aciRgb(color); }
