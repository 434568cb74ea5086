#pragma once

#include <string>
#include <vector>

// A library the program is built on: its name, the version it was built
// against and its licence, as the About box lists them.
struct LibraryUse {
  std::string name;
  std::string version;
  std::string licence;
};
std::vector<LibraryUse> BuiltWith();
