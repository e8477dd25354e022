#pragma once
// The standard 256-entry ACI colour table.
namespace arx::render {

// 0xBBGGRR of ACI `index` (0..255), -1 out of range.
int aciRgb(int index);

}  // namespace arx::render
