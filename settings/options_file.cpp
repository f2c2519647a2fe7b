#include "settings/options_file.h"

#include <tinyxml.h>

#include <cstdint>

#include "settings/integer_rule.h"
#include "settings/xml_file.h"

namespace aerolume::settings {
namespace {

// One option stored as the "v" attribute of its own element, in file order.
struct ValueOption {
  const char* element;
  std::int32_t SaverOptions::*field;
  std::int32_t fallbackWithoutValue;
};

constexpr ValueOption kValueOptions[] = {
    {"KeepAspect_1_6", &SaverOptions::KeepAspect_1_6, 0},
    {"SoundsEnabled", &SaverOptions::SoundsEnabled, 0},
    {"DoNotUseAccumBuffer", &SaverOptions::DoNotUseAccumBuffer, 0},
    {"SleepEnabled", &SaverOptions::SleepEnabled, 1},
    {"IgnoreMouseMove", &SaverOptions::IgnoreMouseMove, 1},
    {"RunCount", &SaverOptions::RunCount, 0},
    {"xSpeed", &SaverOptions::xSpeed, 0},
    {"zSpeed", &SaverOptions::zSpeed, 0},
    {"changeSkyAtStartUp", &SaverOptions::changeSkyAtStartUp, 0},
    {"changeSkyDuring", &SaverOptions::changeSkyDuring, 0},
    {"changeFrequency", &SaverOptions::changeFrequency, 0},
};

}  // namespace

bool LoadOptions(SaverOptions& options, const std::string& dataFolder, const std::string& fileName,
                 platform::MessageBoxes& boxes) {
  TiXmlDocument document;
  if (!LoadXmlFile(document, DataFilePath(dataFolder, fileName), boxes)) return false;
  // The root's name is not checked: the first element holds the options whatever it is called.
  const TiXmlElement* root = document.FirstChildElement();
  if (root == nullptr) return true;
  for (const ValueOption& option : kValueOptions) {
    if (const TiXmlElement* element = root->FirstChildElement(option.element)) {
      ApplyIntegerRule(element->Attribute("v"), option.fallbackWithoutValue, options.*option.field);
    }
  }
  if (const TiXmlElement* date = root->FirstChildElement("Date")) {
    ApplyIntegerRule(date->Attribute("Day"), 0, options.Day);
    ApplyIntegerRule(date->Attribute("Month"), 0, options.Month);
  }
  return true;
}

bool SaveOptions(const SaverOptions& options, const std::string& dataFolder,
                 const std::string& fileName) {
  TiXmlDocument document;
  document.LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
  auto* root = new TiXmlElement("OPTIONS");
  document.LinkEndChild(root);
  for (const ValueOption& option : kValueOptions) {
    auto* element = new TiXmlElement(option.element);
    element->SetAttribute("v", options.*option.field);
    root->LinkEndChild(element);
  }
  auto* date = new TiXmlElement("Date");
  date->SetAttribute("Day", options.Day);
  date->SetAttribute("Month", options.Month);
  root->LinkEndChild(date);
  return SaveXmlFile(document, DataFilePath(dataFolder, fileName));
}

}  // namespace aerolume::settings
