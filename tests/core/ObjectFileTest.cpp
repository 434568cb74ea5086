#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "objects/ObjectFile.h"
#include "objects/SceneObject.h"

namespace fs = std::filesystem;

namespace {

// A scratch folder per test, removed afterwards.
class ObjectFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tessaly-objfile-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    table_ = std::make_unique<ObjectTable>();
    InitializeRecords(table_->data(), kObjectCapacity);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  std::string WriteText(const std::string& name, const std::string& text) const {
    const std::string p = PathOf(name);
    std::ofstream(p, std::ios::binary) << text;
    return p;
  }

  static std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  // Loads text with all texture slots empty, collecting the messages.
  int Load(const std::string& text, const TextureSlot* slots = nullptr) {
    return ReadObjects(text.data(), text.size(), table_->data(), kObjectCapacity, slots,
                       [this](const std::string& m) { messages_.push_back(m); });
  }

  fs::path dir_;
  std::unique_ptr<ObjectTable> table_;
  std::vector<std::string> messages_;
};

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : line) {
    if (c == ',') {
      out.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  return out;
}

// A record line as the writer lays it out, with the given number and the
// fields that tests vary most; everything else at the defaults.
std::string Line(int no, const std::string& name = "OBJ", int reso = 36, int tex = -1, float shinField = 32) {
  SceneObject r;
  r.Name = name;
  r.Reso = reso;
  r.ColorTex.shin = shinField;
  std::string s = FormatObjectLine(no, r);
  if (tex != -1) {
    std::vector<std::string> f = SplitFields(s);
    f[22] = " " + std::to_string(tex);
    s.clear();
    for (const std::string& x : f) s += x + ",";
    s += "\n";
  }
  return s;
}

// The first n fields of a line, each with its comma.
std::string FirstFields(const std::string& line, int n) {
  std::vector<std::string> f = SplitFields(line);
  std::string s;
  for (int i = 0; i < n && i < static_cast<int>(f.size()); ++i) s += f[i] + ",";
  return s + "\n";
}

void ExpectSameRecord(const SceneObject& a, const SceneObject& b, int no) {
  SCOPED_TRACE("record " + std::to_string(no));
  EXPECT_EQ(a.Enbl, b.Enbl);
  EXPECT_EQ(a.Shp, b.Shp);
  EXPECT_EQ(a.Reso, b.Reso);
  EXPECT_EQ(a.Dir, b.Dir);
  EXPECT_EQ(a.X, b.X);
  EXPECT_EQ(a.Y, b.Y);
  EXPECT_EQ(a.Z, b.Z);
  EXPECT_EQ(a.W, b.W);
  EXPECT_EQ(a.D, b.D);
  EXPECT_EQ(a.H, b.H);
  EXPECT_EQ(a.R, b.R);
  EXPECT_EQ(a.R2, b.R2);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(a.Ang[i], b.Ang[i]) << "Ang " << i;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.Opt[i], b.Opt[i]) << "Opt " << i;
  for (int i = 0; i < 20; ++i) EXPECT_EQ(a.size[i], b.size[i]) << "size " << i;
  EXPECT_EQ(a.Fill, b.Fill);
  EXPECT_EQ(a.clFill, b.clFill);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.cl_sub[i], b.cl_sub[i]) << "cl_sub " << i;
  EXPECT_EQ(a.ColorTex.ClTex, b.ColorTex.ClTex);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(a.ColorTex.amb[i], b.ColorTex.amb[i]) << "amb " << i;
    EXPECT_EQ(a.ColorTex.diff[i], b.ColorTex.diff[i]) << "diff " << i;
    EXPECT_EQ(a.ColorTex.spec[i], b.ColorTex.spec[i]) << "spec " << i;
  }
  EXPECT_EQ(a.ColorTex.shin, b.ColorTex.shin);
  EXPECT_EQ(a.Frame, b.Frame);
  EXPECT_EQ(a.clFrame, b.clFrame);
  EXPECT_EQ(a.Trans, b.Trans);
  EXPECT_EQ(a.Tex, b.Tex);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.ID[i], b.ID[i]) << "ID " << i;
  EXPECT_EQ(a.Name, b.Name);
  EXPECT_EQ(a.Text, b.Text);
  EXPECT_EQ(a.Sub, b.Sub);
}

