// How the command line selects what a start of the program does.
#pragma once

#include <string>
#include <string_view>

#include "platform/system_services.h"

namespace aerolume::host {

enum class RunMode {
  ModeFullScreen = 0,
  ModeConfigure = 1,
  ModePreview = 2,
  ModeTestPreview = 3,
  ModeChangePassword = 4,
};

// The arguments after the program name as one text, separated by blanks, in lower case.
std::string LoweredCommandLine(int argc, const char* const* argv);

// Every switch matches as a substring anywhere; later tests override earlier ones.
RunMode SelectRunMode(std::string_view lowered);

// The parent window named after the first "/p" (or else "-p"): the text from three characters
// after the switch, read as a decimal integer; 0 when there are no digits.
platform::WindowHandle PreviewParentFrom(std::string_view lowered);

}  // namespace aerolume::host
