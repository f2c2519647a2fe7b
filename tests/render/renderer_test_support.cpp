#include "tests/render/renderer_test_support.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "render/chosen_visual.h"

namespace aerolume::render::testing {

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

std::string Describe(const Rgb& c) {
  std::ostringstream out;
  out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
  return out.str();
}

GlTestWindow::GlTestWindow(int width, int height) {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) return;
  const int screen = DefaultScreen(display_);
  choice_ = ChoosePixelFormat(display_, screen);
  if (!choice_) return;
  VisualInfoPtr visual = ChosenVisual(display_, *choice_);
  if (!visual) return;
  const Window root = RootWindow(display_, screen);
  colormap_ = XCreateColormap(display_, root, visual->visual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.colormap = colormap_;
  attributes.border_pixel = 0;
  attributes.override_redirect = True;
  attributes.event_mask = StructureNotifyMask;
  window_ = XCreateWindow(display_, root, 0, 0, width, height, 0, visual->depth, InputOutput,
                          visual->visual, CWColormap | CWBorderPixel | CWOverrideRedirect | CWEventMask,
                          &attributes);
  XMapWindow(display_, window_);
  XEvent event;
  do {
    XWindowEvent(display_, window_, StructureNotifyMask, &event);
  } while (event.type != MapNotify);
  context_ = CreateCurrentContext(Dc(), *choice_);
}

GlTestWindow::~GlTestWindow() {
  if (display_ == nullptr) return;
  DestroyContext(display_, context_);
  for (unsigned long w : extraWindows_) XDestroyWindow(display_, w);
  for (unsigned long c : extraColormaps_) XFreeColormap(display_, c);
  if (window_ != 0) XDestroyWindow(display_, window_);
  if (colormap_ != 0) XFreeColormap(display_, colormap_);
  XCloseDisplay(display_);
}

unsigned long GlTestWindow::MakeOtherVisualWindow() {
  const int screen = DefaultScreen(display_);
  XVisualInfo wanted{};
  wanted.screen = screen;
  int count = 0;
  XVisualInfo* visuals = XGetVisualInfo(display_, VisualScreenMask, &wanted, &count);
  Window w = 0;
  for (int i = 0; i < count && w == 0; ++i) {
    if (visuals[i].visualid == choice_->visualId || visuals[i].c_class != TrueColor) continue;
    const Window root = RootWindow(display_, screen);
    const Colormap colormap = XCreateColormap(display_, root, visuals[i].visual, AllocNone);
    XSetWindowAttributes attributes{};
    attributes.colormap = colormap;
    attributes.border_pixel = 0;
    w = XCreateWindow(display_, root, 0, 0, 64, 64, 0, visuals[i].depth, InputOutput,
                      visuals[i].visual, CWColormap | CWBorderPixel, &attributes);
    extraColormaps_.push_back(colormap);
    extraWindows_.push_back(w);
  }
  if (visuals != nullptr) XFree(visuals);
  XSync(display_, False);
  return w;
}

Rgb ReadBackPixel(int x, int y) {
  unsigned char pixel[4] = {0, 0, 0, 0};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  return {pixel[0], pixel[1], pixel[2]};
}

namespace {

std::string SolidJpeg(int width, int height, const Rgb& c) {
  return testing::SolidJpeg(width, height, static_cast<unsigned char>(c.r),
                            static_cast<unsigned char>(c.g), static_cast<unsigned char>(c.b));
}

}  // namespace

FixtureDataFolder::FixtureDataFolder() : path_(temp_.Path() + "/data/") {
  std::filesystem::create_directories(path_);
}

void FixtureDataFolder::AddSky(const FixtureSky& sky) {
  const std::string folder = path_ + sky.folder + "/";
  WriteFile(folder + "back.jpg", SolidJpeg(64, 32, sky.background));
  WriteFile(folder + "cloud.jpg", SolidJpeg(16, 16, {255, 255, 255}));
  WriteFile(folder + "cloud_alpha.jpg", SolidJpeg(16, 16, {0, 0, 0}));
  std::string scene = "<?xml version=\"1.0\" ?>\n<Scene>\n  <Back file=\"back.jpg\" />\n";
  if (sky.missingSunFile) scene += "  <Sun file=\"" + *sky.missingSunFile + "\" />\n";
  scene += "  <Clouds>\n    <Cloud file=\"cloud.jpg\" alpha=\"cloud_alpha.jpg\" />\n  </Clouds>\n";
  scene += "</Scene>\n";
  WriteFile(folder + "scene.xml", scene);
}

void FixtureDataFolder::WriteScenarioList(const std::vector<std::pair<std::string, int>>& entries) {
  std::string text = "<?xml version=\"1.0\" ?>\n<Aerolume>\n  <Scenes>\n";
  for (const auto& [folder, enabled] : entries) {
    text += "    <Scene path=\"" + folder + "\" enabled=\"" + std::to_string(enabled) + "\" />\n";
  }
  text += "  </Scenes>\n</Aerolume>\n";
  WriteScenarioText(text);
}

void FixtureDataFolder::WriteScenarioText(const std::string& text) {
  WriteFile(path_ + "defaultScenario.xml", text);
}

void FixtureDataFolder::WriteShaders() {
  WriteFile(path_ + "shaders/ripple.vsh",
            "void main() { gl_TexCoord[0] = gl_MultiTexCoord0; gl_Position = ftransform(); }\n");
  WriteFile(path_ + "shaders/ripple.fsh",
            "uniform sampler2D picture;\n"
            "void main() { gl_FragColor = texture2D(picture, gl_TexCoord[0].st); }\n");
}

PixelPos ProjectToWindow(double x, double y, double z, int width, int height) {
  // Eye at (0, 0, 100) looking down -z; vertical field of view 100 degrees.
  const double distance = 100.0 - z;
  const double halfHeight = distance * std::tan(50.0 * M_PI / 180.0);
  const double aspect = static_cast<double>(width) / height;
  const double ndcX = x / (halfHeight * aspect);
  const double ndcY = y / halfHeight;
  return {static_cast<int>((ndcX + 1.0) * 0.5 * width), static_cast<int>((ndcY + 1.0) * 0.5 * height)};
}

RendererGlTest::RendererGlTest() {
  options.changeSkyDuring = 0;
  options.xSpeed = 50;
  options.zSpeed = 50;
}

void RendererGlTest::Start() {
  ASSERT_TRUE(window.Ok()) << "no GL window on $DISPLAY";
  renderer = std::make_unique<Renderer>(data.Path(), options, boxes);
  renderer->SetupPixelFormat(window.Dc(), window.Choice());
  renderer->InitRenderer();
  renderer->ResizeViewport(kWidth, kHeight);
}

Rgb RendererGlTest::FramePixel(int x, int y) {
  Rgb seen;
  renderer->SetPresentHook([&] { seen = ReadBackPixel(x, y); });
  renderer->RenderFrame();
  renderer->SetPresentHook(nullptr);
  return seen;
}

}  // namespace aerolume::render::testing
