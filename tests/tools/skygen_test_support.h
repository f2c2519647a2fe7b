// Helpers for the generator's tests: a scratch folder and independent readers of what it
// writes (libjpeg for JPEGs, a TGA decoder written here from the format, not from the encoder).
#pragma once

#include <stdlib.h>

#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace aerolume::skygen::testing {

using Bytes = std::vector<unsigned char>;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "aerolume-skygen-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name = "") const { return name.empty() ? path_ : path_ + "/" + name; }

 private:
  std::string path_;
};

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A decoded picture, top row first, `components` bytes per pixel.
struct Decoded {
  int width = 0;
  int height = 0;
  int components = 0;
  Bytes pixels;
  const unsigned char* At(int x, int y) const {
    return &pixels[(static_cast<std::size_t>(y) * width + x) * components];
  }
};

// Decodes a JPEG file with libjpeg's default settings (as the saver does).
inline std::optional<Decoded> DecodeJpeg(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  Decoded image;
  image.width = static_cast<int>(info.output_width);
  image.height = static_cast<int>(info.output_height);
  image.components = info.output_components;
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * image.components);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &image.pixels[static_cast<std::size_t>(info.output_scanline) * image.width *
                                 image.components];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  return image;
}

// A run-length TGA (type 10, 32 bits) decoded to R, G, B, A, top row first; nullopt with a
// reason when the bytes are not exactly such a file (header, packet structure, pixel count,
// no trailing bytes).
inline std::optional<Decoded> DecodeRunLengthTga(const Bytes& bytes, std::string& problem) {
  const unsigned char header[12] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  if (bytes.size() < 18 || !std::equal(header, header + 12, bytes.begin())) {
    problem = "not a plain type-10 header";
    return std::nullopt;
  }
  Decoded image;
  image.width = bytes[12] | bytes[13] << 8;
  image.height = bytes[14] | bytes[15] << 8;
  image.components = 4;
  if (bytes[16] != 32 || (bytes[17] & 0x0f) != 8 || (bytes[17] & 0x20) != 0) {
    problem = "not 32 bits with 8 alpha bits, bottom-left origin";
    return std::nullopt;
  }
  const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
  Bytes filePixels;
  std::size_t at = 18;
  while (filePixels.size() < count * 4) {
    if (at >= bytes.size()) {
      problem = "file ends inside the pixels";
      return std::nullopt;
    }
    const unsigned h = bytes[at++];
    const std::size_t n = h < 128 ? h + 1 : h - 127;
    const std::size_t payload = h < 128 ? n * 4 : 4;
    if (at + payload > bytes.size() || filePixels.size() + n * 4 > count * 4) {
      problem = "packet runs past the file or the pixel count";
      return std::nullopt;
    }
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t from = h < 128 ? at + k * 4 : at;
      filePixels.insert(filePixels.end(), {bytes[from + 2], bytes[from + 1], bytes[from], bytes[from + 3]});
    }
    at += payload;
  }
  if (at != bytes.size()) {
    problem = "bytes left after the last pixel";
    return std::nullopt;
  }
  image.pixels.resize(filePixels.size());
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
  for (int y = 0; y < image.height; ++y)  // file rows are bottom first
    std::copy_n(&filePixels[static_cast<std::size_t>(image.height - 1 - y) * rowBytes], rowBytes,
                &image.pixels[static_cast<std::size_t>(y) * rowBytes]);
  return image;
}

}  // namespace aerolume::skygen::testing
