#include "objects/ObjectFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "objects/FileAccess.h"
#include "objects/ObjectFileParse.h"
#include "objects/AllowedContacts.h"
#include "objects/SceneView.h"

const char* const kObjectFileHeader =
    "# No,Name,Enbl,Shp, X,Y,Z, W,D,H, R,R2, Reso,Dir, Ang[0-3], Fill,clFill, Frame,clFrame, Trans, Tex, "
    "ID[0-9], Sub, Text, Opt[0-9], size[0-19], cl_sub[0-9], ClTex, amb[0-2],diff[0-2],spec[0-2],shin,\n";

namespace {

// ---------------------------------------------------------------------------
// Writing

void AppendInt(std::string& out, long long v) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, res.ptr);
}

// Colours in upper-case hexadecimal without prefix or leading zeros.
void AppendHex(std::string& out, uint32_t v) {
  char buf[16];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, 16);
  for (char* p = buf; p != res.ptr; ++p)
    if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
  out.append(buf, res.ptr);
}

// Fixed point with the given number of decimals, always with a '.' whatever
// the process locale says.
void AppendFixed(std::string& out, float v, int decimals) {
  char buf[64];  // the largest float needs 39 digits before the point
  const auto res =
      std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::fixed, decimals);
  out.append(buf, res.ptr);
}

// The file has no quoting: a comma or a line break inside a name or text
// would shift every later field of the line and make the reader give up on
// the rest of the file. They are written as blanks instead.
void AppendText(std::string& out, const std::string& s) {
  for (char c : s) out.push_back(c == ',' || c == '\n' || c == '\r' || c == '\0' ? ' ' : c);
}

// ---------------------------------------------------------------------------
// Reading

// Whether the first line of a file is the header every writer of the
// format puts there: a comment whose first word is "No" followed by a
// comma ("# No,Name,Enbl,..."). Blanks around the word are allowed.
bool IsSceneHeader(const std::string& line) {
  size_t i = 0;
  auto blanks = [&] {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  };
  if (line.empty() || line[0] != '#') return false;
  ++i;
  blanks();
  if (line.compare(i, 2, "No") != 0) return false;
  i += 2;
  blanks();
  return i < line.size() && line[i] == ',';
}

const char* const kNotASceneMessage =
    "Not a scene file: its first line is not the scene header (# No,Name,...) and no line holds a record.";

class ObjectReader {
 public:
  ObjectReader(SceneObject* first, int count, const TextureSlot* slots, const MessageCallback& report)
      : first_(first), count_(first ? (count < 0 ? 0 : count) : 0), slots_(slots), report_(report) {
    buffer_.reserve(kMaxFieldLength + 1);
  }

  // False once reading has to stop.
  bool Put(char c) {
    const LineEnds::Kind kind = ends_.Classify(c);
    if (kind == LineEnds::kSkip) return true;
    if (kind == LineEnds::kEnd) {
      EndLine();
      return true;
    }
    if (firstLine_ && head_.size() < kHeadLength) head_.push_back(c);
    if (c != ' ' && c != '\t') content_ = true;
    if (inComment_) return true;
    switch (c) {
      case '#':
        if (buffer_.empty() && field_ == 0) {
          inComment_ = true;
          return true;
        }
        break;
      case ',':
        if (!TakeField()) return false;
        buffer_.clear();
        cutShort_ = false;
        ++field_;
        return true;
      default:
        break;
    }
    if (!AppendToField(buffer_, c)) cutShort_ = true;
    return true;
  }

  // End of the input. A last line that lacks its line break is judged as if
  // it had one: a complete record is kept, a cut-off one is reported.
  int Finish() {
    EndFirstLine();
    if (!inComment_ && field_ > 0) EndLine();
    ReportSuppressed();
    return Conclude(accepted_);
  }

  int Stop() {
    EndFirstLine();
    ReportSuppressed();
    return Conclude(0);
  }

  // A message of the caller's about the same text, in order with the
  // reader's own.
  void Say(const std::string& text) {
    if (scene_)
      Tell(text);
    else if (held_.size() < kMaxHeld)
      held_.push_back(text);
  }

  bool Refused() const { return refused_; }

 private:
  // Until the file shows itself a scene (by its header or by a record),
  // messages wait: a file that turns out to be none gets one message
  // instead of a box for each of its lines.
  static constexpr size_t kMaxHeld = kMaxShortLineMessages + 8;
  // Enough of the first line to tell the header.
  static constexpr size_t kHeadLength = 32;

  void Tell(const std::string& text) const {
    if (report_) report_(text);
  }

