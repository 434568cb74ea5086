#include "objects/ShapeListFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "objects/FileAccess.h"
#include "objects/ObjectFileParse.h"

namespace {

class ShapeListReader {
 public:
  explicit ShapeListReader(ShapeList& list) : list_(list) {
    ClearShapeList(list_);
    buffer_.reserve(kMaxFieldLength + 1);
  }

  void Put(char c) {
    if (inComment_) {
      if (c == '\n') NewLine();
      return;
    }
    if (c == '#' && buffer_.empty()) {
      // A '#' opening any field, not only the first, ends the line's data.
      inComment_ = true;
      return;
    }
    if (c == ',') {
      TakeField();
      buffer_.clear();
      ++field_;
    } else if (c == '\n') {
      NewLine();
    } else {
      AppendToField(buffer_, c);
    }
  }

 private:
  void NewLine() {
    inComment_ = false;
    field_ = 0;
    entry_ = nullptr;
    buffer_.clear();
  }

  // Values go into the entry as they are read; a line cut short leaves
  // what it had already set.
  void TakeField() {
    if (field_ == 0) {
      const int32_t n = ParseFieldInt(buffer_);
      entry_ = (n >= 0 && n < kShapeListSize) ? &list_[static_cast<size_t>(n)] : nullptr;
      return;
    }
    if (!entry_) return;  // a line whose entry number is out of range
    if (field_ == 1)
      entry_->name = FieldText(buffer_);
    else if (field_ == 2)
      entry_->enabled = ParseFieldInt(buffer_);
    else if (field_ >= 3 && field_ <= 6)
      entry_->param[field_ - 3] = ParseFieldHexInt(buffer_);
  }

  ShapeList& list_;
  ShapeListEntry* entry_ = nullptr;
  std::string buffer_;
  int field_ = 0;
  bool inComment_ = false;
};

}  // namespace

void ClearShapeList(ShapeList& list) {
  for (ShapeListEntry& e : list) e = ShapeListEntry{};
}

void ReadShapeList(const char* data, size_t size, ShapeList& list) {
  ShapeListReader reader(list);
  if (!data) return;
  size_t from = 0;
  if (size >= 3 && static_cast<unsigned char>(data[0]) == 0xEF && static_cast<unsigned char>(data[1]) == 0xBB &&
      static_cast<unsigned char>(data[2]) == 0xBF)
    from = 3;
  for (size_t i = from; i < size; ++i) reader.Put(data[i]);
}

int LoadShapeList(const std::string& path, ShapeList& list, std::string* why) {
  // Never blocks: a FIFO or a device is refused before it is read.
  const int fd = OpenRegularFile(path, why);
  if (fd < 0) return -1;
  ShapeListReader reader(list);
  char chunk[1 << 14];
  bool firstChunk = true;
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    ssize_t from = 0;
    // An editor's UTF-8 byte-order mark is no part of the first line.
    if (firstChunk && n >= 3 && static_cast<unsigned char>(chunk[0]) == 0xEF &&
        static_cast<unsigned char>(chunk[1]) == 0xBB && static_cast<unsigned char>(chunk[2]) == 0xBF)
      from = 3;
    firstChunk = false;
    for (ssize_t i = from; i < n; ++i) reader.Put(chunk[i]);
  }
  ::close(fd);
  return 1;
}
