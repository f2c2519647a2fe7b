#include "render/scene_description.h"

#include <tinyxml.h>

#include "platform/message_boxes.h"

namespace aerolume::render {
namespace {

// The attribute's text, or nothing when the element lacks it.
std::optional<std::string> AttributeOf(const TiXmlElement* element, const char* name) {
  if (element == nullptr) return std::nullopt;
  const char* value = element->Attribute(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace

std::optional<SceneDescription> ReadSceneDescription(const std::string& path,
                                                     platform::MessageBoxes& boxes) {
  TiXmlDocument document(path.c_str());
  if (!document.LoadFile()) {
    boxes.Show(path, "Error opening file for reading");
    return std::nullopt;
  }
  const TiXmlElement* root = document.RootElement();
  if (root == nullptr) return std::nullopt;

  SceneDescription description;
  description.back = AttributeOf(root->FirstChildElement("Back"), "file");
  description.sun = AttributeOf(root->FirstChildElement("Sun"), "file");
  if (const TiXmlElement* clouds = root->FirstChildElement("Clouds")) {
    for (const TiXmlElement* cloud = clouds->FirstChildElement("Cloud"); cloud != nullptr;
         cloud = cloud->NextSiblingElement()) {
      description.clouds.push_back({AttributeOf(cloud, "file"), AttributeOf(cloud, "alpha")});
    }
  }
  return description;
}

}  // namespace aerolume::render
