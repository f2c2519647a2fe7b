#include "render/text_file.h"

#include <cstdio>
#include <memory>

namespace aerolume::render {

std::optional<std::string> ReadTextFile(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "r"), std::fclose);
  if (!file) return std::nullopt;
  // Read in chunks rather than trusting a size from seeking: a folder or a device opens fine here
  // but has no meaningful size, and reading it simply fails.
  std::string text;
  char chunk[16384];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) text.append(chunk, got);
  if (std::ferror(file.get()) || text.empty()) return std::nullopt;
  return text;
}

}  // namespace aerolume::render
