// Decoding JPEG pictures into RGB rows for the texture makers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace aerolume::platform {
class MessageBoxes;
}

namespace aerolume::render {

struct JpegImage {
  std::int32_t rowBytes = 0;  // 3 x width: every picture is expanded to RGB
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<unsigned char> pixels;  // rows bottom first, R, G, B
};

// Decodes a JPEG with libjpeg; greyscale pictures come out as RGB. A file that cannot be opened,
// is damaged, cannot be turned into RGB (CMYK) or is implausibly large gives the box
// "Unable to load JPG File!" with the path as caption, and no picture. The process carries on.
std::optional<JpegImage> ReadJpeg(const std::string& path, platform::MessageBoxes& boxes);

}  // namespace aerolume::render
