// The options file that the installation starts with is the file the program itself writes for
// its defaults, so the first save changes nothing but what the user changed.
#include <gtest/gtest.h>

#include "settings/options_file.h"
#include "settings/saver_options.h"
#include "tests/settings/temp_folder.h"

namespace aerolume::settings {
namespace {

TEST(ShippedOptions, AreTheDefaultsAsTheProgramWritesThem) {
  testing::TempFolder folder;
  ASSERT_TRUE(SaveOptions(SaverOptions{}, folder.DataFolder(), "options.xml"));
  EXPECT_EQ(testing::ReadText(AEROLUME_SHIPPED_OPTIONS), testing::ReadText(folder.PathOf("options.xml")));
}

}  // namespace
}  // namespace aerolume::settings
