#pragma once

#include <string>

// Opening files to read and replacing files safely. Every reader and writer
// of the program goes through here, so a FIFO never hangs a load and a save
// never replaces more than the file's contents.

// Opens path for reading without ever blocking. Only a regular file is
// accepted. Returns the descriptor, or -1 with *why (if given) saying in a
// few words why not: "no such file", "permission denied", "a directory",
// "a loop of symbolic links", "not a regular file (a FIFO)", ...
// A rewrite in place that was cut short is undone first, and the file is
// held under a shared advisory lock until the descriptor is closed, so a
// reader never sees a save of this program half done.
int OpenRegularFile(const std::string& path, std::string* why);

struct SaveOptions {
  // Write into a target that is not a regular file (a device, a FIFO)
  // instead of refusing. Only when the user asked for exactly that.
  bool writeThroughSpecial = false;
  // A file private to this user (the recovery copies): never reached
  // through a symbolic link, never another user's, made readable by the
  // user alone.
  bool privateFile = false;
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
// one, keeping its mode, its extended attributes and access lists and,
// where permitted, its owner. A file with more than one hard link, one
// whose owner cannot be kept and one in a folder the user may not write
// are rewritten where they are, under an advisory lock so that two savers
// take turns: the old contents are first kept in a journal (see
// SaveJournalFolder), and put back if the rewrite fails or, when the saver
// was killed, the next time the file is opened or saved. A symbolic link
// is followed, a dangling one too: the file it names is written. A
// read-only file and a directory are refused; a target that is not a
// regular file is refused unless options ask to write through. A save that
// fails leaves the old file as it was. Returns true, or false with *why.
bool SaveFileContents(const std::string& path, const std::string& bytes, const SaveOptions& options,
                      std::string* why);

// The prefix of this program's temporary files, ".tessaly-PID-XXXXXX".
extern const char* const kTempFilePrefix;
// The extended attribute that marks a temporary file as this program's
// while a save writes it; its value is "PID START", START the writing
// process's start time.
extern const char* const kTempFileMarker;

// Removes temporary files this program left in dir when a save was killed:
// only files of this user that carry both its name pattern and its marker,
// and whose writing process is gone. A name alone proves nothing: a user
// may have chosen it.
void RemoveStaleTempFiles(const std::string& dir);

// Where rewrites in place keep the old contents of a file until they are
// complete: $XDG_STATE_HOME/tessaly/saves (or ~/.local/state/...), a folder
// of this user's alone. Tests point it elsewhere; an empty text goes back
// to the default.
std::string SaveJournalFolder();
void SetSaveJournalFolder(const std::string& dir);

// Makes dir and the folders above it, and keeps dir for this user alone
// (mode 0700). False, with *why, when dir is a symbolic link, not a folder
// or another user's.
bool MakePrivateFolder(const std::string& dir, std::string* why);

// Called by a rewrite in place after each piece of the new contents is
// written, with the bytes written so far; tests use it to stop a save
// halfway, or return false to make the write fail there. Null (the
// default) does nothing.
void SetRewriteProgressHook(bool (*hook)(size_t written));
