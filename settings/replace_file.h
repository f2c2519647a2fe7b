// Replacing a file so that readers only ever see the old or the complete new content.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace aerolume::settings {

// Writes the new content through writeContent into a temporary file in the same folder, flushes it
// to disk and renames it over path. The old file keeps its permission bits (and its owner, where
// the process may set it); a new one gets 0666 less the umask. False, with path untouched and no
// temporary left behind, when any step fails or writeContent returns false. A symbolic link at
// path stays and its target is replaced.
bool ReplaceFile(const std::string& path, const std::function<bool(std::FILE*)>& writeContent);

}  // namespace aerolume::settings
