#pragma once
// Layered documents as the photo editor writes them for 8-bit sources: RGB,
// 8 bits per channel, every channel PackBits-coded, each layer stored at the
// bounds of its content, the merged picture last.
#include <string>
#include <vector>

#include "layer_pixels.h"

namespace photoshop::detail {

// Writes the layers (bottom to top, all on one canvas) to the file at
// `posixPath`, replacing it. Throws PixelError when it cannot be written.
void WritePsdFile(const std::string& posixPath, const std::vector<Layer>& layers);

}  // namespace photoshop::detail
