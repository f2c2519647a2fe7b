// Message boxes for command-line tools: each box becomes a line on standard error.
#pragma once

#include <cstdio>
#include <string>

#include "platform/message_boxes.h"

namespace aerolume::tools {

class StderrMessageBoxes final : public platform::MessageBoxes {
 public:
  explicit StderrMessageBoxes(std::string program) : program_(std::move(program)) {}

  platform::Answer Show(const std::string& caption, const std::string& text, platform::Buttons,
                        platform::Icon) override {
    std::fprintf(stderr, "%s: message box \"%s\": %s\n", program_.c_str(), caption.c_str(),
                 text.c_str());
    ++count_;
    return platform::Answer::Ok;
  }
  int Count() const { return count_; }

 private:
  std::string program_;
  int count_ = 0;
};

}  // namespace aerolume::tools
