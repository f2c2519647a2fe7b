#include "host/closing_prompts.h"

#include <ctime>

#include "host/maker_pages.h"
#include "platform/message_boxes.h"
#include "platform/window_system.h"
#include "settings/options_file.h"
#include "settings/saver_options.h"

namespace aerolume::host {

using platform::Answer;
using platform::Buttons;

LocalDay TodayFromLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (!localtime_r(&now, &local)) return {};
  return {local.tm_mday, local.tm_mon + 1};
}

void ShowClosingPrompts(PromptContext& context, platform::WindowHandle window) {
  AskForVote(context, window);
  AskForVersionCheck(context, window);
}

void AskForVote(PromptContext& context, platform::WindowHandle window) {
  if (context.options.RunCount != 33) return;
  context.windows.LowerBelowDialogs(window);
  const Answer answer = context.boxes.Show(
      "Thank you for using Aerolume",
      "Seems that you like Aerolume! \nWould you be so kind to vote for it? This will help others to find it! ",
      Buttons::YesNo);
  if (answer == Answer::Yes) context.system.OpenUrl(kVotePage);
}

void AskForVersionCheck(PromptContext& context, platform::WindowHandle window) {
  const LocalDay today = context.today ? context.today() : LocalDay{};
  if (today.day != 3 && today.day != 21) return;
  if (today.day == context.options.Day && today.month == context.options.Month) return;
  context.options.Day = today.day;
  context.options.Month = today.month;
  settings::SaveOptions(context.options, context.dataFolder, "options.xml");
  context.windows.LowerBelowDialogs(window);
  const Answer answer = context.boxes.Show(
      "Notification", "Would you like to check if your version of Aerolume is latest?", Buttons::YesNo);
  if (answer == Answer::Yes) context.system.OpenUrl(kVersionCheckPage);
}

}  // namespace aerolume::host
