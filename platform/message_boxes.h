// Modal message boxes with no owner window.
//
// The desktop implementation shows a wxWidgets dialog, initialising the toolkit on first use so that
// boxes work before any application object exists. When AEROLUME_MESSAGE_LOG is set no dialog is
// shown: each box appends "caption<TAB>text" to that file ("-" is standard error), line breaks in
// the text written as "\n", and answers with AEROLUME_MESSAGE_ANSWER (ok, yes, no, retry, cancel;
// default: the box's first button).
#pragma once

#include <string>

namespace aerolume::platform {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Error };
enum class Answer { Ok, Yes, No, Retry, Cancel };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual Answer Show(const std::string& caption, const std::string& text,
                      Buttons buttons = Buttons::Ok, Icon icon = Icon::None) = 0;
};

class DesktopMessageBoxes final : public MessageBoxes {
 public:
  Answer Show(const std::string& caption, const std::string& text, Buttons buttons,
              Icon icon) override;
};

// The unattended log line for one box: caption, a tab, the text with line breaks as "\n".
std::string MessageLogLine(const std::string& caption, const std::string& text);

// The answer named by AEROLUME_MESSAGE_ANSWER's value; the box's first button when the value is
// empty or names no button of the box.
Answer ParseAnswer(const std::string& value, Buttons buttons);

}  // namespace aerolume::platform
