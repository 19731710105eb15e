// Windows metafile files read as pictures, and played.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "include/test_seams.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/metafiles_face.h"
#include "report/drawing/pictures_face.h"
#include "tests/common/metafile_records.h"
#include "tests/common/modal_ui_double.h"
#include "tests/drawing/drawing_scratch.h"
#include "tests/drawing/picture_files.h"

namespace {

class WindowsMetafileTest : public ::testing::Test {
 protected:
  void SetUp() override { live_ = LiveDrawingMemory(); }
  void TearDown() override {
    FailDrawingMemory(0);
    FreeDrawingMemory(METAFILE_BITS);
    METAFILE_BITS = nullptr;
    EXPECT_EQ(LiveDrawingMemory(), live_);
  }
  DrawingScratch scratch_;
  ModalUiDouble ui_;
  int64_t live_ = 0;
};

bool IsZero(const PICTURE_RECORD& p) {
  static const PICTURE_RECORD zero{};
  return std::memcmp(&p, &zero, sizeof p) == 0;
}

TEST_F(WindowsMetafileTest, APlainMetafilePlaysAtItsOwnCoordinates) {
  const std::string path = scratch_.Write("PLAIN.WMF", LineMetafileBits(10, 20, 30, 40));
  PICTURE_RECORD picture{};
  ASSERT_EQ(LoadPictureFile(&picture, path.c_str(), 1), 1);
  EXPECT_EQ(picture.kind, PICTURE_WINDOWS_METAFILE);
  EXPECT_EQ(picture.placeable_header[0], 0);
  EmfCanvas canvas;
  RECT rect = {100, 100, 200, 200};
  EXPECT_EQ(DrawPicture(&picture, nullptr, canvas.dc(), &rect), 1);
  const EmfRecords emf = canvas.finish();
  ASSERT_FALSE(emf.map_modes().empty());
  EXPECT_EQ(emf.map_modes().back(), MM_TEXT);
  ASSERT_EQ(emf.lines().size(), 1u);
  EXPECT_EQ(emf.lines()[0].at.x, 30);
  EXPECT_EQ(emf.lines()[0].at.y, 40);
  FreePicture(&picture);
  EXPECT_TRUE(IsZero(picture));
}

TEST_F(WindowsMetafileTest, APlaceableMetafileMapsItsBoxOntoTheRectangle) {
  const std::string front = PlaceableFront(0, 0, 100, 50);
  const std::string path =
      scratch_.Write("BOX.WMF", front + LineMetafileBits(0, 0, 100, 50) + "trailing");
  PICTURE_RECORD picture{};
  ASSERT_EQ(LoadPictureFile(&picture, path.c_str(), 1), 1);
  EXPECT_EQ(picture.kind, PICTURE_PLACEABLE_METAFILE);
  EXPECT_EQ(std::memcmp(picture.placeable_header, front.data(), front.size()), 0);
  EXPECT_NE(METAFILE_BITS, nullptr);
  EmfCanvas canvas;
  RECT rect = {10, 20, 110, 70};
  EXPECT_EQ(DrawPicture(&picture, nullptr, canvas.dc(), &rect), 1);
  const EmfRecords emf = canvas.finish();
  ASSERT_FALSE(emf.map_modes().empty());
  EXPECT_EQ(emf.map_modes().back(), MM_ANISOTROPIC);
  ASSERT_FALSE(emf.window_extents().empty());
  EXPECT_EQ(emf.window_extents().back().cx, 100);
  EXPECT_EQ(emf.window_extents().back().cy, 50);
  ASSERT_FALSE(emf.viewport_origins().empty());
  EXPECT_EQ(emf.viewport_origins().back().x, 10);
  EXPECT_EQ(emf.viewport_origins().back().y, 20);
  EXPECT_EQ(emf.viewport_extents().back().cx, 100);
  EXPECT_EQ(emf.viewport_extents().back().cy, 50);
  FreePicture(&picture);
  // The bits buffer stays until the next placeable metafile is read.
  EXPECT_EQ(LiveDrawingMemory(), live_ + 1);
}

// The placeable header and a metafile header of the given size in words.
std::string Damaged(uint32_t words, std::size_t bits) {
  std::string metafile = LineMetafileBits(0, 0, 5, 5).substr(0, METAFILE_HEADER_SIZE);
  std::memcpy(metafile.data() + 6, &words, 4);
  return PlaceableFront(0, 0, 10, 10) + metafile + std::string(bits, '\0');
}

struct DamagedCase {
  const char* what;
  std::string file;
  int64_t failing_allocation;
  const char* message;
};

class DamagedMetafileTest : public WindowsMetafileTest,
                            public ::testing::WithParamInterface<DamagedCase> {};

// A damaged placeable file says what it could not read, through no owner and
// under the platform's own caption, and the picture stays empty.
TEST_P(DamagedMetafileTest, SaysWhatFailedAndLoadsNothing) {
  const DamagedCase& c = GetParam();
  const std::string path = scratch_.Write("DAMAGED.WMF", c.file);
  PICTURE_RECORD picture{};
  FailDrawingMemory(c.failing_allocation);
  EXPECT_EQ(ReadWindowsMetafile(path.c_str(), picture.placeable_header, &picture), nullptr);
  EXPECT_TRUE(IsZero(picture));
  EXPECT_EQ(METAFILE_BITS, nullptr);
  if (!c.message) {
    EXPECT_TRUE(ui_.messages.empty());
    return;
  }
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, c.message);
  EXPECT_EQ(ui_.messages[0].caption, "(null)");
  EXPECT_EQ(ui_.messages[0].owner, nullptr);
  EXPECT_EQ(ui_.messages[0].style, UINT(MB_OK | MB_ICONERROR));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedMetafileTest,
    ::testing::Values(
        DamagedCase{"too short for a key", "\xd7\xcd\xc6", 0, nullptr},
        DamagedCase{"neither key nor metafile", std::string(64, 'x'), 0, nullptr},
        DamagedCase{"key only", "\xd7\xcd\xc6\x9a", 0, "Unable to read placeable header"},
        DamagedCase{"no metafile header", PlaceableFront(0, 0, 1, 1) + "0123456789", 0,
                    "Unable to read metafile header"},
        DamagedCase{"size zero", Damaged(0, 100), 0, "Unable to read metafile bits"},
        DamagedCase{"size under the header", Damaged(8, 100), 0, "Unable to read metafile bits"},
        DamagedCase{"size doubled overflows", Damaged(0x80000001u, 100), 0,
                    "Unable to read metafile bits"},
        DamagedCase{"size past the file", Damaged(100, 20), 0, "Unable to read metafile bits"},
        DamagedCase{"no memory", Damaged(12, 6), 1, "Unable to allocate memory for metafile bits"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (ch == ' ') ch = '_';
      return name;
    });

TEST_F(WindowsMetafileTest, AFileThatIsNotThereLoadsNothingQuietly) {
  PICTURE_RECORD picture{};
  EXPECT_EQ(LoadPictureFile(&picture, scratch_.path("NONE.WMF").c_str(), 1), 0);
  EXPECT_EQ(LoadPictureFile(&picture, scratch_.path("NONE").c_str(), 1), 0);
  EXPECT_TRUE(IsZero(picture));
  EXPECT_TRUE(ui_.messages.empty());
}

}  // namespace