// A record with every field away from its default, each value already at
// the precision its column is written with.
SceneObject RichRecord() {
  SceneObject r;
  r.Enbl = true;
  r.Shp = 131;
  r.Reso = 72;
  r.Dir = 5;
  r.X = -1.25f;
  r.Y = 0.0625f;
  r.Z = 123.4567f;
  r.W = 0.1f;
  r.D = 2.5f;
  r.H = 1000.0f;
  r.R = 0.0001f;
  r.R2 = -0.3333f;
  r.Ang[0] = 90.0f;
  r.Ang[1] = -45.5f;
  r.Ang[2] = 359.9f;
  for (int i = 0; i < 10; ++i) r.Opt[i] = (i - 5) * 1000003;
  for (int i = 0; i < 20; ++i) r.size[i] = static_cast<float>((i - 5) * 0.1);
  r.Fill = false;
  r.clFill = 0x00FF80;
  for (int i = 0; i < 10; ++i) r.cl_sub[i] = 0x010203u * static_cast<uint32_t>(i);
  r.ColorTex.ClTex = true;
  r.ColorTex.amb[0] = 0.125f;
  r.ColorTex.amb[1] = 0.5f;
  r.ColorTex.amb[2] = 0.999f;
  r.ColorTex.diff[0] = 0.0f;
  r.ColorTex.diff[1] = 0.333f;
  r.ColorTex.diff[2] = 0.75f;
  r.ColorTex.spec[0] = 0.001f;
  r.ColorTex.spec[1] = 0.25f;
  r.ColorTex.spec[2] = 1.0f;
  r.ColorTex.shin = 128.0f;
  r.Frame = true;
  r.clFrame = 0x2D2D2D;
  r.Trans = 0.35f;
  r.Tex = 1;
  const int16_t ids[10] = {-32768, -1, 0, 1, 32767, 7, 8, 9, 10, 11};
  std::copy(ids, ids + 10, r.ID);
  r.Name = "Wafer cassette";
  r.Text = "Tessaly  text";
  return r;
}

}  // namespace

TEST_F(ObjectFileTest, HeaderAndADefaultRecordAreWrittenFieldForField) {
  EXPECT_STREQ(kObjectFileHeader,
               "# No,Name,Enbl,Shp, X,Y,Z, W,D,H, R,R2, Reso,Dir, Ang[0-3], Fill,clFill, Frame,clFrame, "
               "Trans, Tex, ID[0-9], Sub, Text, Opt[0-9], size[0-19], cl_sub[0-9], ClTex, "
               "amb[0-2],diff[0-2],spec[0-2],shin,\n");
  const std::string expected =
      "7,OBJ007, 0,4, 0.0000,0.0000,0.0000, 1.0000,1.0000,1.0000, 0.5000,0.5000, 36,0, 0.0,0.0,0.0, "
      "1,FFFFFF, 0,0, 1.000, -1, 0,0,0,0,0,0,0,0,0,0, 0, , 0,0,0,0,0,0,0,0,0,0, "
      "0.0000,0.0000,0.0000,0.0000,0.0000,0.0000,0.0000,0.0000,0.0000,0.0000,"
      "0.0000,0.0000,0.0000,0.0000,0.0000,0.0000,0.0000,0.0000,0.0000,0.0000, "
      "FFFFFF,FFFFFF,FFFFFF,FFFFFF,FFFFFF,FFFFFF,FFFFFF,FFFFFF,FFFFFF,FFFFFF, "
      "0,0.200,0.200,0.200, 1.000,1.000,1.000, 0.100,0.100,0.100, 32,\n";
  EXPECT_EQ(FormatObjectLine(7, (*table_)[7]), expected);
  EXPECT_EQ(SplitFields(expected).size(), 86u);

  const std::string path = PathOf("scene.3dl");
  ASSERT_EQ(SaveObjects(path, table_->data(), kObjectCapacity), 1);
  const std::string text = ReadText(path);
  EXPECT_EQ(text.rfind(kObjectFileHeader, 0), 0u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1001);
  EXPECT_NE(text.find("\n" + expected), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 30), expected.substr(expected.size() - 30));
  EXPECT_NE(text.find("\n999,OBJ999, "), std::string::npos);
}

