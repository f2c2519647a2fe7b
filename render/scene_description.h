// What a sky's "scene.xml" names: the background, the sun and the cloud pictures.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace aerolume::platform {
class MessageBoxes;
}

namespace aerolume::render {

struct CloudEntry {
  std::optional<std::string> file;   // colour picture (JPEG), relative to the sky's folder
  std::optional<std::string> alpha;  // opacity picture (JPEG) of the same size
};

struct SceneDescription {
  std::optional<std::string> back;  // background JPEG
  std::optional<std::string> sun;   // sun TGA
  std::vector<CloudEntry> clouds;   // in document order; the last one is used
};

// Reads the description at path. Only the root's first "Back", "Sun" and "Clouds" children count;
// under "Clouds" the first "Cloud" and every element after it, whatever its name, are entries.
// A file that cannot be loaded shows "Error opening file for reading" with the path as caption;
// it and a document without an element give nothing.
std::optional<SceneDescription> ReadSceneDescription(const std::string& path,
                                                     platform::MessageBoxes& boxes);

}  // namespace aerolume::render
