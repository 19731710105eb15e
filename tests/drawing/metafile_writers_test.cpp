// Metafiles written to files, and drawings rendered into placeable metafiles.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "include/test_seams.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/metafiles_face.h"
#include "report/drawing/pictures_face.h"
#include "runenv/run_folders_face.h"
#include "tests/common/longest_path.h"
#include "tests/common/metafile_records.h"
#include "tests/common/modal_ui_double.h"
#include "tests/drawing/drawing_scratch.h"
#include "tests/drawing/picture_files.h"

namespace {

std::string Hex(const std::string& bytes) {
  std::string out;
  char two[4];
  for (unsigned char c : bytes) {
    std::snprintf(two, sizeof two, "%02x ", c);
    out += two;
  }
  return out;
}

class MetafileWritersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::strcpy(FOLDER_BUFFERS.case_folder, scratch_.folder().c_str());
    live_ = LiveDrawingMemory();
    const std::string bits = LineMetafileBits(0, 0, 10, 10);
    metafile_ = SetMetaFileBitsEx(UINT(bits.size()), reinterpret_cast<const BYTE*>(bits.data()));
  }
  void TearDown() override {
    DeleteMetaFile(metafile_);
    FailDrawingMemory(0);
    FailDrawingFileWrite(0);
    FreeDrawingMemory(METAFILE_BITS);
    METAFILE_BITS = nullptr;
    FOLDER_BUFFERS.case_folder[0] = '\0';
    EXPECT_EQ(LiveDrawingMemory(), live_);
  }
  bool Exists(const std::string& name) {
    return GetFileAttributesA(scratch_.path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  DrawingScratch scratch_;
  ModalUiDouble ui_;
  HMETAFILE metafile_ = nullptr;
  int64_t live_ = 0;
};

// M (0, 0), D (2, 2): 9800 units across from x 80, the top at y 0.
TEST_F(MetafileWritersTest, ADrawingRendersIntoAPlaceableMetafile) {
  scratch_.Write("PLATE.DQD", CommandLine('M') + CommandLine('D', 20000, 20000));
  RenderDrawingMetafile("PLATE.DQD", "PLATE.WMF", 1000, 1000);
  const std::string file = ReadFileBytes(scratch_.path("PLATE.WMF"));
  ASSERT_GT(file.size(), 22u);
  EXPECT_EQ(Hex(file.substr(0, 22)),
            "d7 cd c6 9a 00 00 00 00 00 00 48 26 24 13 e8 03 00 00 00 00 95 61 ");
  const auto records =
      ReadWmfRecords(reinterpret_cast<const unsigned char*>(file.data()) + 22, file.size() - 22);
  bool moved = false;
  bool drawn = false;
  for (const WmfRecord& r : records) {
    if (r.function == META_MOVETO && r.params == std::vector<WORD>{9800, 80}) moved = true;
    if (r.function == META_LINETO && r.params == std::vector<WORD>{0, 9880}) drawn = true;
  }
  EXPECT_TRUE(moved);
  EXPECT_TRUE(drawn);
  // It reads back as a placeable picture.
  PICTURE_RECORD picture{};
  ASSERT_EQ(LoadPictureFile(&picture, scratch_.path("PLATE.WMF").c_str(), 1), 1);
  EXPECT_EQ(picture.kind, PICTURE_PLACEABLE_METAFILE);
  FreePicture(&picture);
  EXPECT_TRUE(ui_.messages.empty());
}

// A drawing without width or height, one too tall for the box's 16 bits, or
// none at all renders no file.
TEST_F(MetafileWritersTest, DrawingsThatCannotBeRenderedMakeNoFile) {
  scratch_.Write("FLAT.DQD", CommandLine('M') + CommandLine('D', 20000, 0));
  scratch_.Write("THIN.DQD", CommandLine('M') + CommandLine('D', 0, 20000));
  scratch_.Write("TALL.DQD", CommandLine('M') + CommandLine('D', 10000, 50000));
  RenderDrawingMetafile("FLAT.DQD", "FLAT.WMF", 1000, 1000);
  RenderDrawingMetafile("THIN.DQD", "THIN.WMF", 1000, 1000);
  RenderDrawingMetafile("TALL.DQD", "TALL.WMF", 1000, 1000);
  RenderDrawingMetafile("NONE.DQD", "NONE.WMF", 1000, 1000);
  EXPECT_FALSE(Exists("FLAT.WMF"));
  EXPECT_FALSE(Exists("THIN.WMF"));
  EXPECT_FALSE(Exists("TALL.WMF"));
  EXPECT_FALSE(Exists("NONE.WMF"));
}

TEST_F(MetafileWritersTest, MetafilesWithAndWithoutTheHeader) {
  const UINT size = GetMetaFileBitsEx(metafile_, 0, nullptr);
  std::string bits(size, '\0');
  GetMetaFileBitsEx(metafile_, size, bits.data());
  ASSERT_EQ(WriteMetafile(metafile_, scratch_.path("PLAIN.WMF").c_str()), 1);
  EXPECT_EQ(ReadFileBytes(scratch_.path("PLAIN.WMF")), bits);
  ASSERT_EQ(
      WritePlaceableMetafile(metafile_, scratch_.path("BOX.WMF").c_str(), RECT{0, 0, 9800, 4900}),
      1);
  EXPECT_EQ(ReadFileBytes(scratch_.path("BOX.WMF")), PlaceableFront(0, 0, 9800, 4900) + bits);
}

TEST_F(MetafileWritersTest, ABoxBeyondSixteenBitsWritesNothing) {
  scratch_.Write("OLD.WMF", "old");
  EXPECT_EQ(
      WritePlaceableMetafile(metafile_, scratch_.path("OLD.WMF").c_str(), RECT{0, 0, 9800, 40000}),
      0);
  EXPECT_EQ(ReadFileBytes(scratch_.path("OLD.WMF")), "old");
}

// No memory, or a write that falls short (the header, then the bits): 0, and
// neither a block nor a part-written file stays behind.
TEST_F(MetafileWritersTest, FailuresLeaveNoFileAndNoBlock) {
  FailDrawingMemory(1);
  EXPECT_EQ(WritePlaceableMetafile(metafile_, scratch_.path("A.WMF").c_str(), RECT{0, 0, 5, 5}), 0);
  EXPECT_FALSE(Exists("A.WMF"));
  for (int64_t k = 1; k <= 2; ++k) {
    FailDrawingFileWrite(k);
    EXPECT_EQ(WritePlaceableMetafile(metafile_, scratch_.path("B.WMF").c_str(), RECT{0, 0, 5, 5}),
              0);
    EXPECT_FALSE(Exists("B.WMF")) << k;
  }
  FailDrawingFileWrite(1);
  EXPECT_EQ(WriteMetafile(metafile_, scratch_.path("C.WMF").c_str()), 0);
  EXPECT_FALSE(Exists("C.WMF"));
  EXPECT_TRUE(scratch_.Names().empty());
}

using Names = std::vector<std::string>;

// A write that falls short, in the header or in the bits, answers 0 and
// leaves the file that was there as it was, and nothing beside it.
TEST_F(MetafileWritersTest, AFailedWriteKeepsTheOldFile) {
  scratch_.Write("OLD.WMF", "old");
  for (int64_t k = 1; k <= 2; ++k) {
    FailDrawingFileWrite(k);
    EXPECT_EQ(WritePlaceableMetafile(metafile_, scratch_.path("OLD.WMF").c_str(), RECT{0, 0, 5, 5}),
              0)
        << k;
    EXPECT_EQ(ReadFileBytes(scratch_.path("OLD.WMF")), "old") << k;
  }
  FailDrawingFileWrite(1);
  EXPECT_EQ(WriteMetafile(metafile_, scratch_.path("OLD.WMF").c_str()), 0);
  EXPECT_EQ(ReadFileBytes(scratch_.path("OLD.WMF")), "old");
  EXPECT_EQ(scratch_.Names(), Names{"OLD.WMF"});
}

// The rendering writes through the same routine: its picture file, too, is
// replaced only whole.
TEST_F(MetafileWritersTest, AFailedRenderingKeepsTheOldPicture) {
  scratch_.Write("PLATE.DQD", CommandLine('M') + CommandLine('D', 20000, 20000));
  scratch_.Write("PLATE.WMF", "old");
  FailDrawingFileWrite(2);
  RenderDrawingMetafile("PLATE.DQD", "PLATE.WMF", 1000, 1000);
  EXPECT_EQ(ReadFileBytes(scratch_.path("PLATE.WMF")), "old");
  EXPECT_EQ(scratch_.Names(), (Names{"PLATE.DQD", "PLATE.WMF"}));
  RenderDrawingMetafile("PLATE.DQD", "PLATE.WMF", 1000, 1000);
  EXPECT_EQ(ReadFileBytes(scratch_.path("PLATE.WMF")).substr(0, 4), "\xd7\xcd\xc6\x9a");
}

// A whole write takes the old file's place; files of the user's that bear
// the names a writer tries beside its target are neither taken nor removed.
TEST_F(MetafileWritersTest, AWholeWriteReplacesTheFileAndLeavesOthersAlone) {
  const UINT size = GetMetaFileBitsEx(metafile_, 0, nullptr);
  std::string bits(size, '\0');
  GetMetaFileBitsEx(metafile_, size, bits.data());
  scratch_.Write("OLD.WMF", "old");
  scratch_.Write("OLD.WMF~", "mine");
  scratch_.Write("OLD.WMF.~1", "mine too");
  ASSERT_EQ(WriteMetafile(metafile_, scratch_.path("OLD.WMF").c_str()), 1);
  EXPECT_EQ(ReadFileBytes(scratch_.path("OLD.WMF")), bits);
  FailDrawingFileWrite(1);
  EXPECT_EQ(WriteMetafile(metafile_, scratch_.path("OLD.WMF").c_str()), 0);
  EXPECT_EQ(ReadFileBytes(scratch_.path("OLD.WMF")), bits);
  EXPECT_EQ(ReadFileBytes(scratch_.path("OLD.WMF~")), "mine");
  EXPECT_EQ(ReadFileBytes(scratch_.path("OLD.WMF.~1")), "mine too");
  EXPECT_EQ(scratch_.Names(), (Names{"OLD.WMF", "OLD.WMF.~1", "OLD.WMF~"}));
}

// A metafile at the longest path a file may have is written beside itself
// and takes its place.
TEST_F(MetafileWritersTest, AMetafileAtTheLongestPathReplacesTheOldOne) {
  const std::string path = longest_path::LongestPathFor(scratch_.path("LONG"), "OLD.WMF");
  ASSERT_FALSE(path.empty());
  std::ofstream(path, std::ios::binary) << "old";
  ASSERT_EQ(WriteMetafile(metafile_, path.c_str()), 1);
  EXPECT_EQ(ReadFileBytes(path).size(), GetMetaFileBitsEx(metafile_, 0, nullptr));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.substr(0, path.rfind('\\'))),
                          std::filesystem::directory_iterator()),
            1);
}

// A target that cannot be replaced (a folder of that name) answers 0, and
// what was written beside it goes again.
TEST_F(MetafileWritersTest, ATargetThatCannotBeReplacedAnswersZero) {
  std::filesystem::create_directory(scratch_.path("DIR.WMF"));
  EXPECT_EQ(WriteMetafile(metafile_, scratch_.path("DIR.WMF").c_str()), 0);
  EXPECT_EQ(scratch_.Names(), Names{"DIR.WMF"});
}

}  // namespace
