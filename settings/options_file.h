// Moving SaverOptions between memory and "options.xml".
#pragma once

#include <string>

#include "platform/message_boxes.h"
#include "settings/saver_options.h"

namespace aerolume::settings {

// Reads dataFolder + "/" + fileName into options. Fields whose element is missing keep their
// values. A file that cannot be read or parsed is reported in a box and leaves options unchanged.
// True when the file was read.
bool LoadOptions(SaverOptions& options, const std::string& dataFolder, const std::string& fileName,
                 platform::MessageBoxes& boxes);

// Writes the whole record to dataFolder + "/" + fileName, replacing the file in one step.
// True when written; a failure is not reported to the user.
bool SaveOptions(const SaverOptions& options, const std::string& dataFolder,
                 const std::string& fileName);

}  // namespace aerolume::settings
