// The container writers and LoadDrawing, on files in a case folder of the
// test's own: what they leave on disk, what they load, what they say, and
// that no memory block or open file outlives a failure.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "include/holders.h"
#include "include/test_seams.h"
#include "report/drawing/drawing_container_face.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/drawing_text.h"
#include "runenv/run_folders_face.h"
#include "tests/common/modal_ui_double.h"
#include "tests/drawing/container_bytes.h"
#include "tests/drawing/drawing_scratch.h"

namespace {

using Names = std::vector<std::string>;

// A drawing text with every stored command: arrow, circle, line, ellipse,
// pen, move and two texts.
std::string EveryCommand() {
  return "VER 2.0\n" + CommandLine('F', 20000000) + CommandLine('M', 10000, 10000) +
         CommandLine('D', 20000, 10000) + CommandLine('C', 30000, 10000) +
         "    5000      0  90000\n" + CommandLine('E', 40000, 40000) +
         "    10000    5000  45000 180000\n" + CommandLine('A', 0, 0) +
         "    30000   40000    1000\n" + CommandLine('L', 10000) + CommandLine('S', 10000, 5000) +
         "01000 90000 3\nABC\n" + CommandLine('S') + "02000     0 4\nDEFG\n";
}

struct Loaded {
  int32_t result = 0;
  LOADED_DRAWING drawing{};
  std::vector<RecordValues> records;
  std::string raw;    // the record area's bytes
  std::string texts;  // the whole text area
  ~Loaded() {
    FreeDrawingMemory(static_cast<HGLOBAL>(drawing.records));
    FreeDrawingMemory(static_cast<HGLOBAL>(drawing.texts));
  }
};

std::unique_ptr<Loaded> Load(const std::string& path, int32_t n = 1) {
  auto l = std::make_unique<Loaded>();
  l->result = LoadDrawing(&l->drawing, path.c_str(), n);
  if (!l->drawing.records) return l;
  const LockedMemory records(static_cast<HGLOBAL>(l->drawing.records));
  const auto* r = records.as<DRAWING_RECORD>();
  for (int32_t i = 0; i < l->drawing.record_count; ++i) l->records.push_back(ValuesOf(r[i]));
  l->raw.assign(records.as<char>(), std::size_t(l->drawing.record_count) * 25);
  if (l->drawing.texts) {
    const LockedMemory texts(static_cast<HGLOBAL>(l->drawing.texts));
    l->texts.assign(texts.as<char>(), std::size_t(l->drawing.text_size));
  }
  return l;
}

class DrawingContainerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::strcpy(FOLDER_BUFFERS.case_folder, scratch_.folder().c_str());
    live_ = LiveDrawingMemory();
  }
  void TearDown() override {
    FailDrawingMemory(0);
    FailDrawingFileWrite(0);
    EXPECT_EQ(LiveDrawingMemory(), live_) << "a memory block was left behind";
    FOLDER_BUFFERS.case_folder[0] = '\0';
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    return scratch_.Write(name, bytes);
  }
  std::string Read(const std::string& name) { return ReadFileBytes(scratch_.path(name)); }
  bool Exists(const std::string& name) {
    return GetFileAttributesA(scratch_.path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  DrawingScratch scratch_;
  ModalUiDouble ui_;
  int64_t live_ = 0;
};

TEST_F(DrawingContainerTest, ConvertedDrawingLoadsAsTheBuildMadeIt) {
  const std::string text_path = Write("PLATE.DQD", EveryCommand());
  int32_t count = 0;
  int32_t text_bytes = 0;
  CountDrawingRecords(text_path.c_str(), &count, &text_bytes);
  ASSERT_EQ(count, 8);
  std::vector<DRAWING_RECORD> built(8);
  char texts[8] = {};
  float width = 0.0f;
  float height = 0.0f;
  BuildDrawingRecords(text_path.c_str(), &count, built.data(), 8, texts, sizeof texts, &width,
                      &height);

  ConvertDrawingFile("PLATE");
  EXPECT_TRUE(ui_.messages.empty());
  const std::string container = Read("PLATE.ZFD");
  ASSERT_EQ(container.size(), 104u + 8 * 25 + 7);
  EXPECT_EQ(container.substr(0, 8), std::string("ZFD2.0\0\0", 8));
  EXPECT_EQ(container[8], '\0');
  const auto loaded = Load(scratch_.path("PLATE.ZFD"));
  ASSERT_EQ(loaded->result, 1);
  EXPECT_EQ(loaded->raw, std::string(reinterpret_cast<const char*>(built.data()), 8 * 25));
  EXPECT_EQ(loaded->texts.substr(0, 7), "ABCDEFG");
  EXPECT_EQ(loaded->drawing.text_size, 7 + 10);
  EXPECT_EQ(loaded->drawing.width, int32_t(width * 1000.0));
  EXPECT_EQ(loaded->drawing.height, int32_t(height * 1000.0));
  EXPECT_EQ(scratch_.Names(), (Names{"PLATE.DQD", "PLATE.ZFD"}));
}

TEST_F(DrawingContainerTest, ANameWithItsExtensionIsTakenAsItIs) {
  Write("PLATE.DQD", CommandLine('M', 10000));
  ConvertDrawingFile("PLATE.DQD");
  EXPECT_EQ(Read("PLATE.ZFD").size(), 104u + 25);
}

// A '.' in the case folder's name does not count as the file name's extension.
TEST_F(DrawingContainerTest, AFolderWithADotStillGetsTheExtension) {
  std::filesystem::create_directory(scratch_.path("CASES.V2"));
  std::strcpy(FOLDER_BUFFERS.case_folder, (scratch_.path("CASES.V2") + "\\").c_str());
  scratch_.Write("CASES.V2\\PLATE.DQD", CommandLine('M', 10000));
  ConvertDrawingFile("PLATE");
  EXPECT_EQ(ReadFileBytes(scratch_.path("CASES.V2\\PLATE.ZFD")).size(), 104u + 25);
}

TEST_F(DrawingContainerTest, ConvertingAContainerKeepsItsFirstDrawing) {
  const std::string first = DrawingBytesOf({Record('M', 1.0f), Record('D', 2.0f)}, "XY", "OLD");
  Write("TWO.ZFD", first + DrawingBytesOf({Record('M')}, ""));
  ConvertDrawingFile("TWO.ZFD");
  EXPECT_EQ(Read("TWO.ZFD"), DrawingBytesOf({Record('M', 1.0f), Record('D', 2.0f)}, "XY", ""));
}

TEST_F(DrawingContainerTest, AppendedDrawingsLoadByNumber) {
  Write("PLATE.DQD", EveryCommand());
  Write("ARROW.DQD", CommandLine('M') + CommandLine('D', 50000, 50000));
  const std::string file(1000, 'q');
  Write("NOTES.TXT", file);
  AppendDrawingFile("PLATE.DQD", "ALL.ZFD", "Plate");
  AppendDrawingFile("ARROW.DQD", "ALL.ZFD", "Arrow");
  const std::size_t before = Read("ALL.ZFD").size();
  EXPECT_EQ(before, (104u + 8 * 25 + 7) + (104u + 2 * 25));
  AppendFileAsDrawing("NOTES.TXT", "ALL.ZFD", "Notes");
  const std::string container = Read("ALL.ZFD");
  EXPECT_EQ(container.size(), before + 1129);
  EXPECT_EQ(std::string(container.c_str() + 8), "Plate");
  EXPECT_TRUE(ui_.messages.empty());

  EXPECT_EQ(Load(scratch_.path("ALL.ZFD"), 1)->records.size(), 8u);
  const auto second = Load(scratch_.path("ALL.ZFD"), 2);
  ASSERT_EQ(second->records.size(), 2u);
  EXPECT_EQ(second->records[1].f1, 5.0f);
  EXPECT_EQ(second->drawing.texts, nullptr);
  const auto third = Load(scratch_.path("ALL.ZFD"), 3);
  ASSERT_EQ(third->result, 1);
  ASSERT_EQ(third->records.size(), 1u);
  EXPECT_EQ(third->records[0].letter, 'M');
  EXPECT_EQ(third->records[0].f1, 0.0f);
  EXPECT_EQ(third->drawing.width, 1000);
  EXPECT_EQ(third->drawing.height, 1000);
  EXPECT_EQ(third->drawing.text_size, 1010);
  EXPECT_EQ(third->texts.substr(0, 1000), file);
  // The drawing past the last loads nothing.
  EXPECT_EQ(Load(scratch_.path("ALL.ZFD"), 4)->result, 0);
}

TEST_F(DrawingContainerTest, TitlesHoldAtMostSeventyNineCharacters) {
  Write("PLATE.DQD", CommandLine('M'));
  AppendDrawingFile("PLATE.DQD", "T.ZFD", std::string(79, 'T').c_str());
  AppendDrawingFile("PLATE.DQD", "T.ZFD", std::string(120, 'U').c_str());
  const std::string container = Read("T.ZFD");
  ASSERT_EQ(container.size(), 2 * (104u + 25));
  EXPECT_EQ(container.substr(8, 80), std::string(79, 'T') + '\0');
  EXPECT_EQ(container.substr(129 + 8, 80), std::string(79, 'U') + '\0');
}

TEST_F(DrawingContainerTest, LoadingFailsQuietlyOrWithTheOpenMessage) {
  // A drawing text file that is not there, or holds no command, loads nothing.
  EXPECT_EQ(Load(scratch_.path("NONE.DQD"))->result, 0);
  EXPECT_EQ(Load(Write("EMPTY.DQD", "VER\n"))->result, 0);
  EXPECT_EQ(Load(Write("PLATE.TXT", CommandLine('M')))->result, 0);
  EXPECT_TRUE(ui_.messages.empty());
  // A container that is not there says so.
  EXPECT_EQ(Load(scratch_.path("NONE.ZFD"))->result, 0);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "Can not open file");
  EXPECT_EQ(ui_.messages[0].caption, "Open Error");
  EXPECT_EQ(ui_.messages[0].style, UINT(MB_OK | MB_ICONERROR));
  EXPECT_EQ(ui_.messages[0].owner, nullptr);
}

