#include "settings/scenario_list.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstdlib>

#include "settings/integer_rule.h"
#include "settings/xml_file.h"

namespace aerolume::settings {
namespace {

// The first entry: the first "Scene" under the root's first "Scenes". Every element after it under
// "Scenes" is an entry too, whatever its name; elements before it are not.
TiXmlElement* FirstEntry(TiXmlDocument& document) {
  TiXmlElement* root = document.FirstChildElement();
  if (root == nullptr) return nullptr;
  TiXmlElement* scenes = root->FirstChildElement("Scenes");
  return scenes == nullptr ? nullptr : scenes->FirstChildElement("Scene");
}

}  // namespace

ScenarioList::ScenarioList() = default;
ScenarioList::~ScenarioList() = default;

void ScenarioList::Clear() {
  document_.reset();
  entries_.clear();
  candidateIndices_.clear();
}

bool ScenarioList::Load(const std::string& dataFolder, const std::string& fileName,
                        platform::MessageBoxes& boxes) {
  Clear();
  auto document = std::make_unique<TiXmlDocument>();
  // A partly parsed document is dropped: writing it back would replace the installed list.
  if (!LoadXmlFile(*document, DataFilePath(dataFolder, fileName), boxes)) return false;
  document_ = std::move(document);
  for (TiXmlElement* element = FirstEntry(*document_); element != nullptr;
       element = element->NextSiblingElement()) {
    Entry entry;
    if (const char* path = element->Attribute("path")) {
      entry.path = path;
      entry.hasPath = true;
    }
    // A value without a leading number leaves the flag at 1, like a missing one.
    ApplyIntegerRule(element->Attribute("enabled"), 1, entry.enabled);
    entries_.push_back(std::move(entry));
  }
  candidateIndices_.assign(entries_.size(), -1);
  return true;
}

bool ScenarioList::Save(const std::string& dataFolder, const std::string& fileName) {
  if (document_ == nullptr || document_->FirstChildElement() == nullptr) return false;
  std::size_t index = 0;
  for (TiXmlElement* element = FirstEntry(*document_); element != nullptr && index < entries_.size();
       element = element->NextSiblingElement(), ++index) {
    element->SetAttribute("enabled", entries_[index].enabled);
  }
  return SaveXmlFile(*document_, DataFilePath(dataFolder, fileName));
}

std::int32_t ScenarioList::CountEnabledSkies() {
  std::fill(candidateIndices_.begin(), candidateIndices_.end(), -1);
  std::int32_t count = 0;
  for (std::size_t j = 0; j < entries_.size(); ++j) {
    // An entry without a path stays in the list but can never be shown.
    if (entries_[j].enabled != 0 && entries_[j].hasPath) {
      candidateIndices_[count++] = static_cast<std::int32_t>(j);
    }
  }
  return count;
}

std::int32_t ScenarioList::PickRandomSky() {
  if (entries_.empty()) return -1;
  const std::int32_t count = CountEnabledSkies();
  if (count == 0) return 0;
  std::int32_t pick = candidateIndices_[0];
  if (count > 1) {
    do {
      pick = candidateIndices_[std::rand() % count];
    } while (pick == lastPick_);
  }
  lastPick_ = pick;
  return pick;
}

std::optional<std::string> ScenarioList::PickRandomSkyPath() {
  const std::int32_t index = PickRandomSky();
  if (index < 0 || !entries_[index].hasPath) return std::nullopt;
  return entries_[index].path;
}

}  // namespace aerolume::settings
