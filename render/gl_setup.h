// Choosing a GLX framebuffer configuration for a sky window and making a GL context for it.
//
// On X11 a window's visual is fixed when the window is created, so choosing the pixel format and
// applying it are two steps: ChoosePixelFormat runs the request chain before the window exists and
// hands back the visual to create it with; SetupPixelFormat then checks the window against the
// choice once it exists. A "device context" is the display connection plus the window drawn into.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

// The few Xlib and GLX types used here, declared as the system headers declare them, so that this
// header does not bring in Xlib's macros (None, Bool, Status, ...), which clash with other names.
typedef struct _XDisplay Display;
typedef struct __GLXFBConfigRec* GLXFBConfig;
typedef struct __GLXcontextRec* GLXContext;

namespace aerolume::platform {
class MessageBoxes;
}

namespace aerolume::render {

// Where frames are drawn and presented: a display connection and a GLX-capable window.
struct DeviceContext {
  Display* display = nullptr;
  unsigned long drawable = 0;  // the window's XID
};

// One request of the chain: RGBA, double buffer, 8 bits per colour channel, a 32-bit depth wish
// and the accumulation bits of this round (64, 32, then 0).
struct PixelFormatRequest {
  int colourBitsPerChannel = 8;
  int depthBits = 32;
  int accumBits = 0;
};

// What the ranking needs to know about one framebuffer configuration.
struct FbConfigTraits {
  bool window = false;  // can draw to a window and has an X visual
  bool rgba = false;
  bool doubleBuffer = false;
  bool stereo = false;
  bool trueColour = false;  // a TrueColor visual (DirectColor ones need their colour map filled)
  bool slow = false;  // GLX_SLOW_CONFIG: the "generic", unaccelerated kind
  int red = 0, green = 0, blue = 0, alpha = 0;
  int depth = 0, stencil = 0;
  int accumRed = 0, accumGreen = 0, accumBlue = 0, accumAlpha = 0;
  int samples = 0;

  int AccumBits() const { return accumRed + accumGreen + accumBlue + accumAlpha; }
  bool PlainWindowFormat() const { return window && rgba && doubleBuffer && !stereo; }
};

// The best match for one request among configs, ranked by closeness the way ChoosePixelFormat
// does (not by hard minimums); only plain RGBA double-buffered window formats qualify. Nothing
// when no config qualifies.
std::optional<std::size_t> BestMatch(const std::vector<FbConfigTraits>& configs,
                                     const PixelFormatRequest& request);

// Outcome of the three-request chain over a list of configs.
struct ChainResult {
  std::size_t index = 0;         // the config to use
  int requestsMade = 0;          // 1 to 3
  bool fellBackToFirst = false;  // the third choice was still generic: "index 1" was taken
  bool accumAvailable = false;   // accelerated config with an accumulation buffer
};

// Runs the requests with 64, 32 and 0 accumulation bits, stopping at the first choice that is not
// generic. If the third is still generic, the first plain window format in list order is used
// (the counterpart of pixel-format index 1; a TrueColor one when there is one). Nothing when no
// config qualifies at all.
std::optional<ChainResult> RunPixelFormatChain(const std::vector<FbConfigTraits>& configs);

// The pixel format chosen for a window yet to be created.
struct PixelFormatChoice {
  GLXFBConfig config = nullptr;
  unsigned long visualId = 0;  // create the window with this visual (render/chosen_visual.h)
  int visualDepth = 0;
  bool accumAvailable = false;
  int requestsMade = 0;
  bool fellBackToFirst = false;
};

// Reads the traits of one config.
FbConfigTraits ReadFbConfigTraits(Display* display, GLXFBConfig config);

// Runs the chain over the screen's configs. Nothing when the server offers no usable format.
std::optional<PixelFormatChoice> ChoosePixelFormat(Display* display, int screen);

// Applies a choice to a window that now exists: shows "ChoosePixelFormat error" when there was no
// choice and "SetPixelFormat error" when the window cannot take the format (caption "Error", error
// icon), then carries on. Returns whether an accelerated accumulation buffer is available.
bool SetupPixelFormat(const DeviceContext& dc, const std::optional<PixelFormatChoice>& choice,
                      platform::MessageBoxes& boxes);

// Creates a compatibility (OpenGL 1.x immediate mode capable) context for the window's format and
// makes it current. Null when the context cannot be made or made current.
GLXContext CreateCurrentContext(const DeviceContext& dc, const PixelFormatChoice& choice);

// Releases the context made by CreateCurrentContext, making nothing current first if it is.
void DestroyContext(Display* display, GLXContext context);

}  // namespace aerolume::render