TEST_F(DrawingContainerTest, ALoadThatFindsNothingKeepsWhatTheDrawingHeld) {
  const auto loaded = Load(Write("PLATE.DQD", CommandLine('M')));
  ASSERT_EQ(loaded->result, 1);
  const void* records = loaded->drawing.records;
  EXPECT_EQ(LoadDrawing(&loaded->drawing, Write("EMPTY.DQD", "").c_str(), 1), 0);
  EXPECT_EQ(loaded->drawing.records, records);
}

// Extents that no 32-bit number of thousandths holds stay at its end; a NaN is 0.
TEST_F(DrawingContainerTest, ExtentsBeyondThirtyTwoBitsAreClamped) {
  Write("HUGE.ZFD", DrawingBytesOf({Record('M')}, "", "", 1e30f, -1e30f) +
                        DrawingBytesOf({Record('M')}, "", "", std::nanf(""), 2.5f));
  const auto huge = Load(scratch_.path("HUGE.ZFD"), 1);
  EXPECT_EQ(huge->drawing.width, INT32_MAX);
  EXPECT_EQ(huge->drawing.height, INT32_MIN);
  const auto nan = Load(scratch_.path("HUGE.ZFD"), 2);
  EXPECT_EQ(nan->drawing.width, 0);
  EXPECT_EQ(nan->drawing.height, 2500);
}

