#include "settings/integer_rule.h"

#include <cctype>
#include <cstdint>
#include <limits>

namespace aerolume::settings {

std::optional<std::int32_t> ParseLeadingInteger(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t digitsStart = pos;
  // Accumulated as a magnitude that stops growing past the int32 range, so long digit runs clamp.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    if (magnitude <= kLimit) magnitude = magnitude * 10 + (text[pos] - '0');
    ++pos;
  }
  if (pos == digitsStart) return std::nullopt;
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

void ApplyIntegerRule(const char* text, std::int32_t fallback, std::int32_t& field) {
  if (text == nullptr) {
    field = fallback;
    return;
  }
  if (const auto value = ParseLeadingInteger(text)) field = *value;
}

}  // namespace aerolume::settings
