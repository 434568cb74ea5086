#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "objects/FileAccess.h"
#include "objects/SceneObject.h"
#include "objects/TextureSlot.h"

// The "3D Data List" file (*.3dl): a comment header and one line of 86
// comma-terminated fields per record.

// Whatever the operator must read (a bad line, a bad record number) is
// handed to this callback; the window shows it in a message box.
using MessageCallback = std::function<void(const std::string&)>;

// The header line, line break included.
extern const char* const kObjectFileHeader;

// Fields of one record line.
constexpr int kObjectFileFieldCount = 86;

// Writes the header and one line per record, numbered from 0, to path,
// with the safeguards of SaveFileContents: a failed save leaves the previous
// file as it was, a read-only file and a target that is not a regular file
// are refused (unless options ask to write into the latter). Returns 1 on
// success, -1 when the file cannot be written, with *why (if given).
// afterHeader (whole comment lines, such as the view line of SceneView.h)
// goes right after the header.
int SaveObjects(const std::string& path, const SceneObject* first, int count);
int SaveObjects(const std::string& path, const SceneObject* first, int count, const SaveOptions& options,
                std::string* why, const std::string& afterHeader = std::string());

// The line SaveObjects writes for record number no, line break included.
std::string FormatObjectLine(int no, const SceneObject& rec);

// Reads records from path into the run of count records starting at first;
// each line replaces the record whose number it carries. slots (ten of them,
// or null) decides which texture references survive: only loaded slots can
// be referred to. Returns the number of lines accepted when the end of the
// file is reached, 0 when reading stopped on an error (the lines accepted
// before it stay), -1 when the file cannot be opened (nothing is touched;
// *why, if given, says why).
//
// Line ends may be LF, CR LF or CR. A UTF-8 byte-order mark is skipped. A
// file is refused with one message and 0, *refused set and nothing of the
// table touched, when it is UTF-16 text, or when its first line is not the
// scene header ("# No,...") and no line of it holds a record: a record on
// any line may still make a file without the header a scene, so it is read
// to its end (or to an error that stops it) before it is refused; until it
// shows itself a scene its messages wait, and a refused file says only why
// it was refused. A file of nothing but blanks and line ends is a scene
// without records. A view line (SceneView.h) among the opening comments
// that cannot be read is reported like a bad line.
int LoadObjects(const std::string& path, SceneObject* first, int count, const TextureSlot* slots,
                const MessageCallback& report, std::string* why = nullptr, bool* refused = nullptr);

// The same reader over text already in memory (tests, fuzzing).
int ReadObjects(const char* data, size_t size, SceneObject* first, int count, const TextureSlot* slots,
                const MessageCallback& report, bool* refused = nullptr);

// Short lines are reported one by one up to this many; a file of garbage
// would otherwise raise one message box per line. The rest are counted in a
// single message at the end.
constexpr int kMaxShortLineMessages = 10;
