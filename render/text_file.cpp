#include "render/text_file.h"

#include <fstream>
#include <iterator>

namespace aerolume::render {

std::optional<std::string> ReadTextFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) return std::nullopt;
  std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad() || text.empty()) return std::nullopt;
  return text;
}

}  // namespace aerolume::render
