// Settings files nobody would write on purpose, each by its name: what a text editor, a sync tool,
// another program or a disk fault leaves behind.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace e2e {

// Binary garbage, 10 MB, no section, duplicate keys, embedded NULs and long lines.
const std::vector<std::pair<std::string, std::string>>& HostileSettingsFiles();
const std::string& HostileSettingsFile(const std::string& name);

}  // namespace e2e