TEST_F(ObjectFileTest, ValuesAreWrittenInTheirColumnFormats) {
  SceneObject r = RichRecord();
  r.Tex = 3;
  r.X = 1.23456f;      // four decimals
  r.Ang[1] = -12.34f;  // one decimal
  r.Trans = 0.5f;
  r.ColorTex.shin = 32.6f;  // no decimals
  r.clFrame = 0;
  const std::vector<std::string> f = SplitFields(FormatObjectLine(42, r));
  ASSERT_EQ(f.size(), 86u);
  EXPECT_EQ(f[0], "42");
  EXPECT_EQ(f[1], "Wafer cassette");
  EXPECT_EQ(f[2], " 1");
  EXPECT_EQ(f[3], "131");
  EXPECT_EQ(f[4], " 1.2346");
  EXPECT_EQ(f[7], " 0.1000");
  EXPECT_EQ(f[8], "2.5000");
  EXPECT_EQ(f[12], " 72");
  EXPECT_EQ(f[15], "-12.3");
  EXPECT_EQ(f[18], "FF80");
  EXPECT_EQ(f[20], "0");
  EXPECT_EQ(f[21], " 0.500");
  EXPECT_EQ(f[22], " 3");
  EXPECT_EQ(f[23], " -32768");
  EXPECT_EQ(f[33], " 0");
  EXPECT_EQ(f[34], " Tessaly  text");
  EXPECT_EQ(f[35], " -5000015");
  EXPECT_EQ(f[45], " -0.5000");
  EXPECT_EQ(f[46], "-0.4000");
  EXPECT_EQ(f[65], " 0");
  EXPECT_EQ(f[66], "10203");
  EXPECT_EQ(f[74], "9121B");  // 0x010203 * 9
  EXPECT_EQ(f[75], " 1");
  EXPECT_EQ(f[76], "0.125");
  EXPECT_EQ(f[79], " 0.000");
  EXPECT_EQ(f[85], " 33");

  // A texture reference outside the ten slots is written as none.
  r.Tex = 12;
  EXPECT_EQ(SplitFields(FormatObjectLine(0, r))[22], " -1");
}

TEST_F(ObjectFileTest, SavedTableLoadsBackUnchanged) {
  TextureSlot slots[kTextureSlotCount];
  slots[0].loaded = slots[1].loaded = true;
  auto original = std::make_unique<ObjectTable>();
  InitializeRecords(original->data(), kObjectCapacity);
  (*original)[0] = RichRecord();
  (*original)[500] = RichRecord();
  (*original)[500].Tex = -1;
  (*original)[500].Text = "";
  (*original)[999].Enbl = true;
  (*original)[999].Name = "last one";
  *table_ = *original;

  const std::string path = PathOf("scene.3dl");
  ASSERT_EQ(SaveObjects(path, table_->data(), kObjectCapacity), 1);
  // Load into a table that differs everywhere, so every field has to be
  // replaced for the comparison to pass.
  for (SceneObject& r : *table_) r = RichRecord();
  EXPECT_EQ(LoadObjects(path, table_->data(), kObjectCapacity, slots,
                        [this](const std::string& m) { messages_.push_back(m); }),
            1000);
  EXPECT_TRUE(messages_.empty());
  for (int i = 0; i < kObjectCapacity; ++i) ExpectSameRecord((*table_)[i], (*original)[i], i);

  // Saving what was loaded writes the same bytes again.
  const std::string again = PathOf("again.3dl");
  ASSERT_EQ(SaveObjects(again, table_->data(), kObjectCapacity), 1);
  EXPECT_EQ(ReadText(again), ReadText(path));
}

