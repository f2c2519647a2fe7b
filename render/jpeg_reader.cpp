#include "render/jpeg_reader.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/message_boxes.h"

namespace aerolume::render {
namespace {

// Larger pictures are refused rather than risk an allocation the machine cannot serve.
constexpr std::size_t kMaxPixels = std::size_t{64} * 1024 * 1024;

// libjpeg's error manager followed by the place to return to when libjpeg gives up.
struct ErrorTrap {
  jpeg_error_mgr manager;  // first member: libjpeg's err pointer is a pointer to the trap
  std::jmp_buf jump;
};

// libjpeg's fatal-error hook: print the library's message as its standard handler does, then
// return to DecodeRgb instead of ending the process.
[[noreturn]] void TrapError(j_common_ptr info) {
  (*info->err->output_message)(info);
  std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

// A decoded picture in a malloc'd buffer: trivially destructible, so it may cross a longjmp.
struct DecodedRgb {
  unsigned char* pixels;
  JDIMENSION width;
  JDIMENSION height;
};

// Decodes file into RGB rows, bottom row first, written straight to their flipped place.
// libjpeg leaves this function by longjmp on damaged data, so it owns no C++ object with a
// destructor: only the libjpeg structs and malloc'd buffers, which the error path releases.
bool DecodeRgb(std::FILE* file, DecodedRgb* out) {
  jpeg_decompress_struct info;
  ErrorTrap trap;
  unsigned char* volatile pixels = nullptr;
  JSAMPROW* volatile rows = nullptr;

  std::memset(&info, 0, sizeof info);  // so that destroying is safe whatever fails first
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = TrapError;
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&info);
    std::free(rows);
    std::free(pixels);
    return false;
  }

  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;  // greyscale is expanded; CMYK cannot be and errors out here
  jpeg_start_decompress(&info);

  const std::size_t width = info.output_width;
  const std::size_t height = info.output_height;
  const std::size_t rowBytes = static_cast<std::size_t>(info.output_components) * width;
  if (info.output_components != 3 || width * height > kMaxPixels) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  pixels = static_cast<unsigned char*>(std::malloc(rowBytes * height));
  rows = static_cast<JSAMPROW*>(std::malloc(height * sizeof(JSAMPROW)));
  if (pixels == nullptr || rows == nullptr) {
    jpeg_destroy_decompress(&info);
    std::free(rows);
    std::free(pixels);
    return false;
  }
  for (std::size_t i = 0; i < height; ++i) rows[i] = pixels + (height - 1 - i) * rowBytes;
  while (info.output_scanline < info.output_height) {
    jpeg_read_scanlines(&info, rows + info.output_scanline,
                        info.output_height - info.output_scanline);
  }
  std::free(rows);
  rows = nullptr;

  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  *out = DecodedRgb{pixels, static_cast<JDIMENSION>(width), static_cast<JDIMENSION>(height)};
  return true;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

struct MallocFree {
  void operator()(unsigned char* bytes) const { std::free(bytes); }
};

}  // namespace

std::optional<JpegImage> ReadJpeg(const std::string& path, platform::MessageBoxes& boxes) {
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  DecodedRgb decoded{};
  if (!file || !DecodeRgb(file.get(), &decoded)) {
    boxes.Show(path, "Unable to load JPG File!");
    return std::nullopt;
  }
  const std::unique_ptr<unsigned char, MallocFree> owned(decoded.pixels);
  JpegImage image;
  image.width = static_cast<std::int32_t>(decoded.width);
  image.height = static_cast<std::int32_t>(decoded.height);
  image.rowBytes = 3 * image.width;
  image.pixels.assign(decoded.pixels,
                      decoded.pixels + static_cast<std::size_t>(image.rowBytes) * decoded.height);
  return image;
}

}  // namespace aerolume::render