  void BecomeScene() {
    if (scene_) return;
    scene_ = true;
    for (const std::string& m : held_) Tell(m);
    held_.clear();
  }

  void EndFirstLine() {
    if (!firstLine_) return;
    firstLine_ = false;
    if (IsSceneHeader(head_)) BecomeScene();
    head_.clear();
  }

  // A file with nothing but blanks and line ends is an empty scene; any
  // other file without header and record is no scene at all, and the
  // table has not been touched.
  int Conclude(int result) {
    if (scene_ || !content_) {
      BecomeScene();
      return result;
    }
    held_.clear();
    refused_ = true;
    Tell(kNotASceneMessage);
    return 0;
  }

  void ReportSuppressed() {
    if (suppressed_ > 0)
      Say("Too few data count. -> " + std::to_string(suppressed_) + " more short lines dropped.");
    suppressed_ = 0;
  }

  void EndLine() {
    EndFirstLine();
    if (inComment_) {
      // Comment lines are not counted.
      inComment_ = false;
      return;
    }
    if (field_ >= kObjectFileFieldCount - 1) {
      SceneObject& target = first_[no_];
      target = scratch_;
      target.Sub.reset();
      ++accepted_;
      BecomeScene();
    } else if (field_ > 0) {
      if (shortLines_ < kMaxShortLineMessages)
        Say("Too few data count. -> " + std::to_string(field_) + " Line: " + std::to_string(line_));
      else
        ++suppressed_;
      ++shortLines_;
    }
    ++line_;
    field_ = 0;
    buffer_.clear();
    cutShort_ = false;
  }

  bool TakeField() {
    SceneObject& r = scratch_;
    const std::string& b = buffer_;
    const int f = field_;
    // A number that did not fit the buffer would read as another number
    // (301 digits of a record number, cut to 256, could read 0). The texts
    // are simply cut; Sub is not read.
    if (cutShort_ && f != 1 && f != 33 && f != 34 && f < kObjectFileFieldCount) {
      Say(f == 0 ? "Data 'No.' error. Line: " + std::to_string(line_)
                 : "Data too long. Field: " + std::to_string(f) + " Line: " + std::to_string(line_));
      return false;
    }
    if (f == 0) {
      const int32_t no = ParseFieldInt(b);
      if (no < 0 || no >= count_) {
        Say("Data 'No.' error. Line: " + std::to_string(line_));
        return false;
      }
      no_ = no;
    } else if (f == 1) {
      r.Name = FieldText(b);
    } else if (f == 2) {
      r.Enbl = ParseFieldInt(b) != 0;
    } else if (f == 3) {
      r.Shp = ParseFieldInt(b);
    } else if (f >= 4 && f <= 11) {
      float* const reals[] = {&r.X, &r.Y, &r.Z, &r.W, &r.D, &r.H, &r.R, &r.R2};
      *reals[f - 4] = ParseFieldReal(b);
    } else if (f == 12) {
      const int32_t reso = ParseFieldInt(b);
      r.Reso = reso > 360 ? 360 : reso;
    } else if (f == 13) {
      r.Dir = ParseFieldInt(b);
    } else if (f >= 14 && f <= 16) {
      r.Ang[f - 14] = ParseFieldReal(b);
    } else if (f == 17) {
      r.Fill = ParseFieldInt(b) != 0;
    } else if (f == 18) {
      r.clFill = ParseFieldHexColor(b);
    } else if (f == 19) {
      r.Frame = ParseFieldInt(b) != 0;
    } else if (f == 20) {
      r.clFrame = ParseFieldHexColor(b);
    } else if (f == 21) {
      r.Trans = ParseFieldReal(b);
    } else if (f == 22) {
      // Only a slot that holds a picture can be referred to.
      const int32_t k = ParseFieldInt(b);
      r.Tex = (slots_ && k >= 0 && k < kTextureSlotCount && slots_[k].loaded) ? k : -1;
    } else if (f >= 23 && f <= 32) {
      r.ID[f - 23] = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(ParseFieldInt(b))));
    } else if (f == 33) {
      // Run-time data is never taken from a file.
    } else if (f == 34) {
      // The writer puts one blank before the text; it is not part of it.
      r.Text = FieldText(b, !b.empty() && b[0] == ' ' ? 1 : 0);
    } else if (f >= 35 && f <= 44) {
      r.Opt[f - 35] = ParseFieldInt(b);
    } else if (f >= 45 && f <= 64) {
      r.size[f - 45] = ParseFieldReal(b);
    } else if (f >= 65 && f <= 74) {
      r.cl_sub[f - 65] = ParseFieldHexColor(b);
    } else if (f == 75) {
      r.ColorTex.ClTex = ParseFieldInt(b) != 0;
    } else if (f >= 76 && f <= 78) {
      r.ColorTex.amb[f - 76] = ParseFieldReal(b);
    } else if (f >= 79 && f <= 81) {
      r.ColorTex.diff[f - 79] = ParseFieldReal(b);
    } else if (f >= 82 && f <= 84) {
      r.ColorTex.spec[f - 82] = ParseFieldReal(b);
    } else if (f == 85) {
      r.ColorTex.shin = ParseFieldReal(b);
    } else {
      Say("Data count over. Line: " + std::to_string(line_));
      return false;
    }
    return true;
  }

  SceneObject* first_;
  int count_;
  const TextureSlot* slots_;
  const MessageCallback& report_;

  // Not cleared between lines: a line of 85 fields keeps the shininess of
  // the line before it. The first line starts from the defaults.
  SceneObject scratch_;
  std::string buffer_;
  int field_ = 0;
  int line_ = 0;
  int no_ = 0;
  int accepted_ = 0;
  int shortLines_ = 0;
  int suppressed_ = 0;
  bool inComment_ = false;
  bool cutShort_ = false;  // the field in the buffer lost characters
  LineEnds ends_;
  bool firstLine_ = true;
  std::string head_;
  bool content_ = false;  // anything but blanks and line ends so far
  bool scene_ = false;
  bool refused_ = false;
  std::vector<std::string> held_;
};

}  // namespace

