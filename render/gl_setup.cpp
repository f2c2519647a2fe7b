#include "render/gl_setup.h"

// Before Xlib: its None macro would clash with Icon::None.
#include "platform/message_boxes.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include "platform/x11_error_trap.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace aerolume::render {

namespace {

// Ranking key of one config for one request; the smaller key is the better match. A TrueColor
// visual comes first (a window of another class shows wrong colours), then colour, then missing
// accumulation bits, then missing depth, then surplus accumulation, and only
// then acceleration, so that asking for an accumulation buffer yields one even when it is slow;
// the chain then notices the slow choice and asks again with less.
auto RankKey(const FbConfigTraits& c, const PixelFormatRequest& r, std::size_t index) {
  const int want = r.colourBitsPerChannel;
  const int colourDistance = std::abs(c.red - want) + std::abs(c.green - want) +
                             std::abs(c.blue - want);
  const int accumMissing = std::max(0, r.accumBits - c.AccumBits());
  const int depthMissing = std::max(0, r.depthBits - c.depth);
  const int accumSurplus = std::max(0, c.AccumBits() - r.accumBits);
  const int depthSurplus = std::max(0, c.depth - r.depthBits);
  return std::make_tuple(c.trueColour ? 0 : 1, colourDistance, accumMissing, depthMissing, accumSurplus, c.slow ? 1 : 0,
                         depthSurplus, c.stencil, c.alpha, c.samples, index);
}

// One attribute of a config; 0 when the server does not know it.
int Attribute(Display* display, GLXFBConfig config, int attribute) {
  int value = 0;
  glXGetFBConfigAttrib(display, config, attribute, &value);
  return value;
}

}  // namespace

std::optional<std::size_t> BestMatch(const std::vector<FbConfigTraits>& configs,
                                     const PixelFormatRequest& request) {
  std::optional<std::size_t> best;
  for (std::size_t i = 0; i < configs.size(); ++i) {
    if (!configs[i].PlainWindowFormat()) continue;
    if (!best || RankKey(configs[i], request, i) < RankKey(configs[*best], request, *best)) {
      best = i;
    }
  }
  return best;
}

std::optional<ChainResult> RunPixelFormatChain(const std::vector<FbConfigTraits>& configs) {
  constexpr int kAccumRequests[] = {64, 32, 0};
  ChainResult result;
  for (int accumBits : kAccumRequests) {
    PixelFormatRequest request;
    request.accumBits = accumBits;
    const auto chosen = BestMatch(configs, request);
    if (!chosen) return std::nullopt;
    ++result.requestsMade;
    result.index = *chosen;
    if (!configs[*chosen].slow) {
      result.accumAvailable = configs[*chosen].AccumBits() != 0;
      return result;
    }
  }
  // Every choice was generic: take the first plain window format, as index 1 would be taken.
  std::optional<std::size_t> first, firstTrueColour;
  for (std::size_t i = 0; i < configs.size(); ++i) {
    if (!configs[i].PlainWindowFormat()) continue;
    if (!first) first = i;
    if (!firstTrueColour && configs[i].trueColour) firstTrueColour = i;
  }
  result.index = firstTrueColour ? *firstTrueColour : *first;
  result.fellBackToFirst = true;
  result.accumAvailable = false;
  return result;
}

