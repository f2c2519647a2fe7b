// The saver window: one procedure for the full-screen saver and the preview child. The members of
// CTestScreensaver that make and run it are defined in saver_window.cpp; this header holds the
// process-wide records they keep and the mouse rule.
#pragma once

#include <cstdint>

namespace aerolume::host {

// A pointer position; -1, -1 until the first report.
struct MousePoint {
  int x = -1;
  int y = -1;
};

// The records the saver window keeps for the life of the process.
struct SaverWindowState {
  bool FullScreenMode = false;     // the window being made or running is the full-screen one
  MousePoint MouseStart;           // first pointer position reported to the full-screen window
  std::int64_t LastFrameTime = 0;  // clock reading of the last frame drawn, in milliseconds
  bool ClassRegistered = false;    // "TestScreensaverClass" has been registered
};

inline constexpr const char* kSaverClassName = "TestScreensaverClass";

// The mouse rule: the first report only sets the reference point (never reset afterwards); a
// later one ends the saver when it is more than 50 pixels from it on either axis.
bool MouseMoveEndsSaver(MousePoint& mouseStart, int x, int y);

}  // namespace aerolume::host
