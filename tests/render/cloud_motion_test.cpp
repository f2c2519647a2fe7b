// Cloud motion: opacity by depth, the step, the wrap with its entry regions, and the speed sliders.
#include "render/cloud_motion.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "render/cloud_speed.h"
#include "render/sprite_quad.h"

namespace aerolume::render {
namespace {

TEST(CloudMotion, OpacityFollowsDepth) {
  const struct {
    float z, opacity;
  } cases[] = {{0, 0}, {10, 0.2f}, {25, 0.5f}, {50, 1}, {70, 1}, {90, 1}, {95, 0.5f}, {100, 0}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(OpacityAtDepth(c.z), c.opacity) << "z " << c.z;
}

TEST(CloudMotion, StepFadesByTheDepthBeforeMovingThenMovesTheQuad) {
  SpriteQuad quad;
  quad.r = 0.25f;
  quad.g = 0.5f;
  quad.b = 0.75f;
  CloudMotion motion;
  motion.Set(&quad, 1, 2, 25, 0.5f, 0, 1);

  EXPECT_TRUE(motion.Step());
  EXPECT_FLOAT_EQ(quad.a, 0.5f);  // from z 25, not 26
  EXPECT_FLOAT_EQ(quad.x, 1.5f);
  EXPECT_FLOAT_EQ(quad.y, 2);
  EXPECT_FLOAT_EQ(quad.z, 26);
  EXPECT_EQ(quad.r, 0.25f);
  EXPECT_EQ(quad.g, 0.5f);
  EXPECT_EQ(quad.b, 0.75f);
}

TEST(CloudMotion, StepWithoutQuadDoesNothing) {
  CloudMotion motion;
  motion.Set(nullptr, 0, 0, 10, 1, 1, 1);
  EXPECT_FALSE(motion.Step());
  EXPECT_EQ(motion.z, 10);
}

struct WrapCase {
  const char* name;
  float z, vz;
  bool wraps;
  float zAfter;
};

const WrapCase kWrapCases[] = {
    {"PastTheEye", 99.995f, 0.01f, true, 0},
    {"ExactlyAtTheEye", 99.5f, 0.5f, false, 100},
    {"BehindTheFarEnd", 0.2f, -0.5f, true, 99},
    {"ExactlyAtTheFarEnd", 0.5f, -0.5f, false, 0},
    {"StandingStill", 150, 0, false, 150},
    {"MovingAwayBeyondTheEye", 150, -0.5f, false, 149.5f},
};

TEST(CloudMotion, WrapsOnlyWhenLeavingTheRangeInItsDirection) {
  for (const WrapCase& c : kWrapCases) {
    SCOPED_TRACE(c.name);
    SpriteQuad quad;
    CloudMotion motion;
    motion.Set(&quad, 5, 5, c.z, 0, 0, c.vz);
    const std::int32_t before = respawnCount;
    std::srand(7);

    ASSERT_TRUE(motion.Step());
    EXPECT_FLOAT_EQ(motion.z, c.zAfter);
    EXPECT_FLOAT_EQ(quad.z, c.zAfter);
    EXPECT_EQ(respawnCount, before + (c.wraps ? 1 : 0));
    if (c.wraps) {
      EXPECT_EQ(quad.a, 0);  // invisible in the frame of its wrap
      motion.Step();
      EXPECT_FLOAT_EQ(quad.a, OpacityAtDepth(c.zAfter));
    } else {
      EXPECT_FLOAT_EQ(motion.x, 5);
      EXPECT_FLOAT_EQ(motion.y, 5);
    }
  }
}

TEST(CloudMotion, WrappingBackwardsComesInNearTheEyeAtLowOpacity) {
  SpriteQuad quad;
  CloudMotion motion;
  motion.Set(&quad, 0, 0, 0.005f, 0, 0, -0.01f);
  motion.Step();
  ASSERT_EQ(motion.z, 99);
  motion.Step();
  EXPECT_FLOAT_EQ(quad.a, 0.1f);
}

// Three wraps in a row from a count divisible by three come in right, left and below, drawing two,
// two and four values from the generator in that order.
TEST(CloudMotion, ConsecutiveWrapsCycleThroughTheEntryRegions) {
  respawnCount = 300;
  std::srand(12345);
  int r[9];
  for (int& value : r) value = std::rand();
  std::srand(12345);

  SpriteQuad quad;
  CloudMotion motion;
  const struct {
    float x, y;
  } expected[] = {
      {static_cast<float>(75 + r[0] % 24), static_cast<float>(10 - r[1] % 30)},
      {-static_cast<float>(75 + r[2] % 24), static_cast<float>(10 - r[3] % 30)},
      {static_cast<float>(20 - r[6] % 40), static_cast<float>(-40 - r[7] % 50)},
  };
  for (const auto& entry : expected) {
    motion.Set(&quad, 0, 0, 100, 0, 0, 0.5f);
    ASSERT_TRUE(motion.Step());
    EXPECT_EQ(motion.x, entry.x);
    EXPECT_EQ(motion.y, entry.y);
    EXPECT_EQ(quad.x, entry.x);
    EXPECT_EQ(quad.y, entry.y);
  }
  EXPECT_EQ(respawnCount, 303);
  EXPECT_EQ(std::rand(), r[8]);  // exactly eight values were drawn
}

TEST(CloudMotion, EntryPointsStayInsideTheirRegions) {
  respawnCount = 0;
  std::srand(99);
  SpriteQuad quad;
  CloudMotion motion;
  for (int wrap = 0; wrap < 600; ++wrap) {
    const int k = respawnCount % 3;
    motion.Set(&quad, 0, 0, -1, 0, 0, -1);
    ASSERT_TRUE(motion.Respawn());
    if (k == 0) {
      EXPECT_TRUE(motion.x >= 75 && motion.x <= 98) << motion.x;
      EXPECT_TRUE(motion.y >= -19 && motion.y <= 10) << motion.y;
    } else if (k == 1) {
      EXPECT_TRUE(motion.x >= -98 && motion.x <= -75) << motion.x;
      EXPECT_TRUE(motion.y >= -19 && motion.y <= 10) << motion.y;
    } else {
      EXPECT_TRUE(motion.x >= -19 && motion.x <= 20) << motion.x;
      EXPECT_TRUE(motion.y >= -89 && motion.y <= -40) << motion.y;
    }
    EXPECT_EQ(motion.z, 99);
    EXPECT_EQ(quad.a, 0);
  }
}

TEST(CloudSpeed, SlidersMapToVelocities) {
  const struct {
    std::int32_t zSpeed;
    float vz;
    std::int32_t xSpeed;
    float vx;
  } cases[] = {
      {0, -0.5f, 100, 0.25f},  {49, -0.01f, 0, -0.005f}, {50, 0.01f, 50, 0},
      {51, 0.01f, 100, 0.005f}, {100, 0.5f, 0, -0.25f},   {100, 0.5f, 75, 0.125f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "zSpeed " << c.zSpeed << ", xSpeed " << c.xSpeed);
    const float vz = DepthVelocity(c.zSpeed);
    EXPECT_FLOAT_EQ(vz, c.vz);
    EXPECT_NEAR(SidewaysVelocity(c.xSpeed, vz), c.vx, 1e-7);
  }
}

}  // namespace
}  // namespace aerolume::render
