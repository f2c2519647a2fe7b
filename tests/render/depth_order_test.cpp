// Drawing order of the clouds: farthest first, equal depths in their old order.
#include "render/depth_order.h"

#include <gtest/gtest.h>

#include <array>

#include "render/sprite_quad.h"

namespace aerolume::render {
namespace {

constexpr int kCount = 20;

struct Clouds {
  std::array<SpriteQuad, kCount> quads;
  std::array<SpriteQuad*, kCount> order;
  explicit Clouds(const std::array<float, kCount>& depths) {
    for (int i = 0; i < kCount; ++i) {
      quads[i].z = depths[i];
      order[i] = &quads[i];
    }
  }
};

TEST(DepthOrder, FullyReversedDepthsEndAscending) {
  std::array<float, kCount> depths;
  for (int i = 0; i < kCount; ++i) depths[i] = static_cast<float>(95 - 5 * i);
  Clouds clouds(depths);
  SortByDepth(clouds.order);
  for (int i = 0; i < kCount; ++i) EXPECT_EQ(clouds.order[i], &clouds.quads[kCount - 1 - i]);
}

TEST(DepthOrder, EqualDepthsKeepTheirOrder) {
  std::array<float, kCount> depths;
  for (int i = 0; i < kCount; ++i) depths[i] = static_cast<float>((kCount - i) % 3);  // 2,1,0,2,...
  Clouds clouds(depths);
  SortByDepth(clouds.order);
  int index = 0;
  for (int depth = 0; depth < 3; ++depth) {
    for (int i = 0; i < kCount; ++i) {
      if (depths[i] == depth) {
        EXPECT_EQ(clouds.order[index++], &clouds.quads[i]) << "quad " << i;
      }
    }
  }
  EXPECT_EQ(index, kCount);
}

TEST(DepthOrder, SortsWhatTheArrayHoldsNotTheQuadsThemselves) {
  std::array<float, kCount> depths;
  for (int i = 0; i < kCount; ++i) depths[i] = static_cast<float>((i * 7) % kCount);
  Clouds clouds(depths);
  SortByDepth(clouds.order);
  for (int i = 0; i + 1 < kCount; ++i) EXPECT_LE(clouds.order[i]->z, clouds.order[i + 1]->z);
  for (int i = 0; i < kCount; ++i) EXPECT_EQ(clouds.quads[i].z, depths[i]);
}

}  // namespace
}  // namespace aerolume::render
