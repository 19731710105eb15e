// Drawing pictures fitted into rectangles, metafile pictures by their kind,
// and the drawing under a point of the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "report/drawing/drawing_container_face.h"
#include "report/drawing/drawing_execution.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/pictures_face.h"
#include "tests/common/metafile_records.h"
#include "tests/common/modal_ui_double.h"
#include "tests/drawing/drawing_scratch.h"
#include "tests/drawing/picture_files.h"
#include "tests/print/dib_canvas.h"
#include "tests/print/sheet_pictures.h"

namespace {

bool Same(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

class PictureDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    live_ = LiveDrawingMemory();
    DRAWING_FIT = RECT{0, 0, 0, 0};
  }
  void TearDown() override {
    FreePicture(&picture_);
    FreePictures();
    PAGE_PICTURE_FLAG = 0;
    EXPECT_EQ(LiveDrawingMemory(), live_);
  }
  // A drawing picture of the given text, loaded as the picture code loads one.
  void LoadText(const std::string& text) {
    const std::string path = scratch_.Write("PLATE.DQD", text);
    ASSERT_EQ(LoadPictureFile(&picture_, path.c_str(), 1), 1);
  }
  EmfRecords Draw(RECT rect, int32_t* drew = nullptr) {
    EmfCanvas canvas;
    const int32_t result = DrawPicture(&picture_, nullptr, canvas.dc(), &rect);
    if (drew) *drew = result;
    return canvas.finish();
  }

  DrawingScratch scratch_;
  ModalUiDouble ui_;
  PICTURE_RECORD picture_{};
  int64_t live_ = 0;
};

// A drawing 2000 by 1000 thousandths in a rectangle 300 by 300 on the screen:
// fitted to 300 by 150, moved down by 75.
TEST_F(PictureDrawingTest, ADrawingKeepsItsProportionsOnTheScreen) {
  LoadText(CommandLine('M') + CommandLine('D', 20000, 10000));
  ASSERT_EQ(picture_.drawing.width, 2000);
  ASSERT_EQ(picture_.drawing.height, 1000);
  int32_t drew = 0;
  const EmfRecords emf = Draw(RECT{0, 0, 300, 300}, &drew);
  EXPECT_EQ(drew, 1);
  EXPECT_TRUE(Same(DRAWING_FIT, 0, 75, 300, 225));
  EXPECT_TRUE(Same(picture_.screen_rect, 0, 75, 300, 225));
  EXPECT_TRUE(Same(picture_.drawing_window, 0, 0, 2000, 1000));
  EXPECT_EQ(DRAWING_SIZE.cx, 2000);
  EXPECT_EQ(DRAWING_SIZE.cy, 1000);
  ASSERT_FALSE(emf.map_modes().empty());
  EXPECT_EQ(emf.map_modes().back(), MM_ISOTROPIC);
  EXPECT_EQ(emf.window_extents().back().cx, 2000);
  EXPECT_EQ(emf.window_extents().back().cy, 1000);
  EXPECT_EQ(emf.viewport_origins().back().x, 0);
  EXPECT_EQ(emf.viewport_origins().back().y, 75);
  EXPECT_EQ(emf.viewport_extents().back().cx, 300);
  EXPECT_EQ(emf.viewport_extents().back().cy, 150);
  // Clipped to the rectangle, the background cleared over the logical window
  // without an outline, then the drawing at 1000 units a drawing unit.
  EXPECT_EQ(emf.count(EMR_EXTSELECTCLIPRGN), 1u);
  ASSERT_EQ(emf.rectangles().size(), 1u);
  EXPECT_EQ(emf.rectangles()[0].box.right, 1999);
  ASSERT_EQ(emf.lines().size(), 1u);
  EXPECT_EQ(emf.lines()[0].at.x, 2000);
  EXPECT_EQ(emf.lines()[0].at.y, 0);
  // The fitted rectangle itself is used as it is.
  Draw(DRAWING_FIT);
  EXPECT_TRUE(Same(DRAWING_FIT, 0, 75, 300, 225));
}

TEST_F(PictureDrawingTest, AWideRectangleIsNarrowedAndCentred) {
  LoadText(CommandLine('M') + CommandLine('D', 10000, 10000));
  const EmfRecords emf = Draw(RECT{100, 0, 500, 100});
  EXPECT_TRUE(Same(DRAWING_FIT, 250, 0, 350, 100));
}

