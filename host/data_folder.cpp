#include "host/data_folder.h"

#include "platform/key_store.h"
#include "platform/message_boxes.h"

namespace aerolume::host {

void FindDataFolder(const platform::KeyStore& keys, platform::MessageBoxes& boxes, std::string& dataFolder) {
  using platform::KeyHive;
  std::optional<std::string> dir = keys.ReadDir(KeyHive::LocalMachine);
  if (!dir) {
    dir = keys.ReadDir(KeyHive::CurrentUser);
    boxes.Show("Error", "HKEY_LOCAL_MACHINE Registry not found! Please reinstall Aerolume Screen Saver");
    if (!dir) {
      boxes.Show("Error", "Registry not found! Please reinstall Aerolume Screen Saver");
      return;
    }
  }
  dataFolder = *dir + "/data/";
}

}  // namespace aerolume::host
