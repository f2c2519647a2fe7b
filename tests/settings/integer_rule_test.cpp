#include "settings/integer_rule.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace aerolume::settings {
namespace {

constexpr std::int32_t kPrevious = 42;
constexpr std::int32_t kFallback = 7;

struct RuleCase {
  const char* text;  // null: the attribute is missing
  std::int32_t expected;
};

// The "%d"-like reading, starting from kPrevious with fallback kFallback each time.
TEST(IntegerRule, ConvertsLikePercentD) {
  const RuleCase cases[] = {
      {nullptr, kFallback},  // missing attribute: the fallback
      {"", kPrevious},       // present but no number: unchanged
      {"abc", kPrevious},
      {"-", kPrevious},
      {"+", kPrevious},
      {"- 3", kPrevious},
      {"  ", kPrevious},
      {"0", 0},
      {"75", 75},
      {"75abc", 75},
      {"  -3", -3},
      {"\t\n+12", 12},
      {"1 2", 1},
      {"007", 7},
      {"0x1F", 0},
      {"2147483647", std::numeric_limits<std::int32_t>::max()},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {"99999999999999999999", std::numeric_limits<std::int32_t>::max()},
      {"-99999999999999999999", std::numeric_limits<std::int32_t>::min()},
  };
  for (const RuleCase& c : cases) {
    std::int32_t field = kPrevious;
    ApplyIntegerRule(c.text, kFallback, field);
    EXPECT_EQ(field, c.expected) << "text: " << (c.text ? '"' + std::string(c.text) + '"' : "(missing)");
  }
}

}  // namespace
}  // namespace aerolume::settings
