// The pixel-format chain over made-up config lists: best match by closeness, the stop at the first
// accelerated choice, and the fall-back when every choice is generic.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/gl_setup.h"

namespace aerolume::render {
namespace {

FbConfigTraits Plain(int depth, int accumPerChannel, bool slow) {
  FbConfigTraits t;
  t.window = t.rgba = t.doubleBuffer = t.trueColour = true;
  t.red = t.green = t.blue = 8;
  t.depth = depth;
  t.accumRed = t.accumGreen = t.accumBlue = t.accumAlpha = accumPerChannel;
  t.slow = slow;
  return t;
}

FbConfigTraits With(FbConfigTraits t, void (*change)(FbConfigTraits&)) {
  change(t);
  return t;
}

struct ChainCase {
  const char* name;
  std::vector<FbConfigTraits> configs;
  std::size_t index;
  int requestsMade;
  bool fellBack;
  bool accumAvailable;
};

class PixelFormatChainTest : public ::testing::TestWithParam<ChainCase> {};

TEST_P(PixelFormatChainTest, ChoosesAsExpected) {
  const ChainCase& c = GetParam();
  const auto result = RunPixelFormatChain(c.configs);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->index, c.index);
  EXPECT_EQ(result->requestsMade, c.requestsMade);
  EXPECT_EQ(result->fellBackToFirst, c.fellBack);
  EXPECT_EQ(result->accumAvailable, c.accumAvailable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PixelFormatChainTest,
    ::testing::Values(
        // Mesa: every accumulation config is slow, so the third request ends the chain.
        ChainCase{"MesaLike",
                  {Plain(24, 0, false), Plain(24, 16, true), Plain(32, 0, false),
                   Plain(32, 16, true)},
                  2, 3, false, false},
        // An accelerated 64-bit accumulation buffer is taken at once.
        ChainCase{"AcceleratedAccum64",
                  {Plain(24, 0, false), Plain(24, 16, false), Plain(32, 16, false)},
                  2, 1, false, true},
        // Only 32 bits are accelerated: the first request lands on the slow 64-bit one.
        ChainCase{"AcceleratedAccum32Only",
                  {Plain(32, 16, true), Plain(32, 8, false), Plain(32, 0, false)},
                  1, 2, false, true},
        // Nothing accelerated at all: the first plain window format in list order.
        ChainCase{"AllGeneric",
                  {With(Plain(32, 0, true), [](FbConfigTraits& t) { t.doubleBuffer = false; }),
                   Plain(16, 0, true), Plain(32, 16, true), Plain(32, 0, true)},
                  1, 3, true, false},
        // Colour closest to 8 bits per channel wins over depth.
        ChainCase{"ColourFirst",
                  {With(Plain(32, 0, false), [](FbConfigTraits& t) { t.red = t.green = t.blue = 10; }),
                   Plain(24, 0, false)},
                  1, 1, false, false},
        // The deepest depth buffer offered when 32 bits are not.
        ChainCase{"DeepestDepth",
                  {Plain(16, 0, false), Plain(24, 0, false), Plain(0, 0, false)},
                  1, 1, false, false},
        // Among equals: no stencil, no multisampling, accelerated first.
        ChainCase{"Tiebreaks",
                  {With(Plain(24, 0, false), [](FbConfigTraits& t) { t.stencil = 8; }),
                   With(Plain(24, 0, false), [](FbConfigTraits& t) { t.samples = 4; }),
                   Plain(24, 0, true), Plain(24, 0, false)},
                  3, 1, false, false},
        // A DirectColor visual loses to a TrueColor one that is otherwise a worse match.
        ChainCase{"TrueColourFirst",
                  {With(Plain(32, 0, false), [](FbConfigTraits& t) { t.trueColour = false; }),
                   Plain(16, 0, false)},
                  1, 1, false, false},
        // The fall-back, too, skips DirectColor visuals listed first.
        ChainCase{"AllGenericTrueColour",
                  {With(Plain(32, 0, true), [](FbConfigTraits& t) { t.trueColour = false; }),
                   Plain(24, 0, true)},
                  1, 3, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PixelFormatChain, NothingWithoutPlainWindowFormat) {
  const std::vector<FbConfigTraits> configs = {
      With(Plain(24, 0, false), [](FbConfigTraits& t) { t.window = false; }),
      With(Plain(24, 0, false), [](FbConfigTraits& t) { t.doubleBuffer = false; }),
      With(Plain(24, 0, false), [](FbConfigTraits& t) { t.rgba = false; }),
      With(Plain(24, 0, false), [](FbConfigTraits& t) { t.stereo = true; })};
  EXPECT_FALSE(RunPixelFormatChain(configs).has_value());
  EXPECT_FALSE(RunPixelFormatChain({}).has_value());
}

TEST(PixelFormatChain, BestMatchTakesAccumulationEvenWhenSlow) {
  const std::vector<FbConfigTraits> configs = {Plain(32, 0, false), Plain(32, 16, true)};
  for (int accumBits : {64, 32}) {
    PixelFormatRequest request;
    request.accumBits = accumBits;
    EXPECT_EQ(BestMatch(configs, request), std::optional<std::size_t>(1)) << accumBits;
  }
  EXPECT_EQ(BestMatch(configs, PixelFormatRequest{}), std::optional<std::size_t>(0));
}

}  // namespace
}  // namespace aerolume::render
