// The cloud picture: colour from one JPEG, opacity from the grey level of another.
#pragma once

#include <vector>

#include "render/jpeg_reader.h"

namespace aerolume::render {

// RGBA pixels of colour with alpha = (R + G + B) / 3 of opacity, truncated; both pictures must
// have the same width and height. Row order is that of the inputs (bottom first).
std::vector<unsigned char> MergeColourAndOpacity(const JpegImage& colour, const JpegImage& opacity);

}  // namespace aerolume::render
