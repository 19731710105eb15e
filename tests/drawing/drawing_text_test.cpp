// Drawing text files: the column reader, the line reader and the two passes.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "report/drawing/drawing_text.h"
#include "tests/drawing/drawing_scratch.h"

namespace {

struct Built {
  int32_t counted = -1;
  int32_t counted_text = -1;
  int32_t count = -1;
  std::vector<RecordValues> records;
  std::vector<DRAWING_RECORD> raw;
  std::string texts;
  float width = -1.0f;
  float height = -1.0f;
};

// Both passes over a drawing text file, the build into areas of exactly the
// size the count gives.
Built BuildFile(const std::string& path) {
  Built b;
  CountDrawingRecords(path.c_str(), &b.counted, &b.counted_text);
  const auto records = std::make_unique<DRAWING_RECORD[]>(static_cast<std::size_t>(b.counted));
  const auto texts = std::make_unique<char[]>(static_cast<std::size_t>(b.counted_text) + 1);
  BuildDrawingRecords(path.c_str(), &b.count, records.get(), static_cast<std::size_t>(b.counted),
                      texts.get(), static_cast<std::size_t>(b.counted_text) + 1, &b.width,
                      &b.height);
  b.raw.assign(records.get(), records.get() + b.count);
  for (const DRAWING_RECORD& r : b.raw) b.records.push_back(ValuesOf(r));
  b.texts.assign(texts.get(), static_cast<std::size_t>(b.counted_text));
  return b;
}

class DrawingTextTest : public ::testing::Test {
 protected:
  Built Build(const std::string& text) { return BuildFile(scratch_.Write("PLATE.DQD", text)); }
  DrawingScratch scratch_;
};

TEST(DrawingFieldsTest, TemplatesReadTextsNumbersAndSkips) {
  char letter[2] = {};
  float x = 0.0f;
  float y = 0.0f;
  int32_t n = 0;
  ParseDrawingFields("M   12500  -20000 7", "A01F84F84I02", letter, &x, &y, &n);
  EXPECT_STREQ(letter, "M");
  EXPECT_FLOAT_EQ(x, 1.25f);
  EXPECT_FLOAT_EQ(y, -2.0f);
  EXPECT_EQ(n, 7);
  // A number is never written with a point: the reading stops there.
  ParseDrawingFields("X  1.2500", "X01F84", &x);
  EXPECT_FLOAT_EQ(x, 0.0001f);
  // A code of another letter takes no column and no destination.
  char second[2] = {};
  ParseDrawingFields("AB", "Z99A01A01", letter, second);
  EXPECT_STREQ(letter, "A");
  EXPECT_STREQ(second, "B");
}

TEST(DrawingFieldsTest, ColumnsPastTheLineEndAreBlank) {
  // The buffer still holds an earlier, longer line's bytes past the break.
  char line[64];
  std::strcpy(line, "M 1000000 2000000 0\n");
  std::memcpy(line, "D\n", 2);
  float x = -1.0f;
  float y = -1.0f;
  char letter[2] = {};
  ParseDrawingFields(line, "A01F84F84I02", letter, &x, &y);
  EXPECT_STREQ(letter, "D");
  EXPECT_EQ(x, 0.0f);
  EXPECT_EQ(y, 0.0f);
  char text[9];
  ParseDrawingFields("AB\r\n", "A08", text);
  EXPECT_STREQ(text, "AB      ");
}

TEST_F(DrawingTextTest, VersionLineThenMove) {
  const Built b = Build("VER 2.0\n" + CommandLine('M', 1000000, 2000000));
  ASSERT_EQ(b.count, 1);
  EXPECT_EQ(b.records[0].letter, 'M');
  EXPECT_EQ(b.records[0].f1, 100.0f);
  EXPECT_EQ(b.records[0].f2, 200.0f);
  EXPECT_EQ(b.width, 100.0f);
  EXPECT_EQ(b.height, 200.0f);
}

TEST_F(DrawingTextTest, AnyOtherFirstLineIsACommand) {
  const Built b = Build(CommandLine('D', 10000, 20000) + CommandLine('M', 30000, 0));
  ASSERT_EQ(b.count, 2);
  EXPECT_EQ(b.records[0].letter, 'D');
  EXPECT_EQ(b.records[1].letter, 'M');
}

TEST_F(DrawingTextTest, ScaleAndOriginMapLaterPoints) {
  Built b = Build(CommandLine('F', 20000000) + CommandLine('D', 1000000, 1000000));
  ASSERT_EQ(b.count, 1);
  EXPECT_EQ(b.records[0].letter, 'D');
  EXPECT_EQ(b.records[0].f1, 200.0f);
  EXPECT_EQ(b.records[0].f2, 200.0f);

  b = Build(CommandLine('O', 1000000) + CommandLine('O', 1000000) + CommandLine('M'));
  ASSERT_EQ(b.count, 1);
  EXPECT_EQ(b.records[0].f1, 200.0f);
  EXPECT_EQ(b.records[0].f2, 0.0f);
}

TEST_F(DrawingTextTest, CircleCentreFromTheStartPointOrGivenByANegativeRadius) {
  // Radius 5, start 0, sweep 90: the point lies on the circle.
  Built b = Build(CommandLine('C', 100000, 0) + "   50000      0  90000\n");
  ASSERT_EQ(b.count, 1);
  EXPECT_EQ(b.records[0].f1, 5.0f);
  EXPECT_EQ(b.records[0].f2, 0.0f);
  EXPECT_EQ(b.records[0].f3, 5.0f);
  EXPECT_EQ(b.records[0].f5, 90.0f);
  EXPECT_EQ(b.width, 10.0f);
  EXPECT_EQ(b.height, 5.0f);

  b = Build(CommandLine('C', 100000, 0) + "  -50000      0 360000\n");
  ASSERT_EQ(b.count, 1);
  EXPECT_EQ(b.records[0].f1, 10.0f);
  EXPECT_EQ(b.records[0].f2, 0.0f);
  EXPECT_EQ(b.records[0].f3, 5.0f);
  EXPECT_EQ(b.width, 15.0f);
}

TEST_F(DrawingTextTest, EllipseArrowAndPenRecords) {
  const Built b = Build(CommandLine('F', 20000000) + CommandLine('E', 100000, 100000) +
                        "    10000   20000      0  90000\n" + CommandLine('A', 0, 0) +
                        "    30000   40000    5000\n" + CommandLine('L', 17000, 5000));
  ASSERT_EQ(b.count, 3);
  const RecordValues& e = b.records[0];
  EXPECT_EQ(e.letter, 'E');
  EXPECT_EQ(e.f1, 20.0f);
  EXPECT_EQ(e.f3, 2.0f);
  EXPECT_EQ(e.f4, 4.0f);
  EXPECT_EQ(e.f6, 90.0f);
  const RecordValues& a = b.records[1];
  EXPECT_EQ(a.letter, 'A');
  EXPECT_EQ(a.f3, 6.0f);
  EXPECT_EQ(a.f4, 8.0f);
  EXPECT_EQ(a.f5, 1.0f);
  // Pens read their numbers unscaled.
  EXPECT_EQ(b.records[2].f1, 1.7f);
  EXPECT_EQ(b.records[2].f2, 0.5f);
  EXPECT_EQ(b.width, 22.0f);
  EXPECT_EQ(b.height, 24.0f);
}

TEST_F(DrawingTextTest, TextsFollowEachOtherInTheTextArea) {
  const Built b = Build(CommandLine('S', 10000, 20000) + "01000 90000 3\nABC\n" + CommandLine('S') +
                        "01000     0 4\nDEFG\n" + CommandLine('S') + "01000     0 0\nignored\n");
  EXPECT_EQ(b.counted, 3);
  EXPECT_EQ(b.counted_text, 7);
  ASSERT_EQ(b.count, 3);
  EXPECT_EQ(b.texts, "ABCDEFG");
  EXPECT_EQ(b.records[0].f6, 0.0f);
  EXPECT_EQ(b.records[0].f5, 3.0f);
  EXPECT_EQ(b.records[0].f4, 90.0f);
  EXPECT_EQ(b.records[1].f6, 3.0f);
  EXPECT_EQ(b.records[2].f6, 7.0f);
  EXPECT_EQ(b.records[2].f5, 0.0f);
  // The height field 01000 is 0.1, stored as 0.1 times 1.45.
  EXPECT_EQ(b.records[0].f3, 0.145f);
  EXPECT_EQ(b.height, 2.0f + 0.145f);
}

TEST_F(DrawingTextTest, TextCountsOutsideTheFieldAreClamped) {
  // The count field reads -5 and 99; a text holds 0 to 84 characters.
  const std::string long_text(90, 'Z');
  const Built b = Build(CommandLine('S') + "01000     0-5\nABC\n" + CommandLine('S') +
                        "01000     099\n" + long_text + "\n" + CommandLine('M', 10000));
  EXPECT_EQ(b.counted, 3);
  EXPECT_EQ(b.counted_text, DRAWING_TEXT_LENGTH);
  ASSERT_EQ(b.count, 3);
  EXPECT_EQ(b.records[0].f5, 0.0f);
  EXPECT_EQ(b.records[1].f5, 84.0f);
  EXPECT_EQ(b.texts, std::string(84, 'Z'));
  EXPECT_EQ(b.records[2].letter, 'M');
}

TEST_F(DrawingTextTest, ShortTextLineReadsBlanks) {
  const Built b = Build(CommandLine('S') + "01000     0 4\nAB\n");
  ASSERT_EQ(b.count, 1);
  EXPECT_EQ(b.texts, "AB  ");
}

TEST_F(DrawingTextTest, EndLineStopsReading) {
  const Built b = Build(CommandLine('M', 10000) + CommandLine('T') + CommandLine('D', 50000));
  EXPECT_EQ(b.counted, 1);
  ASSERT_EQ(b.count, 1);
  EXPECT_EQ(b.width, 1.0f);
}

TEST_F(DrawingTextTest, VLinesConsumeADataLineOnlyForThreeAndFour) {
  Built b = Build(CommandLine('V', 30000) + CommandLine('D', 10000) + CommandLine('M'));
  ASSERT_EQ(b.count, 1);
  EXPECT_EQ(b.records[0].letter, 'M');
  b = Build(CommandLine('V', 50000) + CommandLine('D', 10000) + CommandLine('M'));
  EXPECT_EQ(b.count, 2);
}

TEST_F(DrawingTextTest, NoCommandLinesNoRecords) {
  Built b = Build("VER\n");
  EXPECT_EQ(b.counted, 0);
  EXPECT_EQ(b.count, 0);
  EXPECT_EQ(b.width, 0.0f);
  b = BuildFile(scratch_.path("ABSENT.DQD"));
  EXPECT_EQ(b.counted, 0);
  EXPECT_EQ(b.count, 0);
}

// A command whose data or text line is missing at the end of the file ends
// the drawing without being stored, in both passes, and nothing reads the
// file again from its start.
TEST_F(DrawingTextTest, CommandCutAtTheEndIsDropped) {
  for (const std::string& cut : {CommandLine('C', 10000), CommandLine('S'),
                                 CommandLine('S') + "01000     0 3\n", CommandLine('V', 40000)}) {
    const Built b = Build(CommandLine('M', 10000) + cut);
    EXPECT_EQ(b.counted, 1) << cut;
    EXPECT_EQ(b.counted_text, 0) << cut;
    ASSERT_EQ(b.count, 1) << cut;
    EXPECT_EQ(b.records[0].letter, 'M');
  }
}

// A text of no characters in a drawing without any text area.
TEST_F(DrawingTextTest, EmptyTextNeedsNoTextArea) {
  const std::string path = scratch_.Write("PLATE.DQD", CommandLine('S') + "01000     0 0\n\n");
  int32_t count = 0;
  DRAWING_RECORD record{};
  float width = 0.0f;
  float height = 0.0f;
  BuildDrawingRecords(path.c_str(), &count, &record, 1, nullptr, 0, &width, &height);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(ValuesOf(record).letter, 'S');
}

// Areas smaller than the drawing take what fits and no byte more.
TEST_F(DrawingTextTest, BuildKeepsInsideTheAreasItIsGiven) {
  const std::string path =
      scratch_.Write("PLATE.DQD", CommandLine('M') + CommandLine('S') + "01000     0 5\nHELLO\n" +
                                      CommandLine('D', 10000));
  int32_t count = 0;
  const auto record = std::make_unique<DRAWING_RECORD[]>(1);
  const auto text = std::make_unique<char[]>(3);
  float width = 0.0f;
  float height = 0.0f;
  BuildDrawingRecords(path.c_str(), &count, record.get(), 1, text.get(), 3, &width, &height);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(ValuesOf(record[0]).letter, 'M');
  EXPECT_EQ(std::string(text.get(), 3), "HEL");
  EXPECT_EQ(width, 1.0f);
}

TEST_F(DrawingTextTest, MemoryLinesReadAsTheFileDoes) {
  const std::string text = "VER\n" + CommandLine('M', 10000) + std::string(300, 'D') + "\n" +
                           CommandLine('S') + "01000     0 2\nAB";
  const Built from_file = Build(text);
  DrawingTextLines count_lines(text);
  int32_t count = 0;
  int32_t text_bytes = 0;
  CountDrawingRecords(count_lines, &count, &text_bytes);
  EXPECT_EQ(count, from_file.counted);
  EXPECT_EQ(text_bytes, from_file.counted_text);
  // The 300-character line reads as two lines of D.
  EXPECT_EQ(count, 4);
  DrawingTextLines build_lines(text);
  std::vector<DRAWING_RECORD> records(4);
  char texts[3] = {};
  float width = 0.0f;
  float height = 0.0f;
  BuildDrawingRecords(build_lines, &count, records.data(), records.size(), texts, sizeof texts,
                      &width, &height);
  ASSERT_EQ(count, 4);
  EXPECT_EQ(std::memcmp(records.data(), from_file.raw.data(), 4 * sizeof(DRAWING_RECORD)), 0);
  EXPECT_STREQ(texts, "AB");
}

TEST_F(DrawingTextTest, LineReaderOpensAnotherPathAfresh) {
  const std::string a = scratch_.Write("A.DQD", "A1\nA2\n");
  const std::string b = scratch_.Write("B.DQD", "B1\n");
  char line[DRAWING_LINE_SIZE];
  ASSERT_EQ(ReadDrawingLine(line, a.c_str(), 0), 1);
  EXPECT_STREQ(line, "A1\n");
  ASSERT_EQ(ReadDrawingLine(line, b.c_str(), 0), 1);
  EXPECT_STREQ(line, "B1\n");
  // The first file was closed when the second was opened.
  EXPECT_EQ(std::remove(a.c_str()), 0);
  EXPECT_EQ(ReadDrawingLine(line, b.c_str(), 0), 0);
  EXPECT_EQ(DRAWING_LINE_READER.file, nullptr);
  ReadDrawingLine(line, b.c_str(), 1);
  EXPECT_EQ(ReadDrawingLine(line, (std::string(300, 'P') + ".DQD").c_str(), 0), 0);
}

TEST(ArcExtentTest, WalksTheSweepInWholeDegrees) {
  float x = 0.0f;
  float y = 0.0f;
  // A quarter ellipse from 90 to 180 degrees never reaches the right side.
  const DRAWING_RECORD e{'E', 10.0f, 20.0f, 4.0f, 2.0f, 90.7f, 90.9f};
  GetArcExtent(&x, &y, &e);
  EXPECT_NEAR(x, 10.0f, 1e-4);
  EXPECT_NEAR(y, 22.0f, 1e-4);
  // A negative sweep walks clockwise: from 90 down to 0.
  const DRAWING_RECORD c{'C', 0.0f, 0.0f, 3.0f, 90.0f, -90.0f, 0.0f};
  GetArcExtent(&x, &y, &c);
  EXPECT_NEAR(x, 3.0f, 1e-4);
  EXPECT_NEAR(y, 3.0f, 1e-4);
}

}  // namespace