struct MemoryCase {
  const char* what;
  int64_t failing;  // which allocation fails
  const char* text;
  const char* caption;
};

class DrawingMemoryTest : public DrawingContainerTest,
                          public ::testing::WithParamInterface<MemoryCase> {};

// Each allocation in turn fails: the message names it, nothing is written
// and no block stays behind.
TEST_P(DrawingMemoryTest, FailedAllocationLeavesNothing) {
  const MemoryCase& c = GetParam();
  Write("PLATE.DQD", EveryCommand());
  Write("LINES.DQD", CommandLine('M') + CommandLine('D', 10000));
  Write("NOTES.TXT", "notes");
  const std::string what = c.what;
  FailDrawingMemory(c.failing);
  if (what == "convert") {
    ConvertDrawingFile("PLATE");
    EXPECT_FALSE(Exists("PLATE.ZFD"));
  } else if (what == "convert lines") {
    ConvertDrawingFile("LINES");
    EXPECT_FALSE(Exists("LINES.ZFD"));
  } else if (what == "append") {
    AppendDrawingFile("PLATE.DQD", "ALL.ZFD", "");
    EXPECT_FALSE(Exists("ALL.ZFD"));
  } else if (what == "load") {
    EXPECT_EQ(Load(scratch_.path("PLATE.DQD"))->result, 0);
  } else if (what == "wrap") {
    AppendFileAsDrawing("NOTES.TXT", "ALL.ZFD", "");
    EXPECT_FALSE(Exists("ALL.ZFD"));
    EXPECT_TRUE(DeleteFileA(scratch_.path("NOTES.TXT").c_str()));
  }
  if (c.text) {
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, c.text);
    EXPECT_EQ(ui_.messages[0].caption, c.caption);
    EXPECT_EQ(ui_.messages[0].style, UINT(MB_OK | MB_ICONERROR));
  } else {
    EXPECT_TRUE(ui_.messages.empty());
  }
}

