// When and how strongly the black fade quad covers a sky while sky changes are on.
#pragma once

#include <cstdint>
#include <optional>

namespace aerolume::render {

struct FadeStep {
  std::optional<double> fadeIn;   // opacity of the fade-in quad, when one is drawn
  std::optional<double> fadeOut;  // opacity of the fade-out quad, when one is drawn
  bool ended = false;             // the fade-out is complete: time for the next sky
};

// The fade of frame number frame of a sky shown for 2000 x changeFrequency frames: fading in over
// frames 0 to 99, fading out over the 100 frames after that time. The two overlap when the time
// is below 100.
FadeStep FadeAtFrame(std::int32_t frame, std::int32_t changeFrequency);

}  // namespace aerolume::render
