// ReadTextFile on real files.
#include <gtest/gtest.h>

#include <string>

#include "render/text_file.h"
#include "tests/render/renderer_test_files.h"

namespace aerolume::render {
namespace {

using testing::TempFolder;
using testing::WriteFile;

TEST(ReadTextFile, WholeContentExactly) {
  TempFolder folder;
  const std::vector<std::string> texts = {"x", "line one\nline two\n", "windows\r\nends\r\n",
                                          "no newline at end", std::string(70000, 'a')};
  for (const std::string& text : texts) {
    WriteFile(folder.File("shader.txt"), text);
    EXPECT_EQ(ReadTextFile(folder.File("shader.txt")), std::optional<std::string>(text));
  }
}

TEST(ReadTextFile, NothingForMissingEmptyOrFolder) {
  TempFolder folder;
  WriteFile(folder.File("empty.txt"), std::string());
  EXPECT_EQ(ReadTextFile(folder.File("missing.txt")), std::nullopt);
  EXPECT_EQ(ReadTextFile(folder.File("empty.txt")), std::nullopt);
  EXPECT_EQ(ReadTextFile(folder.Path()), std::nullopt);
}

}  // namespace
}  // namespace aerolume::render
