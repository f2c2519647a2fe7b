// A key store whose two keys the test sets directly.
#pragma once

#include <optional>
#include <string>

#include "platform/key_store.h"

namespace aerolume::platform {

class FakeKeyStore final : public KeyStore {
 public:
  std::optional<std::string> localMachineDir;
  std::optional<std::string> currentUserDir;

  std::optional<std::string> ReadDir(KeyHive hive) const override {
    return hive == KeyHive::LocalMachine ? localMachineDir : currentUserDir;
  }
};

}  // namespace aerolume::platform
