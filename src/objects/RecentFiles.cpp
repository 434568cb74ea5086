#include "objects/RecentFiles.h"

#include <algorithm>

void PushRecentFile(std::vector<std::string>& list, const std::string& path) {
  if (path.empty()) return;
  list.erase(std::remove(list.begin(), list.end(), path), list.end());
  list.insert(list.begin(), path);
  if (list.size() > kRecentFileCount) list.resize(kRecentFileCount);
}
