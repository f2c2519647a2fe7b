// What a change of the monitor's DPMS power level means to the saver windows.
#pragma once

#include <optional>

namespace aerolume::platform {

// DPMS power levels, as the extension numbers them.
enum class PowerLevel { On = 0, Standby = 1, Suspend = 2, Off = 3 };

enum class PowerChange {
  Unchanged,  // no change, or the first reading
  LowPower,   // the monitor-power command with lParam 1
  Off,        // the monitor-power command with lParam 2
  BackOn,     // the picture is visible again: windows are asked to paint
};

// The change between two readings; `previous` is empty before the first one.
constexpr PowerChange PowerTransition(std::optional<PowerLevel> previous, PowerLevel now) {
  if (!previous || *previous == now) return PowerChange::Unchanged;
  switch (now) {
    case PowerLevel::Standby: return PowerChange::LowPower;
    case PowerLevel::Suspend:
    case PowerLevel::Off: return PowerChange::Off;
    case PowerLevel::On: return PowerChange::BackOn;
  }
  return PowerChange::Unchanged;
}

}  // namespace aerolume::platform
