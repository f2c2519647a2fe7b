// Reading a whole file as text.
#pragma once

#include <optional>
#include <string>

namespace aerolume::render {

// The whole content of the file at path; nothing when it cannot be opened or is empty.
std::optional<std::string> ReadTextFile(const std::string& path);

}  // namespace aerolume::render
