// The pixel-format chain and its application on a real X server with Mesa.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fakes/recording_message_boxes.h"
#include "render/gl_setup.h"
#include "tests/render/renderer_test_support.h"

// Last: Xlib's macros clash with names in the headers above.
#include <GL/glx.h>

namespace aerolume::render::testing {
namespace {

TEST(GlSetupOnMesa, ChainEndsWithoutAccumulationBuffer) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  const int screen = DefaultScreen(display);
  const auto choice = ChoosePixelFormat(display, screen);
  ASSERT_TRUE(choice.has_value());
  EXPECT_FALSE(choice->accumAvailable);
  EXPECT_EQ(choice->requestsMade, 3) << "Mesa's accumulation configs are all slow";
  EXPECT_FALSE(choice->fellBackToFirst);

  const FbConfigTraits chosen = ReadFbConfigTraits(display, choice->config);
  EXPECT_TRUE(chosen.PlainWindowFormat());
  EXPECT_FALSE(chosen.slow);
  EXPECT_TRUE(chosen.trueColour);
  EXPECT_EQ(chosen.AccumBits(), 0);
  EXPECT_EQ(chosen.red, 8);
  EXPECT_EQ(chosen.green, 8);
  EXPECT_EQ(chosen.blue, 8);

  // The deepest depth buffer among the plain window formats.
  int count = 0;
  GLXFBConfig* all = glXGetFBConfigs(display, screen, &count);
  int deepest = 0;
  for (int i = 0; i < count; ++i) {
    const FbConfigTraits t = ReadFbConfigTraits(display, all[i]);
    if (t.PlainWindowFormat()) deepest = std::max(deepest, t.depth);
  }
  XFree(all);
  EXPECT_EQ(chosen.depth, deepest);
  EXPECT_NE(choice->visualId, 0u);
  XCloseDisplay(display);
}

struct BoxCase {
  const char* name;
  enum class Target { Chosen, OtherVisual, Missing, Bogus } target;
  bool withChoice;
  std::vector<std::string> texts;
};

class SetupPixelFormatTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(SetupPixelFormatTest, ShowsTheBoxesOfWhatFailed) {
  GlTestWindow window(64, 64);
  ASSERT_TRUE(window.Ok());
  DeviceContext dc = window.Dc();
  switch (GetParam().target) {
    case BoxCase::Target::Chosen: break;
    case BoxCase::Target::OtherVisual:
      dc.drawable = window.MakeOtherVisualWindow();
      ASSERT_NE(dc.drawable, 0u) << "the screen offers only one visual";
      break;
    case BoxCase::Target::Missing: dc.drawable = 0; break;
    case BoxCase::Target::Bogus: dc.drawable = 0x7ffffff; break;
  }
  platform::RecordingMessageBoxes boxes;
  const auto choice = GetParam().withChoice ? window.Choice() : std::nullopt;
  EXPECT_FALSE(SetupPixelFormat(dc, choice, boxes));

  ASSERT_EQ(boxes.shown.size(), GetParam().texts.size());
  for (std::size_t i = 0; i < boxes.shown.size(); ++i) {
    EXPECT_EQ(boxes.shown[i].text, GetParam().texts[i]);
    EXPECT_EQ(boxes.shown[i].caption, "Error");
    EXPECT_EQ(boxes.shown[i].icon, platform::Icon::Error);
    EXPECT_EQ(boxes.shown[i].buttons, platform::Buttons::Ok);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetupPixelFormatTest,
    ::testing::Values(
        BoxCase{"Matching", BoxCase::Target::Chosen, true, {}},
        BoxCase{"NoChoice", BoxCase::Target::Chosen, false,
                {"ChoosePixelFormat error", "SetPixelFormat error"}},
        BoxCase{"OtherVisual", BoxCase::Target::OtherVisual, true, {"SetPixelFormat error"}},
        BoxCase{"NoWindow", BoxCase::Target::Missing, true, {"SetPixelFormat error"}},
        BoxCase{"NoSuchWindow", BoxCase::Target::Bogus, true, {"SetPixelFormat error"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GlSetupOnMesa, ContextIsCurrentAndDrawsImmediateMode) {
  GlTestWindow window(64, 64);
  ASSERT_TRUE(window.Ok());
  EXPECT_NE(glXGetCurrentContext(), nullptr);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor4f(1, 1, 1, 1);
  glBegin(GL_QUADS);
  glVertex2f(-1, -1);
  glVertex2f(1, -1);
  glVertex2f(1, 1);
  glVertex2f(-1, 1);
  glEnd();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  const Rgb c = ReadBackPixel(32, 32);
  EXPECT_TRUE(Near(c, {255, 255, 255}, 0)) << Describe(c);
}

}  // namespace
}  // namespace aerolume::render::testing