constexpr const char* kNoMemory = "Sorry, not enough memory to open more file.";

INSTANTIATE_TEST_SUITE_P(EachAllocation, DrawingMemoryTest,
                         ::testing::Values(MemoryCase{"convert", 1, kNoMemory, "K-VME"},
                                           MemoryCase{"convert", 2, kNoMemory, "K-VEM"},
                                           MemoryCase{"convert lines", 1, kNoMemory, "K-VEM"},
                                           MemoryCase{"append", 1, kNoMemory, "K-VEM"},
                                           MemoryCase{"append", 2, kNoMemory, "K-VEM"},
                                           MemoryCase{"load", 1, kNoMemory, "Open File Error"},
                                           MemoryCase{"load", 2, kNoMemory, "Open File Error"},
                                           MemoryCase{"wrap", 1, nullptr, nullptr}));

// A write that falls short in the header, the records or the texts leaves
// every container as it was.
TEST_F(DrawingContainerTest, FailedWritesLeaveContainersAsTheyWere) {
  Write("PLATE.DQD", EveryCommand());
  Write("NOTES.TXT", "notes");
  const std::string old_plate = DrawingBytesOf({Record('M')}, "", "OLD");
  const std::string old_all = DrawingBytesOf({Record('D')}, "Z", "ALL");
  for (int64_t k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    Write("PLATE.ZFD", old_plate);
    Write("ALL.ZFD", old_all);
    ui_.messages.clear();

    FailDrawingFileWrite(k);
    ConvertDrawingFile("PLATE");
    EXPECT_EQ(Read("PLATE.ZFD"), old_plate);
    EXPECT_EQ(scratch_.Names(), (Names{"ALL.ZFD", "NOTES.TXT", "PLATE.DQD", "PLATE.ZFD"}));

    FailDrawingFileWrite(k);
    AppendDrawingFile("PLATE.DQD", "ALL.ZFD", "");
    EXPECT_EQ(Read("ALL.ZFD"), old_all);

    FailDrawingFileWrite(k);
    AppendFileAsDrawing("NOTES.TXT", "ALL.ZFD", "");
    EXPECT_EQ(Read("ALL.ZFD"), old_all);

    // A container the failed append would have made is not left behind.
    FailDrawingFileWrite(k);
    AppendFileAsDrawing("NOTES.TXT", "NEW.ZFD", "");
    EXPECT_FALSE(Exists("NEW.ZFD"));

    ASSERT_EQ(ui_.messages.size(), 2u);
    EXPECT_EQ(ui_.messages[0].text, "Can not write to file");
    EXPECT_EQ(ui_.messages[0].caption, "K-VEM");
    EXPECT_EQ(ui_.messages[1].text, "Can not write to file");
  }
}

TEST_F(DrawingContainerTest, AContainerThatCannotBeMadeSaysSo) {
  Write("PLATE.DQD", EveryCommand());
  std::filesystem::create_directory(scratch_.path("PLATE.ZFD"));
  ConvertDrawingFile("PLATE");
  AppendDrawingFile("PLATE.DQD", "NOFOLDER\\ALL.ZFD", "");
  ASSERT_EQ(ui_.texts(), (std::vector<std::string>{"Can not create file", "Can not create file"}));
  EXPECT_EQ(ui_.messages[0].caption, "K-VEM");
  EXPECT_EQ(scratch_.Names(), (Names{"PLATE.DQD", "PLATE.ZFD"}));
}

