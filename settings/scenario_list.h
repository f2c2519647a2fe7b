// The installed skies from "defaultScenario.xml", their enabled flags and the random sky choice.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/message_boxes.h"

class TiXmlDocument;

namespace aerolume::settings {

class ScenarioList {
 public:
  ScenarioList();
  ~ScenarioList();
  ScenarioList(const ScenarioList&) = delete;
  ScenarioList& operator=(const ScenarioList&) = delete;

  // Reads the entries of dataFolder + "/" + fileName and keeps the document for writing back.
  // A file that cannot be read or parsed is reported in a box and leaves an empty list.
  // True when the file was read.
  bool Load(const std::string& dataFolder, const std::string& fileName,
            platform::MessageBoxes& boxes);

  // Writes the enabled flags back into the kept document and replaces the file with it. Writes
  // nothing unless a load succeeded and found an element. True when written.
  bool Save(const std::string& dataFolder, const std::string& fileName);

  // Rebuilds CandidateIndices() from the enabled entries that have a path; returns their number.
  std::int32_t CountEnabledSkies();

  // A random candidate other than the previous pick while there are two or more; the only one
  // when there is one; entry 0 when none is enabled (LastPick() unchanged); -1 for an empty list.
  std::int32_t PickRandomSky();

  // The path of PickRandomSky()'s entry; none for an empty list or an entry without a path.
  std::optional<std::string> PickRandomSkyPath();

  std::int32_t SkyCount() const { return static_cast<std::int32_t>(entries_.size()); }
  // The entry's folder relative to the data folder; "" for an entry without "path".
  const std::string& SkyPath(std::int32_t index) const { return entries_[index].path; }
  bool IsSkyEnabled(std::int32_t index) const { return entries_[index].enabled != 0; }
  // Stores the flag as given; it is written back in decimal.
  void SetSkyEnabled(std::int32_t index, std::int32_t flag) { entries_[index].enabled = flag; }

  // Indices of the candidates found by the last CountEnabledSkies(), then -1 in the other slots.
  const std::vector<std::int32_t>& CandidateIndices() const { return candidateIndices_; }
  // The last pick that found a candidate; -1 before the first.
  std::int32_t LastPick() const { return lastPick_; }

 private:
  struct Entry {
    std::string path;
    bool hasPath = false;
    std::int32_t enabled = 1;
  };

  void Clear();

  std::unique_ptr<TiXmlDocument> document_;
  std::vector<Entry> entries_;
  std::vector<std::int32_t> candidateIndices_;
  std::int32_t lastPick_ = -1;
};

}  // namespace aerolume::settings
