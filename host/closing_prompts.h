// The questions put to the user when they end a full-screen run: a vote for the saver at the 33rd
// run, and on the 3rd and 21st of a month an offer to look for a newer version.
#pragma once

#include <functional>
#include <string>

#include "platform/system_services.h"

namespace aerolume::platform {
class MessageBoxes;
class WindowSystem;
}  // namespace aerolume::platform
namespace aerolume::settings {
struct SaverOptions;
}

namespace aerolume::host {

// A local calendar date as the prompts need it; 0 and 0 when the time could not be converted.
struct LocalDay {
  int day = 0;    // 1 to 31
  int month = 0;  // 1 to 12
};
using TodayFunction = std::function<LocalDay()>;

// Today's date from the local clock.
LocalDay TodayFromLocalTime();

// What the prompts read, write and show through.
struct PromptContext {
  settings::SaverOptions& options;
  const std::string& dataFolder;
  platform::MessageBoxes& boxes;
  platform::SystemServices& system;
  platform::WindowSystem& windows;
  TodayFunction today;
};

// The vote question, then the version question. `window` (possibly gone already) is only moved
// out of the way of the boxes.
void ShowClosingPrompts(PromptContext& context, platform::WindowHandle window);
// Asks for a vote during the 33rd full-screen run only.
void AskForVote(PromptContext& context, platform::WindowHandle window);
// Offers the version check on the 3rd and the 21st, once per such day; the day is saved before
// the question so that a No is remembered too.
void AskForVersionCheck(PromptContext& context, platform::WindowHandle window);

}  // namespace aerolume::host
