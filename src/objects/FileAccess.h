#pragma once

#include <string>

// Opening files to read and replacing files safely. Every reader and writer
// of the program goes through here, so a FIFO never hangs a load and a save
// never replaces more than the file's contents.

// Opens path for reading without ever blocking. Only a regular file is
// accepted. Returns the descriptor, or -1 with *why (if given) saying in a
// few words why not: "no such file", "permission denied", "a directory",
// "a loop of symbolic links", "not a regular file (a FIFO)", ...
int OpenRegularFile(const std::string& path, std::string* why);

struct SaveOptions {
  // Write into a target that is not a regular file (a device, a FIFO)
  // instead of refusing. Only when the user asked for exactly that.
  bool writeThroughSpecial = false;
};

// What a save to path would meet; the windows ask before replacing.
enum class SaveTarget {
  kMissing,   // a new file
  kRegular,   // an existing file that will be replaced
  kReadOnly,  // an existing file the user may not write: the save is refused
  kSpecial,   // a device, a FIFO or a socket: written into only on request
  kDirectory  // never saved over
};
// *what (if given) names a special target's kind ("a FIFO").
SaveTarget InspectSaveTarget(const std::string& path, std::string* what = nullptr);

// Replaces the contents of path with bytes. A regular file is written to a
// short hidden temporary file in the same folder and renamed over the old
// one, keeping its mode and, where permitted, its owner; a file with more
// than one hard link, or one whose owner cannot be kept, is rewritten in
// place after the space for it is reserved. A read-only file and a
// directory are refused; a target that is not a regular file is refused
// unless options ask to write through. A save that fails leaves the old
// file as it was. Returns true, or false with *why (if given).
bool SaveFileContents(const std::string& path, const std::string& bytes, const SaveOptions& options,
                      std::string* why);

// The prefix of this program's temporary files.
extern const char* const kTempFilePrefix;

// Removes temporary files this program left in dir when a save was killed:
// only those of its own patterns whose process is gone.
void RemoveStaleTempFiles(const std::string& dir);
