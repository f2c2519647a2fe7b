// Pacing of the frames: the run loops spin as fast as they can and ask for a frame on every pass;
// one is drawn only when more than 10 ms have passed since the last.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>

namespace aerolume::host {

// Calls renderFrame and sets lastFrameTime to now when now is more than 10 ms after it.
// True when a frame was drawn.
bool DrawFrameIfDue(std::int64_t now, std::int64_t& lastFrameTime,
                    const std::function<void()>& renderFrame);

// When AEROLUME_FRAME_LOG names a file, one line per drawn frame: the clock reading at which it
// was due and the one after it was presented, in milliseconds since the process started. For
// measuring the frame pacing from outside.
class FrameLog {
 public:
  FrameLog();
  ~FrameLog();
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  void Record(std::int64_t due, std::int64_t presented);

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace aerolume::host
