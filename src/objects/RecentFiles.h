#pragma once

#include <string>
#include <vector>

// The File menu's list of recently used scene files, newest first.
constexpr size_t kRecentFileCount = 5;

// Puts path at the front of list, drops an older entry of the same path
// and keeps at most kRecentFileCount entries.
void PushRecentFile(std::vector<std::string>& list, const std::string& path);
