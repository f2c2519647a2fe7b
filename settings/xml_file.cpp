#include "settings/xml_file.h"

#include <tinyxml.h>

#include "settings/replace_file.h"

namespace aerolume::settings {

std::string DataFilePath(const std::string& dataFolder, const std::string& fileName) {
  return dataFolder + "/" + fileName;
}

bool LoadXmlFile(TiXmlDocument& document, const std::string& path, platform::MessageBoxes& boxes) {
  if (document.LoadFile(path.c_str())) return true;
  boxes.Show(path, "Error opening file for reading", platform::Buttons::Ok);
  return false;
}

bool SaveXmlFile(const TiXmlDocument& document, const std::string& path) {
  return ReplaceFile(path, [&document](std::FILE* file) { return document.SaveFile(file); });
}

}  // namespace aerolume::settings