FbConfigTraits ReadFbConfigTraits(Display* display, GLXFBConfig config) {
  FbConfigTraits t;
  const int drawableType = Attribute(display, config, GLX_DRAWABLE_TYPE);
  const int visualId = Attribute(display, config, GLX_VISUAL_ID);
  t.window = (drawableType & GLX_WINDOW_BIT) != 0 && visualId != 0 &&
             Attribute(display, config, GLX_X_RENDERABLE) != 0;
  t.rgba = (Attribute(display, config, GLX_RENDER_TYPE) & GLX_RGBA_BIT) != 0;
  t.doubleBuffer = Attribute(display, config, GLX_DOUBLEBUFFER) != 0;
  t.stereo = Attribute(display, config, GLX_STEREO) != 0;
  t.trueColour = Attribute(display, config, GLX_X_VISUAL_TYPE) == GLX_TRUE_COLOR;
  t.slow = Attribute(display, config, GLX_CONFIG_CAVEAT) == GLX_SLOW_CONFIG;
  t.red = Attribute(display, config, GLX_RED_SIZE);
  t.green = Attribute(display, config, GLX_GREEN_SIZE);
  t.blue = Attribute(display, config, GLX_BLUE_SIZE);
  t.alpha = Attribute(display, config, GLX_ALPHA_SIZE);
  t.depth = Attribute(display, config, GLX_DEPTH_SIZE);
  t.stencil = Attribute(display, config, GLX_STENCIL_SIZE);
  t.accumRed = Attribute(display, config, GLX_ACCUM_RED_SIZE);
  t.accumGreen = Attribute(display, config, GLX_ACCUM_GREEN_SIZE);
  t.accumBlue = Attribute(display, config, GLX_ACCUM_BLUE_SIZE);
  t.accumAlpha = Attribute(display, config, GLX_ACCUM_ALPHA_SIZE);
  t.samples = Attribute(display, config, GLX_SAMPLES);
  return t;
}

std::optional<PixelFormatChoice> ChoosePixelFormat(Display* display, int screen) {
  if (display == nullptr) return std::nullopt;
  int count = 0;
  GLXFBConfig* list = glXGetFBConfigs(display, screen, &count);
  if (list == nullptr) return std::nullopt;
  std::vector<FbConfigTraits> traits;
  traits.reserve(count);
  for (int i = 0; i < count; ++i) traits.push_back(ReadFbConfigTraits(display, list[i]));

  std::optional<PixelFormatChoice> choice;
  if (const auto chain = RunPixelFormatChain(traits)) {
    GLXFBConfig config = list[chain->index];
    if (XVisualInfo* info = glXGetVisualFromFBConfig(display, config)) {
      choice.emplace();
      choice->config = config;
      choice->visualId = info->visualid;
      choice->visualDepth = info->depth;
      choice->accumAvailable = chain->accumAvailable;
      choice->requestsMade = chain->requestsMade;
      choice->fellBackToFirst = chain->fellBackToFirst;
      XFree(info);
    }
  }
  XFree(list);  // the configs themselves stay valid for the life of the display connection
  return choice;
}

bool SetupPixelFormat(const DeviceContext& dc, const std::optional<PixelFormatChoice>& choice,
                      platform::MessageBoxes& boxes) {
  using platform::Buttons;
  using platform::Icon;
  if (!choice) boxes.Show("Error", "ChoosePixelFormat error", Buttons::Ok, Icon::Error);

  bool matches = false;
  if (choice && dc.display != nullptr && dc.drawable != 0) {
    XWindowAttributes attributes{};
    platform::X11ErrorTrap trap(dc.display);
    const Status ok = XGetWindowAttributes(dc.display, dc.drawable, &attributes);
    matches = !trap.Failed() && ok != 0 && attributes.visual != nullptr &&
              attributes.visual->visualid == choice->visualId;
  }
  if (!matches) boxes.Show("Error", "SetPixelFormat error", Buttons::Ok, Icon::Error);
  return choice.has_value() && choice->accumAvailable;
}

GLXContext CreateCurrentContext(const DeviceContext& dc, const PixelFormatChoice& choice) {
  if (dc.display == nullptr || dc.drawable == 0 || choice.config == nullptr) return nullptr;
  platform::X11ErrorTrap trap(dc.display);
  // A legacy context: the renderer draws in OpenGL 1.1 immediate mode.
  GLXContext context = glXCreateNewContext(dc.display, choice.config, GLX_RGBA_TYPE, nullptr, True);
  if (context == nullptr || trap.Failed()) {
    if (context != nullptr) glXDestroyContext(dc.display, context);
    return nullptr;
  }
  if (!glXMakeCurrent(dc.display, dc.drawable, context) || trap.Failed()) {
    glXDestroyContext(dc.display, context);
    return nullptr;
  }
  return context;
}

void DestroyContext(Display* display, GLXContext context) {
  if (display == nullptr || context == nullptr) return;
  if (glXGetCurrentContext() == context) glXMakeCurrent(display, None, nullptr);
  glXDestroyContext(display, context);
}

}  // namespace aerolume::render
