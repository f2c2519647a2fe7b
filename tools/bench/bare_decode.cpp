#include "tools/bench/bare_decode.h"

#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace aerolume::tools {

JpegSize DecodeJpeg(const std::string& path, std::vector<unsigned char>& pixels) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return {};
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file.get());
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  const std::size_t rowBytes = static_cast<std::size_t>(info.output_width) * info.output_components;
  pixels.resize(rowBytes * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &pixels[info.output_scanline * rowBytes];
    jpeg_read_scanlines(&info, &row, 1);
  }
  const JpegSize size{static_cast<int>(info.output_width), static_cast<int>(info.output_height)};
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return size;
}

}  // namespace aerolume::tools
