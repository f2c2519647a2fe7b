// The user's options: thirteen integers named after the elements of "options.xml".
#pragma once

#include <cstdint>

namespace aerolume::settings {

// Holds the built-in defaults until a file has been read; loading never resets a field to them.
struct SaverOptions {
  std::int32_t SoundsEnabled = 0;
  std::int32_t KeepAspect_1_6 = 0;
  std::int32_t DoNotUseAccumBuffer = 0;
  std::int32_t SleepEnabled = 1;
  std::int32_t IgnoreMouseMove = 0;
  std::int32_t RunCount = 0;
  std::int32_t Day = 0;
  std::int32_t Month = 0;
  std::int32_t xSpeed = 50;
  std::int32_t zSpeed = 50;
  std::int32_t changeSkyAtStartUp = 1;
  std::int32_t changeSkyDuring = 1;
  std::int32_t changeFrequency = 5;
};

}  // namespace aerolume::settings
