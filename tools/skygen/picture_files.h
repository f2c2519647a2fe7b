// Encoders for the sky's picture files: JPEG through libjpeg, run-length TGA by hand.
#pragma once

#include <string>
#include <vector>

#include "tools/skygen/picture.h"

namespace aerolume::skygen {

using Bytes = std::vector<unsigned char>;

// Quality of every JPEG the generator writes.
constexpr int kJpegQuality = 88;

// Colour picture as a baseline JPEG, dithered to 8 bits so gradients do not band. Empty on
// failure.
Bytes EncodeColourJpeg(const ColourPicture& picture, int quality = kJpegQuality);

// Grey picture (0 to 1) as a three-component JPEG with equal channels: readers average R, G
// and B, and some take only three-component files. Zero stays exactly zero. Empty on failure.
Bytes EncodeGreyJpeg(const GreyPicture& picture, int quality = kJpegQuality);

// RGBA picture as a 32-bit run-length true-colour TGA (type 10), bottom row first, pixels
// B, G, R, A. Empty when the picture is larger than the format's 65535 x 65535.
Bytes EncodeRunLengthTga(const RgbaPicture& picture);

// Writes bytes to path, replacing the file; false on any failure.
bool WriteBytes(const std::string& path, const Bytes& bytes);

}  // namespace aerolume::skygen
