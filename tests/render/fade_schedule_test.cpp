// The fade quads of a sky's life: fade-in, hold, fade-out and the end that changes the sky.
#include "render/fade_schedule.h"

#include <gtest/gtest.h>

namespace aerolume::render {
namespace {

struct Case {
  std::int32_t frame;
  std::int32_t changeFrequency;
  std::optional<double> fadeIn;
  std::optional<double> fadeOut;
  bool ended;
};

const Case kCases[] = {
    {0, 5, 1.0, {}, false},
    {1, 5, 0.99, {}, false},
    {99, 5, 0.01, {}, false},
    {100, 5, {}, {}, false},
    {10000, 5, {}, {}, false},
    {10001, 5, {}, 0.01, false},
    {10099, 5, {}, 0.99, false},
    {10100, 5, {}, 1.0, true},
    {2000, 1, {}, {}, false},
    {2001, 1, {}, 0.01, false},
    {2100, 1, {}, 1.0, true},
    // No hold time: fade-in and fade-out overlap, and the sky lasts 100 frames.
    {0, 0, 1.0, {}, false},
    {1, 0, 0.99, 0.01, false},
    {99, 0, 0.01, 0.99, false},
    {100, 0, {}, 1.0, true},
    // 2000 x 2000000 does not fit 32 bits; it must not turn into a negative time.
    {5000, 2000000, {}, {}, false},
};

TEST(FadeSchedule, FollowsTheSkysPhases) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << "frame " << c.frame << ", frequency " << c.changeFrequency);
    const FadeStep step = FadeAtFrame(c.frame, c.changeFrequency);
    ASSERT_EQ(step.fadeIn.has_value(), c.fadeIn.has_value());
    if (c.fadeIn) {
      EXPECT_NEAR(*step.fadeIn, *c.fadeIn, 1e-12);
    }
    ASSERT_EQ(step.fadeOut.has_value(), c.fadeOut.has_value());
    if (c.fadeOut) {
      EXPECT_NEAR(*step.fadeOut, *c.fadeOut, 1e-12);
    }
    EXPECT_EQ(step.ended, c.ended);
  }
}

}  // namespace
}  // namespace aerolume::render