std::string FormatObjectLine(int no, const SceneObject& r) {
  std::string out;
  out.reserve(512);
  AppendInt(out, no);
  out += ',';
  AppendText(out, r.Name);
  out += ", ";

  AppendInt(out, r.Enbl ? 1 : 0);
  out += ',';
  AppendInt(out, r.Shp);
  out += ", ";
  const float reals[] = {r.X, r.Y, r.Z, r.W, r.D, r.H, r.R, r.R2};
  const char* const afterReal[] = {",", ",", ", ", ",", ",", ", ", ",", ", "};
  for (int i = 0; i < 8; ++i) {
    AppendFixed(out, reals[i], 4);
    out += afterReal[i];
  }
  AppendInt(out, r.Reso);
  out += ',';
  AppendInt(out, r.Dir);
  out += ", ";
  for (int i = 0; i < 3; ++i) {
    AppendFixed(out, r.Ang[i], 1);
    out += i < 2 ? "," : ", ";
  }

  AppendInt(out, r.Fill ? 1 : 0);
  out += ',';
  AppendHex(out, r.clFill);
  out += ", ";
  AppendInt(out, r.Frame ? 1 : 0);
  out += ',';
  AppendHex(out, r.clFrame);
  out += ", ";
  AppendFixed(out, r.Trans, 3);
  out += ", ";
  AppendInt(out, (r.Tex >= 0 && r.Tex < kTextureSlotCount) ? r.Tex : -1);
  out += ", ";

  for (int16_t id : r.ID) {
    AppendInt(out, id);
    out += ',';
  }
  out += ' ';
  out += "0, ";
  AppendText(out, r.Text);
  out += ", ";
  for (int32_t opt : r.Opt) {
    AppendInt(out, opt);
    out += ',';
  }
  out += ' ';
  for (float s : r.size) {
    AppendFixed(out, s, 4);
    out += ',';
  }
  out += ' ';
  for (Color c : r.cl_sub) {
    AppendHex(out, c);
    out += ',';
  }
  out += ' ';

  const ::ColorTex& m = r.ColorTex;
  AppendInt(out, m.ClTex ? 1 : 0);
  out += ',';
  for (const float* v : {m.amb, m.diff, m.spec}) {
    for (int i = 0; i < 3; ++i) {
      AppendFixed(out, v[i], 3);
      out += i < 2 ? "," : ", ";
    }
  }
  AppendFixed(out, m.shin, 0);
  out += ",\n";
  return out;
}

int SaveObjects(const std::string& path, const SceneObject* first, int count) {
  return SaveObjects(path, first, count, SaveOptions{}, nullptr);
}

int SaveObjects(const std::string& path, const SceneObject* first, int count, const SaveOptions& options,
                std::string* why, const std::string& afterHeader) {
  if (count < 0 || (!first && count > 0) || path.empty()) {
    if (why) *why = "nothing to save";
    return -1;
  }
  std::string text = kObjectFileHeader;
  text.reserve(static_cast<size_t>(count) * 512 + 256 + afterHeader.size());
  text += afterHeader;
  for (int i = 0; i < count; ++i) text += FormatObjectLine(i, first[i]);
  return SaveFileContents(path, text, options, why) ? 1 : -1;
}