TEST_F(ObjectFileTest, PrecisionIsWhatTheColumnFormatsKeep) {
  SceneObject r;
  r.X = 1.23456f;
  r.size[3] = -0.00004f;
  r.Ang[0] = 12.36f;
  r.Trans = 0.12345f;
  r.ColorTex.diff[1] = 0.6666f;
  r.ColorTex.shin = 32.6f;
  r.ColorTex.amb[3] = 0.25f;  // the fourth components are not stored
  (*table_)[3] = r;
  const std::string text = FormatObjectLine(3, r);
  (*table_)[3] = SceneObject{};
  ASSERT_EQ(Load(text), 1);
  const SceneObject& got = (*table_)[3];
  EXPECT_EQ(got.X, 1.2346f);
  EXPECT_EQ(got.size[3], 0.0f);  // written as -0.0000
  EXPECT_EQ(got.Ang[0], 12.4f);
  EXPECT_EQ(got.Trans, 0.123f);
  EXPECT_EQ(got.ColorTex.diff[1], 0.667f);
  EXPECT_EQ(got.ColorTex.shin, 33.0f);
  EXPECT_EQ(got.ColorTex.amb[3], 1.0f);
}

TEST_F(ObjectFileTest, CommentsAreSkippedAndNotCountedAsLines) {
  const std::string text = std::string(kObjectFileHeader) + Line(5, "five") + "# a note\n" +
                           FirstFields(Line(6), 40) + "#another note, with, commas\n" + Line(7, "seven");
  EXPECT_EQ(Load(text), 2);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "Too few data count. -> 40 Line: 1");
  EXPECT_EQ((*table_)[5].Name, "five");
  EXPECT_EQ((*table_)[6].Name, "OBJ006");  // the short line was dropped
  EXPECT_EQ((*table_)[7].Name, "seven");
  // A '#' that does not open a line is an ordinary character.
  EXPECT_EQ(Load(Line(8, "#8")), 1);
  EXPECT_EQ((*table_)[8].Name, "#8");
}

TEST_F(ObjectFileTest, EmptyLinesCountButSayNothing) {
  const std::string text = "\n\n" + FirstFields(Line(1), 3) + Line(2, "two");
  EXPECT_EQ(Load(text), 1);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "Too few data count. -> 3 Line: 2");
}

