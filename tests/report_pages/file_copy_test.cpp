#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "include/test_seams.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/pages/report_file_face.h"
#include "tests/common/longest_path.h"
#include "tests/common/modal_ui_double.h"
#include "tests/common/scratch_folder.h"

namespace {

// Bytes that show any block cut or shifted: each position's own pattern.
std::string Patterned(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

class FileCopy : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return folder_ / name; }
  int32_t Copy(const char* source, const char* target, int32_t mode) {
    return CopyFileContents(Path(source).c_str(), Path(target).c_str(), mode);
  }
  ScratchFolder folder_;
  ModalUiDouble ui_;
};

TEST_F(FileCopy, LargeSourcesArriveIntactInEveryMode) {
  const std::string source = Patterned(2 * COPY_BLOCK_SIZE + 17);
  WriteBytes(Path("S.ZFD"), source);
  WriteBytes(Path("T1.ZFD"), "old");
  WriteBytes(Path("T2.ZFD"), "old");
  EXPECT_EQ(Copy("S.ZFD", "T1.ZFD", 1), 0);
  EXPECT_EQ(Copy("S.ZFD", "T2.ZFD", 2), 0);
  EXPECT_EQ(Copy("S.ZFD", "T3.ZFD", 3), 0);
  EXPECT_EQ(ReadBytes(Path("T1.ZFD")), source);
  EXPECT_EQ(ReadBytes(Path("T2.ZFD")), "old" + source);
  EXPECT_EQ(ReadBytes(Path("T3.ZFD")), source);
  EXPECT_FALSE(Exists(Path("T1.ZFD.~1")));
  EXPECT_TRUE(ui_.messages.empty());
}

