#include "objects/AllowedContacts.h"

#include <algorithm>
#include <cstring>

#include "objects/SceneView.h"

const char* const kAllowLinePrefix = "#@allow ";
const char* const kAllowLineError =
    "Allowed contacts line error: pairs such as \"OBJ005.hand OBJ012\" separated by \";\" expected "
    "(#@allow part object;...); the allowances are not applied.";

namespace {

// "OBJ" and three digits.
bool IsRecordName(const std::string& s, size_t end) {
  if (end != 6 || s.compare(0, 3, "OBJ") != 0) return false;
  for (size_t i = 3; i < 6; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

// "OBJnnn.hand" or "OBJnnn.wafer".
bool IsRobotPart(const std::string& s) {
  const size_t dot = s.find('.');
  if (dot == std::string::npos || !IsRecordName(s, dot)) return false;
  const std::string part = s.substr(dot + 1);
  return part == "hand" || part == "wafer";
}

}  // namespace

bool IsPartName(const std::string& name) {
  if (name == "ARM.base") return true;
  if (name.size() == 6 && name.compare(0, 5, "ARM.J") == 0 && name[5] >= '1' && name[5] <= '6') return true;
  return IsRecordName(name, name.size()) || IsRobotPart(name);
}

bool IsObjectName(const std::string& name) {
  return IsRecordName(name, name.size()) || IsRobotPart(name);
}

bool AllowedContacts::Contains(const std::string& part, const std::string& object) const {
  return std::find(pairs.begin(), pairs.end(), AllowedContact{part, object}) != pairs.end();
}

bool AllowedContacts::Add(const std::string& part, const std::string& object) {
  if (!IsPartName(part) || !IsObjectName(object) || Contains(part, object) || pairs.size() >= kMaxAllowedContacts)
    return false;
  pairs.push_back({part, object});
  return true;
}

bool AllowedContacts::Remove(const std::string& part, const std::string& object) {
  const auto it = std::find(pairs.begin(), pairs.end(), AllowedContact{part, object});
  if (it == pairs.end()) return false;
  pairs.erase(it);
  return true;
}

std::string FormatAllowLine(const AllowedContacts& list) {
  if (list.empty()) return std::string();
  std::string out = kAllowLinePrefix;
  for (size_t i = 0; i < list.pairs.size(); ++i) {
    if (i > 0) out += ';';
    out += list.pairs[i].part + ' ' + list.pairs[i].object;
  }
  out += '\n';
  return out;
}

bool ParseAllowLine(const std::string& line, AllowedContacts& out) {
  const size_t prefix = std::strlen(kAllowLinePrefix);
  if (line.compare(0, prefix, kAllowLinePrefix) != 0) return false;
  size_t end = line.size();
  while (end > prefix && (line[end - 1] == '\n' || line[end - 1] == '\r' || line[end - 1] == ' ')) --end;
  AllowedContacts list;
  size_t pos = prefix;
  while (pos < end) {
    size_t stop = line.find(';', pos);
    if (stop == std::string::npos || stop > end) stop = end;
    const std::string pair = line.substr(pos, stop - pos);
    const size_t space = pair.find(' ');
    if (space == std::string::npos) return false;
    const std::string part = pair.substr(0, space), object = pair.substr(space + 1);
    if (!IsPartName(part) || !IsObjectName(object)) return false;
    if (!list.Contains(part, object)) {
      if (list.pairs.size() >= kMaxAllowedContacts) return false;
      list.pairs.push_back({part, object});
    }
    pos = stop + 1;
  }
  if (list.empty()) return false;
  out = std::move(list);
  return true;
}

AllowLineState FindAllowLine(const char* data, size_t size, AllowedContacts& out) {
  std::string line;
  if (!FindOpeningComment(data, size, kAllowLinePrefix, &line)) return AllowLineState::Absent;
  return ParseAllowLine(line, out) ? AllowLineState::Present : AllowLineState::Malformed;
}

AllowLineState ReadAllowLine(const std::string& path, AllowedContacts& out) {
  const std::string head = ReadOpeningText(path);
  return FindAllowLine(head.data(), head.size(), out);
}
