// The container walk: finding drawing n, its counts and its bytes, and
// telling a damaged or missing drawing from a sound one.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "report/drawing/drawing_container_face.h"
#include "tests/drawing/container_bytes.h"
#include "tests/drawing/drawing_scratch.h"

namespace {

struct Counts {
  int32_t count;
  int32_t text_bytes;
  int outside;
};

Counts CountsOf(const std::string& container, int32_t n) {
  WatchedBytes bytes(container);
  Counts c{-1, -1, 0};
  ReadContainerCounts(bytes, &c.count, &c.text_bytes, n);
  c.outside = bytes.outside;
  return c;
}

// Drawing n's records read into areas of its counted size.
std::vector<RecordValues> RecordsOf(const std::string& container, int32_t n,
                                    std::string* texts = nullptr) {
  const Counts c = CountsOf(container, n);
  std::vector<DRAWING_RECORD> records(static_cast<std::size_t>(c.count));
  std::string text(static_cast<std::size_t>(c.text_bytes), '\0');
  WatchedBytes bytes(container);
  int32_t count = -1;
  float width = -1.0f;
  float height = -1.0f;
  ReadContainerDrawing(bytes, &count, records.data(), records.size(), text.data(), text.size(),
                       &width, &height, n);
  EXPECT_EQ(bytes.outside, 0);
  EXPECT_EQ(count, c.count);
  if (texts) *texts = text;
  std::vector<RecordValues> out;
  for (int32_t i = 0; i < count; ++i) out.push_back(ValuesOf(records[static_cast<std::size_t>(i)]));
  return out;
}

TEST(ContainerWalkTest, DrawingsFollowTheirPredecessorsRecordsAndTexts) {
  const std::string first =
      DrawingBytesOf({Record('M'), Record('D', 1.0f), Record('D', 2.0f)}, "0123456789");
  const std::string container = first + DrawingBytesOf({Record('M', 7.0f)}, "AB");
  MemoryDrawingBytes bytes(container);
  int64_t position = -1;
  ASSERT_EQ(SeekContainerDrawing(bytes, 2, &position), 0);
  EXPECT_EQ(position, 104 + 75 + 10);
  std::string texts;
  const auto records = RecordsOf(container, 2, &texts);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].f1, 7.0f);
  EXPECT_EQ(texts, "AB");
}

TEST(ContainerWalkTest, NumbersOutsideOneToAHundredReadTheFirst) {
  std::string container;
  for (int i = 1; i <= 100; ++i) container += DrawingBytesOf({Record('M', float(i))}, "");
  for (const auto& [n, expected] : std::vector<std::pair<int32_t, float>>{
           {0, 1.0f}, {-1, 1.0f}, {101, 1.0f}, {1, 1.0f}, {2, 2.0f}, {100, 100.0f}}) {
    const auto records = RecordsOf(container, n);
    ASSERT_EQ(records.size(), 1u) << n;
    EXPECT_EQ(records[0].f1, expected) << n;
  }
}

TEST(ContainerWalkTest, AnAllZeroHeaderIsAnEmptyDrawingSkippedByItsOwnBytes) {
  const std::string container = DrawingBytesOf({Record('M')}, "") + std::string(104, '\0') +
                                DrawingBytesOf({Record('D', 3.0f)}, "");
  EXPECT_EQ(CountsOf(container, 2).count, 0);
  const auto records = RecordsOf(container, 3);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].letter, 'D');
}

struct AbsentCase {
  const char* what;
  std::string container;
  int32_t n;
};

class AbsentDrawingTest : public ::testing::TestWithParam<AbsentCase> {};

// A drawing past the last, behind a damaged header or cut short by the file's
// end reads as absent, and nothing is read outside the file.
TEST_P(AbsentDrawingTest, ReadsNothing) {
  const AbsentCase& c = GetParam();
  const Counts counts = CountsOf(c.container, c.n);
  EXPECT_EQ(counts.count, 0);
  EXPECT_EQ(counts.text_bytes, 0);
  EXPECT_EQ(counts.outside, 0);
  DRAWING_RECORD records[4];
  char texts[16];
  int32_t count = -1;
  float width = -1.0f;
  float height = -1.0f;
  WatchedBytes bytes(c.container);
  ReadContainerDrawing(bytes, &count, records, 4, texts, sizeof texts, &width, &height, c.n);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(width, 0.0f);
  EXPECT_EQ(bytes.outside, 0);
}

