// The unattended mode of the desktop message boxes: what the log holds and what the box answers.
#include "platform/message_boxes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace aerolume::platform;

namespace {

TEST(MessageLogLine, WritesCaptionTabAndTextWithLineBreaksEscaped) {
  EXPECT_EQ(MessageLogLine("Error", "Registry not found!"), "Error\tRegistry not found!");
  EXPECT_EQ(MessageLogLine("Thank you", "first \nsecond "), "Thank you\tfirst \\nsecond ");
}

TEST(ParseAnswer, NamedAnswersAndTheFirstButtonByDefault) {
  struct Case {
    const char* value;
    Buttons buttons;
    Answer expected;
  } cases[] = {
      {"", Buttons::YesNo, Answer::Yes},   {"yes", Buttons::YesNo, Answer::Yes},
      {"no", Buttons::YesNo, Answer::No},  {"ok", Buttons::YesNo, Answer::Yes},
      {"", Buttons::Ok, Answer::Ok},       {"no", Buttons::Ok, Answer::Ok},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseAnswer(c.value, c.buttons), c.expected) << "value '" << c.value << "'";
  }
}

TEST(DesktopMessageBoxes, UnattendedModeAppendsOneLinePerBoxAndAnswersFromTheEnvironment) {
  const fs::path log = fs::temp_directory_path() / ("aerolume-boxes-" + std::to_string(::getpid()) + ".log");
  fs::remove(log);
  ::setenv("AEROLUME_MESSAGE_LOG", log.c_str(), 1);
  ::setenv("AEROLUME_MESSAGE_ANSWER", "no", 1);
  DesktopMessageBoxes boxes;
  EXPECT_EQ(boxes.Show("/data//options.xml", "Error opening file for reading", Buttons::Ok, Icon::None),
            Answer::Ok);
  EXPECT_EQ(boxes.Show("Notification", "Check?\nNow", Buttons::YesNo, Icon::None), Answer::No);
  ::unsetenv("AEROLUME_MESSAGE_LOG");
  ::unsetenv("AEROLUME_MESSAGE_ANSWER");

  std::ifstream in(log);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), "/data//options.xml\tError opening file for reading\nNotification\tCheck?\\nNow\n");
  fs::remove(log);
}

}  // namespace
