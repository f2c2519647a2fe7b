// Small picture files that the render tests write for themselves: a temporary folder, JPEGs made
// with libjpeg's compressor, TGAs assembled byte by byte.
#pragma once

#include <jpeglib.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace aerolume::render::testing {

using Bytes = std::vector<unsigned char>;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "aerolume-render-XXXXXX");
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline void WriteFile(const std::string& path, const Bytes& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteFile(const std::string& path, const std::string& text) {
  WriteFile(path, Bytes(text.begin(), text.end()));
}

// width x height pixels of one colour (components bytes each), in any row order.
inline Bytes Solid(int width, int height, const Bytes& pixel) {
  Bytes bytes;
  for (int i = 0; i < width * height; ++i) bytes.insert(bytes.end(), pixel.begin(), pixel.end());
  return bytes;
}

// A JPEG of rows given top first: 1 component (grey), 3 (RGB) or 4 (CMYK). Quality 100 and no
// chroma subsampling, so that colours come back within a few levels.
inline Bytes JpegBytes(int width, int height, int components, const Bytes& topFirst) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  for (int c = 0; c < info.num_components; ++c) {
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&info, TRUE);
  const std::size_t rowBytes = static_cast<std::size_t>(width) * components;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(&topFirst[info.next_scanline * rowBytes]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// The offset of the first frame header (SOF0 marker FF C0) in a JPEG, or 0.
inline std::size_t FrameHeaderOffset(const Bytes& jpeg) {
  for (std::size_t i = 2; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) return i;
  }
  return 0;
}

// The 12-byte TGA header with the given image type in byte 2 and zeros elsewhere.
inline Bytes TgaTypeHeader(unsigned char type) {
  Bytes header(12, 0);
  header[2] = type;
  return header;
}

// A TGA: the 12-byte header, the 6-byte information header, then data as given.
inline Bytes TgaBytes(const Bytes& typeHeader, int width, int height, int bitsPerPixel,
                      const Bytes& data, unsigned char descriptor = 0) {
  Bytes bytes = typeHeader;
  const Bytes info = {static_cast<unsigned char>(width & 0xFF),
                      static_cast<unsigned char>(width >> 8),
                      static_cast<unsigned char>(height & 0xFF),
                      static_cast<unsigned char>(height >> 8),
                      static_cast<unsigned char>(bitsPerPixel),
                      descriptor};
  bytes.insert(bytes.end(), info.begin(), info.end());
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

}  // namespace aerolume::render::testing
