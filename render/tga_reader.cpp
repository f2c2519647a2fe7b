#include "render/tga_reader.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "platform/message_boxes.h"

namespace aerolume::render {
namespace {

constexpr unsigned char kUncompressedHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr unsigned char kRunLengthHeader[12] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// A run-length file can expand a few bytes into many pixels, so its size bounds nothing; beyond
// this many pixels a header is taken for damage rather than a picture.
constexpr std::uint64_t kMaxRunLengthPixels = std::uint64_t{64} * 1024 * 1024;

constexpr const char* kNoMemory = "Could not allocate memory for image";
constexpr const char* kNoImageData = "Could not read image data";

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::uint64_t PixelCount(const TgaImage& image) {
  return static_cast<std::uint64_t>(image.width) * static_cast<std::uint64_t>(image.height);
}

// Bytes left in file after the current position.
std::uint64_t RemainingBytes(std::FILE* file) {
  const long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long end = std::ftell(file);
  std::fseek(file, here, SEEK_SET);
  return end > here ? static_cast<std::uint64_t>(end - here) : 0;
}

// Reads the six bytes after the type header into image; the failure text, or nullptr.
const char* ReadInfoHeader(std::FILE* file, TgaImage& image) {
  unsigned char info[6];
  if (std::fread(info, 1, sizeof info, file) != sizeof info) return "Could not read info header";
  image.width = info[0] + 256 * info[1];
  image.height = info[2] + 256 * info[3];
  image.bitsPerPixel = info[4];
  if (image.width == 0 || image.height == 0 ||
      (image.bitsPerPixel != 24 && image.bitsPerPixel != 32)) {
    return "Invalid texture information";
  }
  image.format = image.bitsPerPixel == 24 ? GL_RGB : GL_RGBA;
  return nullptr;
}

// Sizes the pixel store; the failure text, or nullptr.
const char* AllocatePixels(TgaImage& image, std::size_t bytes) {
  try {
    image.pixels.resize(bytes);
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
  return nullptr;
}

// Type 2: all pixels in one block, each B, G, R (, A).
const char* ReadUncompressed(std::FILE* file, TgaImage& image) {
  if (const char* failure = ReadInfoHeader(file, image)) return failure;
  const std::size_t b = static_cast<std::size_t>(image.bitsPerPixel / 8);
  const std::uint64_t bytes = PixelCount(image) * b;
  // A header promising more than the file holds would fail the read anyway; refuse it before
  // allocating, so that a few damaged bytes cannot ask for gigabytes.
  if (bytes > RemainingBytes(file)) return kNoImageData;
  if (const char* failure = AllocatePixels(image, bytes)) return failure;
  if (std::fread(image.pixels.data(), 1, bytes, file) != bytes) return kNoImageData;
  for (std::size_t i = 0; i + 2 < bytes; i += b) std::swap(image.pixels[i], image.pixels[i + 2]);
  return nullptr;
}

// Type 10: raw and run packets, each pixel B, G, R (, A) in the file.
const char* ReadRunLength(std::FILE* file, TgaImage& image) {
  if (const char* failure = ReadInfoHeader(file, image)) return failure;
  const std::size_t b = static_cast<std::size_t>(image.bitsPerPixel / 8);
  const std::uint64_t total = PixelCount(image);
  if (total > kMaxRunLengthPixels) return kNoMemory;
  if (const char* failure = AllocatePixels(image, total * b)) return failure;

  unsigned char pixel[4];
  std::uint64_t stored = 0;
  // Stores pixel as R, G, B (, A); false when the picture is already full.
  const auto store = [&]() {
    if (stored == total) return false;
    unsigned char* to = image.pixels.data() + stored * b;
    to[0] = pixel[2];
    to[1] = pixel[1];
    to[2] = pixel[0];
    if (b == 4) to[3] = pixel[3];
    ++stored;
    return true;
  };
  while (stored < total) {
    const int header = std::fgetc(file);
    if (header == EOF) return "Could not read RLE header";
    if (header < 128) {
      for (int i = 0; i <= header; ++i) {
        if (std::fread(pixel, 1, b, file) != b) return kNoImageData;
        if (!store()) return "Too many pixels read";
      }
    } else {
      if (std::fread(pixel, 1, b, file) != b) return "Could not read from file";
      for (int i = 0; i < header - 127; ++i) {
        if (!store()) return "Too many pixels read";
      }
    }
  }
  return nullptr;
}

}  // namespace

bool ReadTga(const std::string& path, TgaImage& image, platform::MessageBoxes& boxes) {
  // Every failure leaves the image without pixels; the file closes with its handle.
  const auto fail = [&](const char* caption, const char* text) {
    boxes.Show(caption, text);
    image.pixels.clear();
    image.pixels.shrink_to_fit();
    return false;
  };
  const File file(std::fopen(path.c_str(), "rb"));
  if (!file) return fail("ERROR", "Could not open texture file");
  unsigned char header[12];
  if (std::fread(header, 1, sizeof header, file.get()) != sizeof header) {
    return fail("ERROR", "Could not read file header");
  }
  const char* failure = nullptr;
  if (std::memcmp(header, kUncompressedHeader, sizeof header) == 0) {
    failure = ReadUncompressed(file.get(), image);
  } else if (std::memcmp(header, kRunLengthHeader, sizeof header) == 0) {
    failure = ReadRunLength(file.get(), image);
  } else {
    return fail("Invalid Image", "TGA file be type 2 or type 10 ");
  }
  if (failure != nullptr) return fail("ERROR", failure);
  return true;
}

}  // namespace aerolume::render
