#include "host/frame_pump.h"

#include <cinttypes>
#include <cstdlib>

namespace aerolume::host {

bool DrawFrameIfDue(std::int64_t now, std::int64_t& lastFrameTime,
                    const std::function<void()>& renderFrame) {
  if (now - lastFrameTime <= 10) return false;
  if (renderFrame) renderFrame();
  lastFrameTime = now;
  return true;
}

FrameLog::FrameLog() {
  if (const char* path = std::getenv("AEROLUME_FRAME_LOG"); path && *path) file_ = std::fopen(path, "w");
}

FrameLog::~FrameLog() {
  if (file_) std::fclose(file_);
}

void FrameLog::Record(std::int64_t due, std::int64_t presented) {
  if (!file_) return;
  std::fprintf(file_, "%" PRId64 " %" PRId64 "\n", due, presented);
  // Flushed each time: the saver may be ended from outside at any moment.
  std::fflush(file_);
}

}  // namespace aerolume::host
