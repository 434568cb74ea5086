#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "objects/ObjectFile.h"
#include "objects/SceneView.h"

namespace {

TEST(SceneView, LineRoundTripsAtTheBarsPrecisionAndRejectsWhatItCannotMean) {
  SceneView v;
  v.angleX = 90.0f;
  v.angleZ = -359.9f;
  v.zoom = 0.35f;
  v.shiftX = -10.0f;
  v.shiftY = 0.01f;
  v.shiftZ = -0.0f;
  v.ortho = true;
  const std::string line = FormatViewLine(v);
  EXPECT_EQ(line, "#@view 90.0,-359.9,0.35,-10.00,0.01,0.00,1\n");
  SceneView back;
  ASSERT_TRUE(ParseViewLine(line, back));
  EXPECT_EQ(FormatViewLine(back), line);
  EXPECT_EQ(FormatViewLine(SceneView{}), "#@view 15.0,-30.0,-2.00,0.00,0.00,-0.40,0\n");
  // Blanks and a Windows line end are allowed.
  EXPECT_TRUE(ParseViewLine("#@view 1, 2 ,3,4,5,6,0\r\n", back));
  EXPECT_FLOAT_EQ(back.angleZ, 2.0f);

  for (const char* bad : {"#@view 1,2,3,4,5,6", "#@view 1,2,3,4,5,6,0,7", "#@view 1,2,3,4,5,6,2",
                          "#@view nan,2,3,4,5,6,0", "#@view 1,inf,3,4,5,6,0", "#@view 1,2,3,4,5,6,0 x",
                          "#@view 1,,3,4,5,6,0", "#@view 1e9,2,3,4,5,6,0", "# view 1,2,3,4,5,6,0"}) {
    SceneView untouched;
    untouched.angleX = 7.0f;
    EXPECT_FALSE(ParseViewLine(bad, untouched)) << bad;
    EXPECT_FLOAT_EQ(untouched.angleX, 7.0f) << bad;
  }
}

TEST(SceneView, OnlyTheOpeningCommentsCanCarryTheLine) {
  const std::string header = kObjectFileHeader;
  SceneView v;
  EXPECT_EQ(FindViewLine(header.data(), header.size(), v), ViewLineState::Absent);
  const std::string with = header + "#@view 20.0,10.0,-3.00,0.50,0.00,-0.40,0\n" + "0,a,0,4,\n";
  ASSERT_EQ(FindViewLine(with.data(), with.size(), v), ViewLineState::Present);
  EXPECT_FLOAT_EQ(v.shiftX, 0.5f);
  const std::string broken = header + "#@view 20.0,10.0\n";
  EXPECT_EQ(FindViewLine(broken.data(), broken.size(), v), ViewLineState::Malformed);
  // After the first record it is an ordinary comment.
  const std::string late = header + "0,a,0,4,\n#@view 20.0,10.0,-3.00,0.50,0.00,-0.40,0\n";
  EXPECT_EQ(FindViewLine(late.data(), late.size(), v), ViewLineState::Absent);
  EXPECT_EQ(ReadViewLine("/no/such/file.3dl", v), ViewLineState::Absent);
}

TEST(SceneView, TheLineSitsRightAfterTheHeaderAndTheRecordsReadTheSame) {
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  (*table)[4].Enbl = true;
  (*table)[4].X = 1.25f;
  const std::string dir = ::testing::TempDir();
  const std::string plain = dir + "/sceneview-plain.3dl", kept = dir + "/sceneview-kept.3dl";
  ASSERT_EQ(SaveObjects(plain, table->data(), kObjectCapacity), 1);
  const std::string line = FormatViewLine(SceneView{});
  ASSERT_EQ(SaveObjects(kept, table->data(), kObjectCapacity, SaveOptions{}, nullptr, line), 1);

  auto read = [](const std::string& p) {
    FILE* f = std::fopen(p.c_str(), "rb");
    std::string s;
    char buf[65536];
    size_t n;
    while (f && (n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    if (f) std::fclose(f);
    return s;
  };
  const std::string a = read(plain), b = read(kept);
  const std::string header = kObjectFileHeader;
  EXPECT_EQ(b, header + line + a.substr(header.size()));

  // The reader takes the line for a comment: the same records, no message.
  auto loaded = std::make_unique<ObjectTable>();
  InitializeRecords(loaded->data(), kObjectCapacity);
  int messages = 0;
  EXPECT_EQ(LoadObjects(kept, loaded->data(), kObjectCapacity, nullptr, [&](const std::string&) { ++messages; }),
            kObjectCapacity);
  EXPECT_EQ(messages, 0);
  // Saved again without the line: the file as before, byte for byte.
  ASSERT_EQ(SaveObjects(plain + "2", loaded->data(), kObjectCapacity), 1);
  EXPECT_EQ(read(plain + "2"), a);
  std::remove(plain.c_str());
  std::remove(kept.c_str());
  std::remove((plain + "2").c_str());
}

TEST(SceneView, EveryReaderFindsTheSameLineAndTheLoaderSaysWhenItCannotBeRead) {
  std::string header = kObjectFileHeader;
  header.pop_back();
  const std::string view = "#@view 20.0,10.0,-3.00,0.50,0.00,-0.40,0",
                    record = FormatObjectLine(0, SceneObject{});
  const struct {
    std::string text;
    ViewLineState state;
  } cases[] = {
      {"\xEF\xBB\xBF" + header + "\n" + view + "\n" + record, ViewLineState::Present},
      {header + "\r" + view + "\r" + record, ViewLineState::Present},
      {header + "\r\n" + view + "\r\n", ViewLineState::Present},
      {header + "\n\n" + view + "\n", ViewLineState::Absent},  // after the opening comments
      {header + "\r\r" + view + "\r", ViewLineState::Absent},
      {header + "\n#@view 1,2,3\n", ViewLineState::Malformed},
      {header + "\r#@view 1,2,nan,4,5,6,0\r", ViewLineState::Malformed},
      {header + "\n#@view garbage", ViewLineState::Malformed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(c.text.size() - 30));
    SceneView v;
    EXPECT_EQ(FindViewLine(c.text.data(), c.text.size(), v), c.state);
    EXPECT_FLOAT_EQ(v.shiftX, c.state == ViewLineState::Present ? 0.5f : 0.0f);
    std::vector<std::string> said;
    SceneObject one[1];
    ReadObjects(c.text.data(), c.text.size(), one, 1, nullptr, [&said](const std::string& m) { said.push_back(m); });
    EXPECT_EQ(said, c.state == ViewLineState::Malformed ? std::vector<std::string>{kViewLineError}
                                                        : std::vector<std::string>{});
  }
}

TEST(SceneView, AViewIsHeldToTheBarsAndAFarDistanceMovesOnAsShiftY) {
  EXPECT_EQ(FormatViewLine(ClampView({1e6f, -1e6f, -1e6f, 1e6f, 0.0f, -1e6f, false})),
            "#@view 90.0,-360.0,-40.00,10.00,-10.00,-10.00,0\n");
  EXPECT_EQ(FormatViewLine(ClampView({0, 0, -45.0f, 0, 2.0f, 0, false})),
            "#@view 0.0,0.0,-40.00,0.00,-3.00,0.00,0\n");
  EXPECT_EQ(FormatViewLine(ClampView({0, 0, -12.0f, 0, 0, 0, false}, kViewZoomMinAfterOrtho)),
            "#@view 0.0,0.0,-10.00,0.00,-2.00,0.00,0\n");
  EXPECT_EQ(FormatViewLine(ClampView({0, 0, 0.0f, 0, 0, 0, true})), "#@view 0.0,0.0,0.10,0.00,0.00,0.00,1\n");
  EXPECT_EQ(FormatViewLine(ClampView({0, 0, 1e6f, 0, 0, 0, true})), "#@view 0.0,0.0,5.00,0.00,0.00,0.00,1\n");
  EXPECT_EQ(FormatViewLine(ClampView({0, 0, 1e6f, 0, 0, 0, false})),
            "#@view 0.0,0.0,5.00,0.00,10.00,0.00,0\n");
}

}  // namespace
