#include "tools/skygen/picture_files.h"

#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <fstream>

namespace aerolume::skygen {
namespace {

// libjpeg's default error handler ends the process; this one jumps back to the caller.
struct JpegFailure {
  jpeg_error_mgr manager;
  std::jmp_buf back;
};

[[noreturn]] void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegFailure*>(info->err)->back, 1);
}

// Triangular dither in [-1, 1) from the pixel's place: the same picture always gives the same
// bytes, and no random state is needed.
float Dither(int x, int y, int channel) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343u ^
                    static_cast<std::uint32_t>(y) * 0xd8163841u ^
                    static_cast<std::uint32_t>(channel) * 0xcb1ab31fu;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  const float a = static_cast<float>(h & 0xffff) / 65536.0f;
  const float b = static_cast<float>(h >> 16) / 65536.0f;
  return a - b;
}

// 0..1 to a byte, dithered.
unsigned char ToByte(float value, int x, int y, int channel) {
  const float scaled = value * 255.0f + Dither(x, y, channel);
  return static_cast<unsigned char>(std::clamp(scaled + 0.5f, 0.0f, 255.0f));
}

// Compresses rows of interleaved RGB bytes, top row first.
Bytes CompressRgb(const std::vector<unsigned char>& rgb, int width, int height, int quality,
                  bool fullChroma) {
  jpeg_compress_struct info{};
  JpegFailure failure{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = JumpBack;
  if (setjmp(failure.back)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return {};
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.optimize_coding = TRUE;
  if (fullChroma) {
    for (int c = 0; c < info.num_components; ++c) {
      info.comp_info[c].h_samp_factor = 1;
      info.comp_info[c].v_samp_factor = 1;
    }
  }
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&rgb[static_cast<std::size_t>(info.next_scanline) *
                                             width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  Bytes result(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return result;
}

}  // namespace

Bytes EncodeColourJpeg(const ColourPicture& picture, int quality) {
  const int width = picture.Width();
  const int height = picture.Height();
  std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
  std::size_t i = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Colour c = picture.At(x, y);
      rgb[i++] = ToByte(c.r, x, y, 0);
      rgb[i++] = ToByte(c.g, x, y, 1);
      rgb[i++] = ToByte(c.b, x, y, 2);
    }
  }
  return CompressRgb(rgb, width, height, quality, false);
}

Bytes EncodeGreyJpeg(const GreyPicture& picture, int quality) {
  const int width = picture.Width();
  const int height = picture.Height();
  std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
  std::size_t i = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float value = picture.At(x, y);
      const unsigned char byte = value <= 0.0f ? 0 : ToByte(value, x, y, 0);
      rgb[i++] = byte;
      rgb[i++] = byte;
      rgb[i++] = byte;
    }
  }
  // Full chroma keeps the three channels equal after decoding.
  return CompressRgb(rgb, width, height, quality, true);
}

Bytes EncodeRunLengthTga(const RgbaPicture& picture) {
  const int width = picture.colour.Width();
  const int height = picture.colour.Height();
  if (width < 1 || height < 1 || width > 65535 || height > 65535) return {};
  Bytes out = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0,
               static_cast<unsigned char>(width & 255), static_cast<unsigned char>(width >> 8),
               static_cast<unsigned char>(height & 255), static_cast<unsigned char>(height >> 8),
               32,
               8};  // eight alpha bits, bottom-left origin
  using Pixel = std::uint32_t;
  auto pixelAt = [&](int x, int y) -> Pixel {
    auto byte = [](float v) {
      return static_cast<Pixel>(std::clamp(v * 255.0f + 0.5f, 0.0f, 255.0f));
    };
    const Colour c = picture.colour.At(x, y);
    return byte(c.b) | byte(c.g) << 8 | byte(c.r) << 16 | byte(picture.alpha.At(x, y)) << 24;
  };
  auto append = [&out](Pixel p) {
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<unsigned char>(p >> (8 * k)));
  };
  // Packets run on across rows, as the format allows; runs of two or more become run packets.
  std::vector<Pixel> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) pixels.push_back(pixelAt(x, y));
  std::size_t i = 0;
  while (i < pixels.size()) {
    std::size_t run = 1;
    while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i]) ++run;
    if (run >= 2) {
      out.push_back(static_cast<unsigned char>(127 + run));
      append(pixels[i]);
      i += run;
      continue;
    }
    std::size_t raw = 1;
    while (i + raw < pixels.size() && raw < 128 &&
           !(i + raw + 1 < pixels.size() && pixels[i + raw] == pixels[i + raw + 1]))
      ++raw;
    out.push_back(static_cast<unsigned char>(raw - 1));
    for (std::size_t k = 0; k < raw; ++k) append(pixels[i + k]);
    i += raw;
  }
  return out;
}

bool WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return static_cast<bool>(file);
}

}  // namespace aerolume::skygen
