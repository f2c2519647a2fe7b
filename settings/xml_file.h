// Reading and writing the XML files of the data folder.
#pragma once

#include <string>

#include "platform/message_boxes.h"

class TiXmlDocument;

namespace aerolume::settings {

// The full path of a data file: the data folder, "/" and the bare file name. The data folder ends
// with "/" already; the doubled separator is harmless and is what the error box shows.
std::string DataFilePath(const std::string& dataFolder, const std::string& fileName);

// Loads path into document. When the file is missing, unreadable, empty or not well-formed XML,
// shows "Error opening file for reading" with the path as caption and returns false.
bool LoadXmlFile(TiXmlDocument& document, const std::string& path, platform::MessageBoxes& boxes);

// Writes document with the XML library's printer (LF line ends), replacing path only once the
// whole text is on disk. False when it could not be written.
bool SaveXmlFile(const TiXmlDocument& document, const std::string& path);

}  // namespace aerolume::settings