// A copy over a file at the longest path a file may have is written beside
// it and takes its place.
TEST_F(FileCopy, ACopyOverATargetAtTheLongestPathReplacesIt) {
  const std::string target = longest_path::LongestPathFor(folder_ / "LONG", "T.DQO");
  ASSERT_FALSE(target.empty());
  WriteBytes(Path("S.DQO"), "the copied report");
  WriteBytes(target, "old");
  EXPECT_EQ(CopyFileContents(Path("S.DQO").c_str(), target.c_str(), 1), 0);
  EXPECT_EQ(ReadBytes(target), "the copied report");
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(FileCopy, AMissingDrawingBecomesAnEmptyHeaderInModeThree) {
  WriteBytes(Path("RUN.ZFD"), "first");
  EXPECT_EQ(Copy("MISSING.ZFD", "RUN.ZFD", 3), 0);
  EXPECT_EQ(CopyFileContents(nullptr, Path("RUN.ZFD").c_str(), 3), 0);
  EXPECT_EQ(ReadBytes(Path("RUN.ZFD")), "first" + std::string(2 * 104, '\0'));
  // Modes 1 and 2 need their source.
  EXPECT_EQ(Copy("MISSING.ZFD", "NEW.ZFD", 1), -1);
  EXPECT_EQ(Copy("MISSING.ZFD", "NEW.ZFD", 2), -1);
  EXPECT_EQ(CopyFileContents(nullptr, Path("NEW.ZFD").c_str(), 2), -1);
  EXPECT_FALSE(Exists(Path("NEW.ZFD")));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(FileCopy, AnEmptySourceCreatesOrKeepsTheTarget) {
  WriteBytes(Path("EMPTY"), "");
  WriteBytes(Path("KEPT"), "kept");
  WriteBytes(Path("REPLACED"), "replaced");
  EXPECT_EQ(Copy("EMPTY", "KEPT", 2), 0);
  EXPECT_EQ(Copy("EMPTY", "CREATED", 3), 0);
  EXPECT_EQ(Copy("EMPTY", "REPLACED", 1), 0);
  EXPECT_EQ(ReadBytes(Path("KEPT")), "kept");
  EXPECT_TRUE(Exists(Path("CREATED")));
  EXPECT_EQ(ReadBytes(Path("CREATED")), "");
  EXPECT_EQ(ReadBytes(Path("REPLACED")), "");  // a copy of the empty source
}

TEST_F(FileCopy, AFileCopiedOntoItselfIsLeftAlone) {
  WriteBytes(Path("SAME"), "same");
  EXPECT_EQ(Copy("SAME", "SAME", 1), 0);
  EXPECT_EQ(CopyFileContents(Path("SAME").c_str(), (folder_.path() + ".\\same").c_str(), 1), 0);
  EXPECT_EQ(ReadBytes(Path("SAME")), "same");
  // Appended to itself, it doubles once and ends.
  EXPECT_EQ(Copy("SAME", "SAME", 2), 0);
  EXPECT_EQ(ReadBytes(Path("SAME")), "samesame");
  EXPECT_TRUE(IsSameFile(Path("SAME").c_str(), (folder_.path() + "same").c_str()));
  EXPECT_FALSE(IsSameFile(Path("SAME").c_str(), Path("OTHER").c_str()));
}

TEST_F(FileCopy, ATargetThatCannotBeOpenedIsReportedAndKept) {
  WriteBytes(Path("S"), "new contents");
  WriteBytes(Path("HELD"), "held");
  ASSERT_TRUE(CreateDirectoryA(Path("FOLDER").c_str(), nullptr));
  {
    // Another program holds the target without sharing it.
    const HANDLE held = CreateFileA(Path("HELD").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Copy("S", "HELD", 1), -1);
    EXPECT_EQ(Copy("S", "HELD", 2), -1);
    CloseHandle(held);
  }
  EXPECT_EQ(Copy("S", "FOLDER", 1), -1);
  EXPECT_EQ(Copy("S", "NO\\FOLDER", 3), -1);
  EXPECT_EQ(ReadBytes(Path("HELD")), "held");
  EXPECT_FALSE(Exists(Path("HELD.~1")));
  EXPECT_FALSE(Exists(Path("FOLDER.~1")));
  ASSERT_EQ(ui_.messages.size(), 4u);
  for (const auto& m : ui_.messages) {
    EXPECT_EQ(m.text, "Can not copy file");
    EXPECT_EQ(m.caption, "K-VEM");
    EXPECT_EQ(m.style & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(m.owner, nullptr);
  }
}

// A target that takes writing but cannot be replaced (held open without
// sharing its deletion) keeps its contents, and the copy made beside it goes.
TEST_F(FileCopy, ACopyThatCannotTakeTheTargetsPlaceLeavesTheTarget) {
  WriteBytes(Path("S"), "new contents");
  WriteBytes(Path("T"), "old contents");
  const HANDLE held =
      CreateFileA(Path("T").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Copy("S", "T", 1), -1);
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(Path("T")), "old contents");
  EXPECT_FALSE(Exists(Path("T.~1")));
  EXPECT_EQ(Copy("S", "T", 1), 0);
  EXPECT_EQ(ReadBytes(Path("T")), "new contents");
}

// A write that fails partway (the disk full after the first block) leaves
// the target as it was in mode 1; an append says so and keeps what went.
TEST_F(FileCopy, AWriteThatFailsPartwayIsReportedAndMode1KeepsTheTarget) {
  const std::string source = Patterned(2 * COPY_BLOCK_SIZE + 5);
  WriteBytes(Path("S.ZFD"), source);
  WriteBytes(Path("T.ZFD"), "old");
  FailDrawingFileWrite(2);
  EXPECT_EQ(Copy("S.ZFD", "T.ZFD", 1), -1);
  EXPECT_EQ(ReadBytes(Path("T.ZFD")), "old");
  EXPECT_FALSE(Exists(Path("T.ZFD.~1")));
  FailDrawingFileWrite(2);
  EXPECT_EQ(Copy("S.ZFD", "T.ZFD", 2), -1);
  EXPECT_EQ(ReadBytes(Path("T.ZFD")), "old" + source.substr(0, COPY_BLOCK_SIZE));
  FailDrawingFileWrite(0);
  EXPECT_EQ(Copy("S.ZFD", "T.ZFD", 1), 0);
  EXPECT_EQ(ReadBytes(Path("T.ZFD")), source);
}

TEST_F(FileCopy, AnUnknownModeCopiesNothing) {
  WriteBytes(Path("S"), "source");
  for (int32_t mode : {0, 4, -1}) EXPECT_EQ(Copy("S", "T", mode), -1) << mode;
  EXPECT_EQ(CopyFileContents(Path("S").c_str(), nullptr, 1), -1);
  EXPECT_FALSE(Exists(Path("T")));
  EXPECT_TRUE(ui_.messages.empty());
}

}  // namespace