DRAWING_HEADER HeaderWith(int32_t records, int32_t text_bytes) {
  return MakeDrawingHeader("", records, text_bytes, 1.0f, 1.0f);
}

const std::string kTwo = DrawingBytesOf({Record('M')}, "A") + DrawingBytesOf({Record('D')}, "B");

INSTANTIATE_TEST_SUITE_P(
    Containers, AbsentDrawingTest,
    ::testing::Values(
        AbsentCase{"past the last", kTwo, 3}, AbsentCase{"far past the last", kTwo, 50},
        AbsentCase{"empty file", "", 1}, AbsentCase{"header cut short", std::string(60, '\0'), 1},
        AbsentCase{"records cut short", kTwo.substr(0, kTwo.size() - 1), 2},
        AbsentCase{"negative records", HeaderBytes(HeaderWith(-1, 0)) + kTwo, 1},
        AbsentCase{"behind negative records", HeaderBytes(HeaderWith(-4, 200)) + kTwo, 2},
        AbsentCase{"negative texts", HeaderBytes(HeaderWith(1, -25)) + kTwo, 1},
        AbsentCase{"counts past the end", HeaderBytes(HeaderWith(INT32_MAX, INT32_MAX)), 1},
        AbsentCase{"behind counts past the end",
                   HeaderBytes(HeaderWith(INT32_MAX, INT32_MAX)) + kTwo, 2}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (ch == ' ') ch = '_';
      return name;
    });

TEST(ContainerWalkTest, ADrawingLargerThanItsAreasIsNotRead) {
  const std::string container = DrawingBytesOf({Record('M'), Record('D')}, "ABC");
  DRAWING_RECORD records[2];
  char texts[2];
  int32_t count = -1;
  float width = 0.0f;
  float height = 0.0f;
  WatchedBytes bytes(container);
  ReadContainerDrawing(bytes, &count, records, 1, texts, 3, &width, &height, 1);
  EXPECT_EQ(count, 0);
  ReadContainerDrawing(bytes, &count, records, 2, texts, 2, &width, &height, 1);
  EXPECT_EQ(count, 0);
}

TEST(ContainerWalkTest, HeaderLayout) {
  const std::string title79(79, 'T');
  DRAWING_HEADER h = MakeDrawingHeader(title79.c_str(), 3, 10, 2.5f, 4.0f);
  const std::string bytes = HeaderBytes(h);
  EXPECT_EQ(bytes.substr(0, 8), std::string("ZFD2.0\0\0", 8));
  EXPECT_EQ(bytes.substr(8, 79), title79);
  EXPECT_EQ(bytes[87], '\0');
  EXPECT_EQ(bytes.substr(88, 4), std::string("\3\0\0\0", 4));
  EXPECT_EQ(bytes.substr(92, 4), std::string("\12\0\0\0", 4));
  // A longer title is cut to 79 characters.
  h = MakeDrawingHeader(std::string(100, 'L').c_str(), 0, 0, 0.0f, 0.0f);
  EXPECT_EQ(std::string(h.title), std::string(79, 'L'));
}

TEST(ContainerWalkTest, KindFromTheLastExtension) {
  EXPECT_EQ(KindOfDrawingFile("C:\\CASE\\PLATE.DQD"), DrawingFileKind::text);
  EXPECT_EQ(KindOfDrawingFile("plate.zfd"), DrawingFileKind::container);
  EXPECT_EQ(KindOfDrawingFile("PLATE.DQDX"), DrawingFileKind::text);
  EXPECT_EQ(KindOfDrawingFile("PLATE.ZF"), DrawingFileKind::none);
  EXPECT_EQ(KindOfDrawingFile("PLATE"), DrawingFileKind::none);
  EXPECT_EQ(KindOfDrawingFile("C:\\CASES.V2\\PLATE"), DrawingFileKind::none);
  EXPECT_EQ(KindOfDrawingFile(nullptr), DrawingFileKind::none);
}

TEST(ContainerWalkTest, FileBytesReadAsMemoryBytes) {
  DrawingScratch scratch;
  const std::string container = kTwo;
  const std::string path = scratch.Write("TWO.ZFD", container);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  FileDrawingBytes bytes(file);
  EXPECT_EQ(bytes.Size(), int64_t(container.size()));
  int32_t count = 0;
  int32_t text_bytes = 0;
  ReadContainerCounts(bytes, &count, &text_bytes, 2);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(text_bytes, 1);
  char past[2];
  EXPECT_FALSE(bytes.ReadAt(int64_t(container.size()) - 1, past, 2));
  std::fclose(file);
}

}  // namespace
