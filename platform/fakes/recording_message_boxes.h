// Message boxes that record what was shown and answer from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_boxes.h"

namespace aerolume::platform {

class RecordingMessageBoxes final : public MessageBoxes {
 public:
  struct Shown {
    std::string caption;
    std::string text;
    Buttons buttons;
    Icon icon;
  };
  std::vector<Shown> shown;
  // Answers given in turn; when empty, the box's first button.
  std::deque<Answer> answers;

  Answer Show(const std::string& caption, const std::string& text, Buttons buttons = Buttons::Ok,
              Icon icon = Icon::None) override {
    shown.push_back({caption, text, buttons, icon});
    if (answers.empty()) return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace aerolume::platform