namespace {

// What the first bytes of a file say about its encoding: the length of a
// UTF-8 byte-order mark to skip, or the name of an encoding this reader
// cannot take.
struct Encoding {
  size_t skip = 0;
  const char* refused = nullptr;
};

Encoding SniffEncoding(const char* data, size_t size) {
  const auto* b = reinterpret_cast<const unsigned char*>(data);
  Encoding e;
  if (size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
    e.skip = 3;  // editors add it; it is no part of the first line
  else if (size >= 2 && b[0] == 0xFF && b[1] == 0xFE)
    e.refused = "UTF-16 (little-endian)";
  else if (size >= 2 && b[0] == 0xFE && b[1] == 0xFF)
    e.refused = "UTF-16 (big-endian)";
  // Without a mark: text whose every other byte is zero.
  else if (size >= 4 && b[0] != 0 && b[1] == 0 && b[2] != 0 && b[3] == 0)
    e.refused = "UTF-16 (little-endian)";
  else if (size >= 4 && b[0] == 0 && b[1] != 0 && b[2] == 0 && b[3] != 0)
    e.refused = "UTF-16 (big-endian)";
  return e;
}

void RefuseEncoding(const char* encoding, const MessageCallback& report) {
  if (report)
    report(std::string("The file is ") + encoding + " text; save it as UTF-8 or ASCII and load it again.");
}

// What both readers do with the start of the text (all of it, or at least
// its first kViewLineSearchBytes bytes): false when its encoding is refused,
// else the number of bytes of a mark to skip in *from. A view line that
// cannot be read is said like any other fault of the file.
bool BeginText(const char* data, size_t size, ObjectReader& reader, const MessageCallback& report,
               size_t* from) {
  const Encoding enc = SniffEncoding(data, size);
  if (enc.refused) {
    RefuseEncoding(enc.refused, report);
    return false;
  }
  SceneView view;
  if (FindViewLine(data, size, view) == ViewLineState::Malformed) reader.Say(kViewLineError);
  AllowedContacts allowed;
  if (FindAllowLine(data, size, allowed) == AllowLineState::Malformed) reader.Say(kAllowLineError);
  *from = enc.skip;
  return true;
}

}  // namespace

int ReadObjects(const char* data, size_t size, SceneObject* first, int count, const TextureSlot* slots,
                const MessageCallback& report, bool* refused) {
  if (refused) *refused = false;
  if (!data) size = 0;
  ObjectReader reader(first, count, slots, report);
  size_t from = 0;
  if (!BeginText(data, size, reader, report, &from)) {
    if (refused) *refused = true;
    return 0;
  }
  int result = -1;
  for (size_t i = from; i < size && result < 0; ++i)
    if (!reader.Put(data[i])) result = reader.Stop();
  if (result < 0) result = reader.Finish();
  if (refused) *refused = reader.Refused();
  return result;
}

int LoadObjects(const std::string& path, SceneObject* first, int count, const TextureSlot* slots,
                const MessageCallback& report, std::string* why, bool* refused) {
  if (refused) *refused = false;
  // Only a regular file is read: a directory cannot be, a device such as
  // /dev/zero would never end and a FIFO would wait for a writer.
  const int fd = OpenRegularFile(path, why);
  if (fd < 0) return -1;

  ObjectReader reader(first, count, slots, report);
  char chunk[1 << 16];
  static_assert(sizeof chunk >= kViewLineSearchBytes, "the first chunk holds all a view line may need");
  // Read into the chunk until it is full or the file ends.
  auto fill = [fd, &chunk](size_t have) {
    while (have < sizeof chunk) {
      const ssize_t n = ::read(fd, chunk + have, sizeof chunk - have);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;  // end of file, or a read error that ends it early
      have += static_cast<size_t>(n);
    }
    return have;
  };
  // The first chunk is the whole head of the file: the mark or the zero
  // bytes of UTF-16, and the opening comments with a view line.
  size_t n = fill(0);
  size_t from = 0;
  if (!BeginText(chunk, n, reader, report, &from)) {
    ::close(fd);
    if (refused) *refused = true;
    return 0;
  }
  int result = -1;
  while (n > 0 && result < 0) {
    for (size_t i = from; i < n; ++i) {
      if (!reader.Put(chunk[i])) {
        result = reader.Stop();
        break;
      }
    }
    from = 0;
    if (result < 0) n = fill(0);
  }
  ::close(fd);
  if (result < 0) result = reader.Finish();
  if (refused) *refused = reader.Refused();
  return result;
}
