#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The contacts a cell is meant to have (a hand entering a station, a wafer
// on its hand): pairs the interference check neither reports nor measures.
// A scene keeps them in one comment line among the opening ones, after the
// view line when there is one,
//   #@allow OBJ005.hand OBJ012;ARM.J6 OBJ030
// written only when the list is not empty, so that every other scene is
// saved as it was. Each pair is a moving part and what it meets:
//   moving part  "ARM.base", "ARM.J1" ... "ARM.J6" (the arm's pieces),
//                "OBJ005.hand", "OBJ005.wafer" (a transfer robot's),
//                "OBJ007" (a record a controller moves);
//   what it meets "OBJ012", or another robot's "OBJ006.hand" / ".wafer".
struct AllowedContact {
  std::string part, object;
  bool operator==(const AllowedContact& o) const { return part == o.part && object == o.object; }
};

struct AllowedContacts {
  std::vector<AllowedContact> pairs;
  bool empty() const { return pairs.empty(); }
  bool Contains(const std::string& part, const std::string& object) const;
  // False when the pair is there already or a name is not one of the forms
  // above.
  bool Add(const std::string& part, const std::string& object);
  bool Remove(const std::string& part, const std::string& object);
  bool operator==(const AllowedContacts& o) const { return pairs == o.pairs; }
};

// Whether name is a moving part's name, or a name of what one meets.
bool IsPartName(const std::string& name);
bool IsObjectName(const std::string& name);

// "#@allow " — what starts the line.
extern const char* const kAllowLinePrefix;
// What the loaders say about an allowance line they cannot read.
extern const char* const kAllowLineError;
// At most this many pairs; a longer line is refused whole.
constexpr size_t kMaxAllowedContacts = 1000;

// The whole line, line break included; empty for an empty list.
std::string FormatAllowLine(const AllowedContacts& list);
// Reads one line (with or without its line break). False, and out
// untouched, unless it starts with the prefix and every pair is well
// formed; repeated pairs are kept once.
bool ParseAllowLine(const std::string& line, AllowedContacts& out);

enum class AllowLineState { Absent, Present, Malformed };
// Looks through the opening comment lines as FindViewLine does.
AllowLineState FindAllowLine(const char* data, size_t size, AllowedContacts& out);
// The same for a file; Absent when it cannot be read.
AllowLineState ReadAllowLine(const std::string& path, AllowedContacts& out);
