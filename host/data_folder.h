// Finding the data folder through the installation key.
#pragma once

#include <string>

namespace aerolume::platform {
class KeyStore;
class MessageBoxes;
}  // namespace aerolume::platform

namespace aerolume::host {

// Sets dataFolder to the key's "Dir" followed by "/data/". The machine-wide key comes first; when
// it is missing the user's key is used after an error box; when both are missing a second box
// follows and dataFolder keeps what it held.
void FindDataFolder(const platform::KeyStore& keys, platform::MessageBoxes& boxes, std::string& dataFolder);

}  // namespace aerolume::host
