#include "tools/snapshot/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace aerolume::tools {

namespace {

// libpng reports errors through longjmp; this keeps the message for the caller.
struct PngError {
  std::string message;
};

void OnPngError(png_structp png, png_const_charp message) {
  static_cast<PngError*>(png_get_error_ptr(png))->message = message;
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

}  // namespace

std::string WritePng(const std::string& path, int width, int height,
                     const std::vector<unsigned char>& rgbTopFirst) {
  if (width <= 0 || height <= 0 ||
      rgbTopFirst.size() != static_cast<std::size_t>(width) * height * 3) {
    return "picture size does not match its pixels";
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return "cannot write " + path + ": " + std::strerror(errno);

  PngError error;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (png == nullptr || info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    std::fclose(file);
    return "libpng could not start";
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return "libpng: " + error.message;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    png_write_row(png, &rgbTopFirst[static_cast<std::size_t>(y) * width * 3]);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fclose(file) != 0) return "cannot finish " + path + ": " + std::strerror(errno);
  return {};
}

}  // namespace aerolume::tools