TEST_F(ObjectFileTest, BadRecordNumberStopsTheLoadKeepingEarlierLines) {
  const std::string text = std::string(kObjectFileHeader) + Line(1, "one") + Line(2, "two") +
                           Line(1000, "too far") + Line(3, "three");
  EXPECT_EQ(Load(text), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "Data 'No.' error. Line: 2");
  EXPECT_EQ((*table_)[1].Name, "one");
  EXPECT_EQ((*table_)[2].Name, "two");
  EXPECT_EQ((*table_)[3].Name, "OBJ003");

  messages_.clear();
  EXPECT_EQ(Load(kObjectFileHeader + Line(-1)), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "Data 'No.' error. Line: 0");

  // The limit is the size of the table handed in.
  messages_.clear();
  SceneObject small[5];
  InitializeRecords(small, 5);
  const std::string five = Line(5);
  EXPECT_EQ(ReadObjects(five.data(), five.size(), small, 5, nullptr,
                        [this](const std::string& m) { messages_.push_back(m); }),
            0);
  EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(ObjectFileTest, AnEightySeventhFieldStopsTheLoad) {
  std::string extra = Line(4, "four");
  extra.insert(extra.size() - 1, "1,");
  const std::string text = Line(3, "three") + extra + Line(5, "five");
  EXPECT_EQ(Load(text), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "Data count over. Line: 1");
  EXPECT_EQ((*table_)[3].Name, "three");
  EXPECT_EQ((*table_)[4].Name, "OBJ004");
  EXPECT_EQ((*table_)[5].Name, "OBJ005");
  // Characters after the 86th comma that are not a field are ignored.
  messages_.clear();
  std::string trailing = Line(6, "six");
  trailing.insert(trailing.size() - 1, "junk");
  EXPECT_EQ(Load(trailing), 1);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ObjectFileTest, ResolutionIsCappedAt360) {
  EXPECT_EQ(Load(Line(1, "a", 500) + Line(2, "b", 0) + Line(3, "c", 360) + Line(4, "d", -3)), 4);
  EXPECT_EQ((*table_)[1].Reso, 360);
  EXPECT_EQ((*table_)[2].Reso, 0);
  EXPECT_EQ((*table_)[3].Reso, 360);
  EXPECT_EQ((*table_)[4].Reso, -3);
}

TEST_F(ObjectFileTest, TextureReferencesOnlyReachLoadedSlots) {
  TextureSlot slots[kTextureSlotCount];
  slots[3].loaded = true;
  slots[9].loaded = true;
  const std::string text = Line(1, "a", 36, 3) + Line(2, "b", 36, 4) + Line(3, "c", 36, 9) +
                           Line(4, "d", 36, 10) + Line(5, "e", 36, -1);
  for (int i = 1; i <= 5; ++i) (*table_)[i].Tex = 7;
  EXPECT_EQ(Load(text, slots), 5);
  EXPECT_EQ((*table_)[1].Tex, 3);
  EXPECT_EQ((*table_)[2].Tex, -1);
  EXPECT_EQ((*table_)[3].Tex, 9);
  EXPECT_EQ((*table_)[4].Tex, -1);
  EXPECT_EQ((*table_)[5].Tex, -1);
  // Without slots nothing can be referred to.
  EXPECT_EQ(Load(Line(1, "a", 36, 3)), 1);
  EXPECT_EQ((*table_)[1].Tex, -1);
}

TEST_F(ObjectFileTest, OnlyTheRecordsInTheFileChange) {
  SceneObject before = (*table_)[10];
  (*table_)[11].Enbl = true;
  (*table_)[11].Name = "kept";
  EXPECT_EQ(Load(std::string(kObjectFileHeader)), 0);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ((*table_)[11].Name, "kept");

  EXPECT_EQ(Load(Line(12, "new")), 1);
  EXPECT_EQ((*table_)[12].Name, "new");
  EXPECT_EQ((*table_)[11].Name, "kept");
  EXPECT_TRUE((*table_)[11].Enbl);
  ExpectSameRecord((*table_)[10], before, 10);
}

TEST_F(ObjectFileTest, ALineOf85FieldsKeepsTheShininessBeforeIt) {
  // At the start of a file the shininess is the default.
  EXPECT_EQ(Load(FirstFields(Line(1, "a", 36, -1, 50), 85) + Line(2, "b", 36, -1, 77) +
                 FirstFields(Line(3, "c", 36, -1, 50), 85)),
            3);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ((*table_)[1].ColorTex.shin, 32.0f);
  EXPECT_EQ((*table_)[2].ColorTex.shin, 77.0f);
  EXPECT_EQ((*table_)[3].ColorTex.shin, 77.0f);
}

TEST_F(ObjectFileTest, FieldsAreReadByTheirRules) {
  std::vector<std::string> f = SplitFields(Line(20, " padded name "));
  f[3] = " 1.9";      // integer: stops at the point
  f[4] = " -2.5e1x";  // real with exponent, trailing junk ignored
  f[5] = "abc";       // not a number: 0
  f[6] = "1e";        // exponent without digits: just 1
  f[17] = " 0";       // boolean false
  f[18] = " FFFFFF";  // a leading blank does not change a colour
  f[19] = "7";        // any non-zero is true
  f[20] = "ff80";     // lower case digits
  f[23] = "70000";    // IDs keep their low 16 bits
  f[24] = "40000";
  f[25] = "-1";
  f[33] = " 123";  // Sub: whatever stands there, none is stored
  f[34] = "  two blanks";
  f[65] = "G1";  // a non-digit adds nothing but holds its place
  f[66] = "1G";
  f[67] = "F F";
  f[35] = "99999999999";  // beyond 32 bits: held at the limit
  f[36] = "-99999999999";
  f[47] = "1e39";  // beyond the float range: held at the largest float
  f[48] = "nan";
  f[49] = "inf";
  std::string text;
  for (const std::string& x : f) text += x + ",";
  text += "\n";
  ASSERT_EQ(Load(text), 1) << (messages_.empty() ? "" : messages_[0]);
  const SceneObject& r = (*table_)[20];
  EXPECT_EQ(r.Name, " padded name ");
  EXPECT_EQ(r.Shp, 1);
  EXPECT_EQ(r.X, -25.0f);
  EXPECT_EQ(r.Y, 0.0f);
  EXPECT_EQ(r.Z, 1.0f);
  EXPECT_FALSE(r.Fill);
  EXPECT_EQ(r.clFill, 0xFFFFFFu);
  EXPECT_TRUE(r.Frame);
  EXPECT_EQ(r.clFrame, 0xFF80u);
  EXPECT_EQ(r.ID[0], 4464);
  EXPECT_EQ(r.ID[1], -25536);
  EXPECT_EQ(r.ID[2], -1);
  EXPECT_EQ(r.Sub, nullptr);
  EXPECT_EQ(r.Text, " two blanks");  // only the writer's blank is dropped
  EXPECT_EQ(r.cl_sub[0], 1u);
  EXPECT_EQ(r.cl_sub[1], 16u);
  EXPECT_EQ(r.cl_sub[2], 0xF0Fu);
  EXPECT_EQ(r.Opt[0], 2147483647);
  EXPECT_EQ(r.Opt[1], -2147483647 - 1);
  EXPECT_EQ(r.size[2], 3.40282347e38f);
  EXPECT_EQ(r.size[3], 0.0f);
  EXPECT_EQ(r.size[4], 0.0f);
}

TEST_F(ObjectFileTest, CommasAndLineBreaksInStringsCannotBreakTheFile) {
  (*table_)[4].Name = "a,b";
  (*table_)[4].Text = "line one\nline, two\r";
  (*table_)[5].Name = "after";
  const std::string path = PathOf("s.3dl");
  ASSERT_EQ(SaveObjects(path, table_->data(), kObjectCapacity), 1);
  InitializeRecords(table_->data(), kObjectCapacity);
  EXPECT_EQ(LoadObjects(path, table_->data(), kObjectCapacity, nullptr, nullptr), 1000);
  EXPECT_EQ((*table_)[4].Name, "a b");
  EXPECT_EQ((*table_)[4].Text, "line one line  two ");
  EXPECT_EQ((*table_)[5].Name, "after");
}

TEST_F(ObjectFileTest, TheLongestNameAndTextSurviveARoundTrip) {
  // 255 characters is the most a field holds; the blank written before the
  // text must not cost it its last character.
  SceneObject r;
  r.Name = std::string(255, 'n');
  r.Text = std::string(255, 't');
  ASSERT_EQ(Load(FormatObjectLine(9, r)), 1);
  EXPECT_EQ((*table_)[9].Name, r.Name);
  EXPECT_EQ((*table_)[9].Text, r.Text);
  r.Text = " " + std::string(300, 'u');
  ASSERT_EQ(Load(FormatObjectLine(9, r)), 1);
  EXPECT_EQ((*table_)[9].Text, " " + std::string(254, 'u'));
}

TEST_F(ObjectFileTest, MissingOrUnreadableFilesAreReportedAsMinusOne) {
  (*table_)[0].Name = "untouched";
  EXPECT_EQ(LoadObjects(PathOf("none.3dl"), table_->data(), kObjectCapacity, nullptr,
                        [this](const std::string& m) { messages_.push_back(m); }),
            -1);
  EXPECT_EQ(LoadObjects(dir_.string(), table_->data(), kObjectCapacity, nullptr, nullptr), -1);
  EXPECT_EQ(LoadObjects("/dev/zero", table_->data(), kObjectCapacity, nullptr, nullptr), -1);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ((*table_)[0].Name, "untouched");

  EXPECT_EQ(SaveObjects(PathOf("no/such/folder/x.3dl"), table_->data(), kObjectCapacity), -1);
  EXPECT_EQ(SaveObjects(dir_.string(), table_->data(), kObjectCapacity), -1);
  EXPECT_EQ(SaveObjects(PathOf("x.3dl"), nullptr, 3), -1);
  // Nothing is left behind by the failed attempts.
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(ObjectFileTest, AFailedSaveLeavesThePreviousFileInPlace) {
  const std::string path = PathOf("keep.3dl");
  (*table_)[0].Name = "good";
  ASSERT_EQ(SaveObjects(path, table_->data(), kObjectCapacity), 1);
  const std::string good = ReadText(path);

  // A file-size limit stands in for a full disk: the writes fail part way.
  struct rlimit old {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  (*table_)[0].Name = "bad";
  const int result = SaveObjects(path, table_->data(), kObjectCapacity);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(result, -1);
  EXPECT_EQ(ReadText(path), good);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ObjectFileTest, SavingReplacesTheFileBehindALinkAndKeepsItsMode) {
  const std::string real = PathOf("real.3dl");
  const std::string link = PathOf("link.3dl");
  ASSERT_EQ(SaveObjects(real, table_->data(), 2), 1);
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  fs::create_symlink(real, link);
  ASSERT_EQ(SaveObjects(link, table_->data(), 3), 1);
  EXPECT_TRUE(fs::is_symlink(link));
  const std::string text = ReadText(real);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
  struct stat st {};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(ObjectFileTest, EndOfFileEndsTheLastLine) {
  // A complete last line without its line break is kept; a cut-off one is
  // reported like any short line.
  std::string complete = Line(1, "one");
  complete.pop_back();
  EXPECT_EQ(Load(complete), 1);
  EXPECT_EQ((*table_)[1].Name, "one");
  const std::string whole = Line(2, "two");
  EXPECT_EQ(Load(kObjectFileHeader + whole.substr(0, 100)), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].rfind("Too few data count. -> ", 0), 0u);
  EXPECT_EQ((*table_)[2].Name, "OBJ002");
  // Windows line ends load the same.
  std::string crlf = Line(3, "three");
  crlf.insert(crlf.size() - 1, "\r");
  EXPECT_EQ(Load(std::string("# header\r\n") + crlf + crlf), 2);
  EXPECT_EQ((*table_)[3].Name, "three");
}

TEST_F(ObjectFileTest, GarbageNeverOverrunsOrFloodsTheOperator) {
  // A field far longer than the buffer is cut to 255 characters.
  EXPECT_EQ(Load(Line(1, std::string(100000, 'N'))), 1);
  EXPECT_EQ((*table_)[1].Name, std::string(255, 'N'));
  // A comment line of any length is skipped.
  EXPECT_EQ(Load("#" + std::string(100000, 'x') + "\n" + Line(2, "two")), 1);
  EXPECT_EQ((*table_)[2].Name, "two");

  // Thousands of short lines raise a handful of messages, not thousands.
  messages_.clear();
  std::string junk = kObjectFileHeader;
  for (int i = 0; i < 5000; ++i) junk += "1,x,\n";
  EXPECT_EQ(Load(junk), 0);
  ASSERT_EQ(messages_.size(), static_cast<size_t>(kMaxShortLineMessages) + 1);
  EXPECT_EQ(messages_[9], "Too few data count. -> 2 Line: 9");
  EXPECT_EQ(messages_.back(), "Too few data count. -> 4990 more short lines dropped.");

  // Binary noise: whatever happens, it ends and touches only real records.
  std::string noise;
  uint32_t seed = 12345;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1103515245u + 12345u;
    noise.push_back(static_cast<char>(seed >> 24));
  }
  messages_.clear();
  const int got = Load(noise);
  EXPECT_GE(got, 0);
  EXPECT_LE(messages_.size(), static_cast<size_t>(kMaxShortLineMessages) + 1);
  EXPECT_EQ(ReadObjects(nullptr, 10, table_->data(), kObjectCapacity, nullptr, nullptr), 0);
}

TEST_F(ObjectFileTest, AFileWithoutHeaderOrRecordIsNoSceneAndSaysOnlyThat) {
  const std::string header = kObjectFileHeader, notScene = "Not a scene file";
  struct Case {
    std::string text;
    int result;
    std::vector<std::string> said;  // each message's start
  } const cases[] = {
      {"", 0, {}},
      {" \n\t\r\n", 0, {}},
      {header, 0, {}},
      {"#  No , Name\n", 0, {}},
      {"# NO,\n", 0, {notScene}},
      {"Hello world.\nNo commas here.\n", 0, {notScene}},
      {std::string(100000, 'A'), 0, {notScene}},
      {"# notes\n1,x,\n1000,y,\n", 0, {notScene}},  // its short line and bad number are not said
      {"A,B\r" + header, 0, {notScene}},
      // A record on a later line makes it a scene; what waited is said.
      {"1,x,\n" + Line(4), 1, {"Too few data count. -> 2 Line: 0"}},
      // CR ends a line as LF and CR LF do, each one line.
      {header.substr(0, header.size() - 1) + "\r1,x,\r\n\r2,y,\r" + Line(5),
       1,
       {"Too few data count. -> 2 Line: 0", "Too few data count. -> 2 Line: 2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    (*table_)[4].Name = (*table_)[5].Name = "kept";
    messages_.clear();
    bool refused = true;
    EXPECT_EQ(ReadObjects(
                  c.text.data(), c.text.size(), table_->data(), kObjectCapacity, nullptr,
                  [this](const std::string& m) { messages_.push_back(m); }, &refused),
              c.result);
    EXPECT_EQ(refused, c.said.size() == 1 && c.said[0] == notScene);
    ASSERT_EQ(messages_.size(), c.said.size());
    for (size_t i = 0; i < c.said.size(); ++i)
      EXPECT_EQ(messages_[i].rfind(c.said[i], 0), 0u) << messages_[i];
    EXPECT_EQ((*table_)[4].Name == "OBJ" || (*table_)[5].Name == "OBJ", c.result == 1);
  }
}

TEST_F(ObjectFileTest, ANumberLongerThanTheFieldBufferStopsTheLoad) {
  // Cut to the buffer, 300 zeros and a 5 would read 0, 300 blanks and a 5
  // as nothing: they are refused, not read as another number.
  for (int field : {0, 3, 4, 18, 22}) {
    std::vector<std::string> f = SplitFields(Line(7, "seven"));
    f[static_cast<size_t>(field)] = std::string(300, field == 0 ? '0' : ' ') + "5";
    std::string text = kObjectFileHeader + Line(6, "six");
    for (const std::string& x : f) text += x + ",";
    messages_.clear();
    (*table_)[0].Name = "untouched";
    EXPECT_EQ(Load(text + "\n" + Line(8)), 0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], field == 0 ? "Data 'No.' error. Line: 1"
                                       : "Data too long. Field: " + std::to_string(field) + " Line: 1");
    EXPECT_EQ((*table_)[6].Name, "six");
    EXPECT_EQ((*table_)[0].Name, "untouched");
    EXPECT_EQ((*table_)[8].Name, "OBJ008");
  }
}

TEST_F(ObjectFileTest, EncodingsAreTakenOrRefusedAlikeFromMemoryAndFromAFile) {
  const std::string body = std::string(kObjectFileHeader) + Line(3, "three");
  std::string le, be;  // UTF-16
  for (char c : body) le += std::string{c, '\0'}, be += std::string{'\0', c};
  const std::string little = "The file is UTF-16 (little-endian)", big = "The file is UTF-16 (big-endian)";
  const std::pair<std::string, std::string> cases[] = {
      {"\xEF\xBB\xBF" + body, ""}, {"\xFF\xFE" + le, little}, {"\xFE\xFF" + be, big}, {le, little}, {be, big}};
  for (const auto& [text, said] : cases) {
    for (bool fromFile : {false, true}) {
      SCOPED_TRACE(said + (fromFile ? " file" : " memory"));
      InitializeRecords(table_->data(), kObjectCapacity);
      messages_.clear();
      bool refused = false;
      const auto say = [this](const std::string& m) { messages_.push_back(m); };
      EXPECT_EQ(fromFile ? LoadObjects(WriteText("e.3dl", text), table_->data(), kObjectCapacity, nullptr, say,
                                       nullptr, &refused)
                         : ReadObjects(text.data(), text.size(), table_->data(), kObjectCapacity, nullptr, say,
                                       &refused),
                said.empty() ? 1 : 0);
      EXPECT_EQ(refused, !said.empty());
      EXPECT_EQ((*table_)[3].Name, said.empty() ? "three" : "OBJ003");
      ASSERT_EQ(messages_.size(), said.empty() ? 0u : 1u);
      for (const std::string& m : messages_) EXPECT_EQ(m.rfind(said, 0), 0u) << m;
    }
  }
}
