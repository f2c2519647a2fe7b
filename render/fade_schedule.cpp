#include "render/fade_schedule.h"

namespace aerolume::render {

FadeStep FadeAtFrame(std::int32_t frame, std::int32_t changeFrequency) {
  // 64 bits: a large frequency from a hand-edited options file must not overflow into a negative
  // time, which would start the fade-out at once.
  const std::int64_t showTime = std::int64_t{2000} * changeFrequency;
  FadeStep step;
  if (frame < 100) step.fadeIn = 1.0 - frame / 100.0;
  if (frame > showTime) {
    step.fadeOut = static_cast<double>(frame - showTime) / 100.0;
    step.ended = frame >= showTime + 100;
  }
  return step;
}

}  // namespace aerolume::render
