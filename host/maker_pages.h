// The maker's web pages the saver offers to open, kept in one place.
#pragma once

namespace aerolume::host {

inline constexpr const char* kVotePage = "https://aerolume.example/vote";
// The version check tells the site which version asks.
inline constexpr const char* kVersionCheckPage = "https://aerolume.example/latest?version=1.0";

}  // namespace aerolume::host
