// How both settings files turn an attribute's text into an integer field.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace aerolume::settings {

// The number at the start of text, read like "%d": leading white space skipped, an optional sign,
// decimal digits, anything after them ignored. Out-of-range values are clamped to the int32 range.
// No value when no digit follows the optional sign.
std::optional<std::int32_t> ParseLeadingInteger(std::string_view text);

// Reads an attribute value into field: a missing attribute (null text) stores fallback, a value
// without a leading number leaves field as it is.
void ApplyIntegerRule(const char* text, std::int32_t fallback, std::int32_t& field);

}  // namespace aerolume::settings