// A rectangle over the whole range of 32-bit sides: the extents the mapping
// takes and the clipping region's far sides stay within 32 bits instead of
// wrapping round, so the drawing is mapped onto the rectangle and clipped to
// it rather than to nothing.
TEST_F(PictureDrawingTest, ARectangleAtTheLimitsKeepsItsExtentsAndClipping) {
  LoadText(CommandLine('M') + CommandLine('D', 10000, 10000));
  const EmfRecords emf = Draw(RECT{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
  EXPECT_TRUE(Same(DRAWING_FIT, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
  ASSERT_FALSE(emf.viewport_extents().empty());
  EXPECT_EQ(emf.viewport_extents().back().cx, INT32_MAX);
  EXPECT_EQ(emf.viewport_extents().back().cy, INT32_MAX);
  const std::vector<EmfRecord> clips = emf.of(EMR_EXTSELECTCLIPRGN);
  ASSERT_EQ(clips.size(), 1u);
  RGNDATAHEADER region{};
  const std::vector<unsigned char>& bytes = clips[0].bytes;
  constexpr std::size_t at = offsetof(EMREXTSELECTCLIPRGN, RgnData);
  ASSERT_GE(bytes.size(), at + sizeof region);
  std::memcpy(&region, bytes.data() + at, sizeof region);
  EXPECT_EQ(region.nCount, 1u);
  EXPECT_EQ(region.rcBound.right, INT32_MAX);
  EXPECT_EQ(region.rcBound.bottom, INT32_MAX);
}

// Recorded into a picture for the clipboard, at the picture's own scale, a
// square drawing over the whole range of 32-bit sides keeps its fitted
// rectangle, and the height its points are taken from stays within 32 bits,
// INT32_MAX, instead of wrapping round to nothing.
TEST_F(PictureDrawingTest, ARectangleAtTheLimitsKeepsItsHeightInAClipboardPicture) {
  LoadText(CommandLine('M') + CommandLine('D', 10000, 10000));
  ASSERT_EQ(picture_.drawing.width, picture_.drawing.height);
  const PictureRecording recording = {{21000, 29700}, 150.0 / 2540};
  PICTURE_RECORDING = &recording;
  int32_t drew = 0;
  const EmfRecords emf = Draw(RECT{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, &drew);
  PICTURE_RECORDING = nullptr;
  EXPECT_EQ(drew, 1);
  EXPECT_TRUE(Same(DRAWING_FIT, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
  EXPECT_EQ(DRAWING_TRANSFORM.height, INT32_MAX);
  EXPECT_EQ(DRAWING_TRANSFORM.x0, INT32_MIN);
  EXPECT_EQ(DRAWING_TRANSFORM.y0, INT32_MIN);
  EXPECT_EQ(emf.lines().size(), 1u);
}

// A placeable metafile's viewport over the whole range, likewise.
TEST_F(PictureDrawingTest, APlaceableMappingAtTheLimitsKeepsItsExtents) {
  const std::string header = PlaceableFront(0, 0, 100, 100);
  EmfCanvas canvas;
  const RECT rect = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  SetPlaceableMapping(nullptr, canvas.dc(), reinterpret_cast<const unsigned char*>(header.data()),
                      &rect);
  const EmfRecords emf = canvas.finish();
  ASSERT_FALSE(emf.viewport_extents().empty());
  EXPECT_EQ(emf.viewport_extents().back().cx, INT32_MAX);
  EXPECT_EQ(emf.viewport_extents().back().cy, INT32_MAX);
}

// On a printed or previewed sheet nothing is clipped or cleared, and the
// screen rectangle stays as the screen left it.
TEST_F(PictureDrawingTest, OnASheetNothingIsClippedOrCleared) {
  LoadText(CommandLine('M') + CommandLine('D', 20000, 10000));
  PAGE_PICTURE_FLAG = 1;
  const EmfRecords emf = Draw(RECT{0, 0, 300, 300});
  EXPECT_EQ(emf.count(EMR_EXTSELECTCLIPRGN), 0u);
  EXPECT_TRUE(emf.rectangles().empty());
  EXPECT_EQ(emf.lines().size(), 1u);
  EXPECT_TRUE(Same(picture_.screen_rect, 0, 0, 0, 0));
}

// Nothing to divide by: a drawing without width or height, or an empty
// rectangle, draws nothing.
TEST_F(PictureDrawingTest, NoExtentOrAnEmptyRectangleDrawsNothing) {
  LoadText(CommandLine('M') + CommandLine('D', 0, 10000));
  ASSERT_EQ(picture_.drawing.width, 0);
  int32_t drew = -1;
  EmfRecords emf = Draw(RECT{0, 0, 300, 300}, &drew);
  EXPECT_EQ(drew, 0);
  EXPECT_TRUE(emf.lines().empty());
  FreePicture(&picture_);
  LoadText(CommandLine('M') + CommandLine('D', 10000, 10000));
  for (const RECT empty : {RECT{10, 10, 10, 50}, RECT{10, 10, 50, 10}, RECT{50, 10, 10, 50}}) {
    emf = Draw(empty, &drew);
    EXPECT_EQ(drew, 0);
    EXPECT_TRUE(emf.lines().empty());
  }
}

TEST_F(PictureDrawingTest, AnEmptyPictureDrawsNothing) {
  int32_t drew = -1;
  const EmfRecords emf = Draw(RECT{0, 0, 10, 10}, &drew);
  EXPECT_EQ(drew, 0);
}

// With no window to give a client area, an enhanced metafile keeps the
// caller's rectangle.
TEST_F(PictureDrawingTest, AnEnhancedMetafileWithoutAWindowKeepsTheRectangle) {
  const HDC recording = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  MoveToEx(recording, 0, 0, nullptr);
  LineTo(recording, 50, 50);
  picture_.metafile = CloseEnhMetaFile(recording);
  picture_.kind = PICTURE_ENHANCED_METAFILE;
  EmfCanvas canvas;
  RECT rect = {10, 20, 110, 220};
  EXPECT_EQ(DrawPicture(&picture_, nullptr, canvas.dc(), &rect), 1);
  EXPECT_TRUE(Same(rect, 10, 20, 110, 220));
  EXPECT_FALSE(canvas.finish().lines().empty());
}

// A metafile for the clipboard is drawn as a bitmap of its own, which is
// copied into the rectangle in the bitmap's own dots whatever mapping the
// metafile's window records or its placeable box set on it: the black half
// lands on the rectangle's left half and the white half on its right, as an
// enhanced metafile's do.
TEST_F(PictureDrawingTest, AMetafileForTheClipboardLandsWholeInItsRectangle) {
  ASSERT_TRUE(WriteHalfBlackWindowsMetafile(scratch_.path("HALF.WMF"), false));
  ASSERT_TRUE(WriteHalfBlackWindowsMetafile(scratch_.path("BOXED.WMF"), true));
  ASSERT_TRUE(WriteHalfBlackEmf(scratch_.path("HALF.EMF")));
  const PictureRecording recording = {{400, 200}, 1.0};
  for (const char* name : {"HALF.WMF", "BOXED.WMF", "HALF.EMF"}) {
    SCOPED_TRACE(name);
    PICTURE_RECORD picture{};
    const std::string path = scratch_.path(name);
    if (std::string(name).ends_with(".EMF")) {
      picture.metafile = GetEnhMetaFileA(path.c_str());
      picture.kind = PICTURE_ENHANCED_METAFILE;
    } else {
      picture.metafile = ReadWindowsMetafile(path.c_str(), picture.placeable_header, &picture);
    }
    ASSERT_NE(picture.metafile, nullptr);
    DibCanvas canvas(400, 200);
    RECT rect = {0, 0, 400, 200};
    PAGE_PICTURE_FLAG = 1;
    PICTURE_RECORDING = &recording;
    EXPECT_EQ(DrawPicture(&picture, nullptr, canvas.dc(), &rect), 1);
    PICTURE_RECORDING = nullptr;
    PAGE_PICTURE_FLAG = 0;
    for (const int y : {20, 100, 180}) {
      for (const int x : {20, 100, 180})
        EXPECT_EQ(canvas.InkIn(Around({x, y})), 25) << "black at " << x << ", " << y;
      for (const int x : {220, 300, 380})
        EXPECT_EQ(canvas.InkIn(Around({x, y})), 0) << "white at " << x << ", " << y;
    }
    FreePicture(&picture);
  }
  // A placeable file's bits are kept until the next one is read.
  FreeDrawingMemory(METAFILE_BITS);
  METAFILE_BITS = nullptr;
}

TEST_F(PictureDrawingTest, TheDrawingUnderAPoint) {
  PICTURE_LIST.count = 3;
  PICTURE_LIST.pictures[0].kind = PICTURE_WINDOWS_METAFILE;
  PICTURE_LIST.pictures[0].screen_rect = RECT{0, 0, 500, 500};
  PICTURE_LIST.pictures[1].kind = PICTURE_DRAWING;
  PICTURE_LIST.pictures[1].screen_rect = RECT{10, 20, 110, 70};
  PICTURE_LIST.pictures[2].kind = PICTURE_DRAWING;
  int32_t index = -1;
  const auto at = [](uint32_t x, uint32_t y) { return x | y << 16; };
  EXPECT_EQ(FindDrawingAtPoint(at(10, 20), &index), 1);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(FindDrawingAtPoint(at(110, 70), &index), 1);
  EXPECT_EQ(FindDrawingAtPoint(at(111, 20), &index), 0);
  // A drawing never drawn on the screen is found only at (0, 0).
  EXPECT_EQ(FindDrawingAtPoint(at(0, 0), &index), 1);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(FindDrawingAtPoint(at(300, 300), &index), 0);
  PICTURE_LIST = PictureList{};
}

}  // namespace