// Files of the user's beside the container, whatever their names, are
// neither taken for the conversion nor removed by it, whether it succeeds or
// a write falls short.
TEST_F(DrawingContainerTest, FilesBesideTheContainerAreLeftAlone) {
  Write("PLATE.DQD", EveryCommand());
  const std::string old_plate = DrawingBytesOf({Record('M')}, "", "OLD");
  Write("PLATE.ZFD", old_plate);
  Write("PLATE.ZFD~", "mine");
  Write("PLATE.ZFD.~1", "mine too");
  const Names all{"PLATE.DQD", "PLATE.ZFD", "PLATE.ZFD.~1", "PLATE.ZFD~"};
  for (int64_t k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    FailDrawingFileWrite(k);
    ConvertDrawingFile("PLATE");
    EXPECT_EQ(Read("PLATE.ZFD"), old_plate);
    EXPECT_EQ(Read("PLATE.ZFD~"), "mine");
    EXPECT_EQ(Read("PLATE.ZFD.~1"), "mine too");
    EXPECT_EQ(scratch_.Names(), all);
  }
  ConvertDrawingFile("PLATE");
  EXPECT_EQ(ui_.texts(), std::vector<std::string>(3, "Can not write to file"));
  EXPECT_EQ(Read("PLATE.ZFD").size(), 104u + 8 * 25 + 7);
  EXPECT_EQ(Read("PLATE.ZFD~"), "mine");
  EXPECT_EQ(Read("PLATE.ZFD.~1"), "mine too");
  EXPECT_EQ(scratch_.Names(), all);
}

// A case folder and name that do not fit one path name no file at all.
TEST_F(DrawingContainerTest, APathTooLongForItsBufferIsNotOpened) {
  Write("PLATE.DQD", EveryCommand());
  const std::string long_name(260 - scratch_.folder().size(), 'N');
  ConvertDrawingFile(long_name.c_str());
  AppendDrawingFile("PLATE.DQD", (long_name + ".ZFD").c_str(), "");
  AppendFileAsDrawing("PLATE.DQD", (long_name + ".ZFD").c_str(), "");
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch_.folder()),
                          std::filesystem::directory_iterator()),
            1);
}

// A container path of the longest the buffer holds is still written beside
// itself and replaced.
TEST_F(DrawingContainerTest, TheLongestContainerPathIsReplacedWhole) {
  const std::string name(255 - scratch_.folder().size() - 4, 'N');
  Write(name + ".DQD", EveryCommand());
  Write(name + ".ZFD", "old");
  ConvertDrawingFile(name.c_str());
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(Read(name + ".ZFD").size(), 104u + 8 * 25 + 7);
  EXPECT_EQ(scratch_.Names(), (Names{name + ".DQD", name + ".ZFD"}));
}

// A source whose bytes cannot all be read, or too large for a header's text
// count, appends nothing and is closed again.
TEST_F(DrawingContainerTest, ASourceThatCannotBeReadWholeAppendsNothing) {
  const std::string locked = Write("LOCKED.BIN", std::string(1000, 'L'));
  {
    const UniqueHandle holder(CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    ASSERT_TRUE(LockFile(holder.get(), 500, 0, 100, 0));
    AppendFileAsDrawing("LOCKED.BIN", "ALL.ZFD", "");
    EXPECT_FALSE(Exists("ALL.ZFD"));
  }
  const std::string big = scratch_.path("BIG.BIN");
  {
    const UniqueHandle holder(
        CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    LARGE_INTEGER two_gib;
    two_gib.QuadPart = int64_t{1} << 31;
    ASSERT_TRUE(SetFilePointerEx(holder.get(), two_gib, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(holder.get()));
  }
  AppendFileAsDrawing("BIG.BIN", "ALL.ZFD", "");
  EXPECT_FALSE(Exists("ALL.ZFD"));
  EXPECT_TRUE(DeleteFileA(locked.c_str()));
  EXPECT_TRUE(DeleteFileA(big.c_str()));
}

}  // namespace
