// A page's pictures on the sheet: each fills the rectangle of its cells on
// its place, and a context without a cell draws none.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "include/holders.h"
#include "report/drawing/metafiles_face.h"
#include "report/print/sheet_rendering.h"
#include "runenv/run_folders_face.h"
#include "tests/common/metafile_records.h"
#include "tests/common/scratch_folder.h"
#include "tests/drawing/picture_files.h"
#include "tests/print/dib_canvas.h"
#include "tests/print/sheet_pictures.h"

namespace {

class CellPictures : public ::testing::Test {
 protected:
  void SetUp() override {
    std::strcpy(FOLDER_BUFFERS.program_folder, folder_.path().c_str());
    PAGES_PER_SHEET = 1;
    OUTPUT_TARGET = 0;
    PAGE_OFFSET = {};
    EmptyPage();
    // A placeable metafile of one rectangle, its box 0,0 to 1000,1000.
    HDC recording = CreateMetaFileA(nullptr);
    Rectangle(recording, 100, 100, 900, 900);
    HMETAFILE metafile = CloseMetaFile(recording);
    ASSERT_EQ(WritePlaceableMetafile(metafile, (folder_ / "LOGO.WMF").c_str(), {0, 0, 1000, 1000}),
              1);
    DeleteMetaFile(metafile);
  }
  void TearDown() override {
    FOLDER_BUFFERS = {};
    PAGES_PER_SHEET = 1;
  }
  ScratchFolder folder_;
};

}  // namespace

TEST_F(CellPictures, APictureFillsTheRectangleOfItsCellsOnItsHalfOfTheSheet) {
  PAGES_PER_SHEET = 2;
  SetPageOffset(SheetPlaceAt(2, 2));
  PAGE_PICTURES.count = 1;
  std::strcpy(PAGE_PICTURES.entries[0].reference, "LOGO.WMF 11 2 30 11");
  PAGE_PICTURES.entries[0].row = 3;
  EmfCanvas canvas;
  const int w = GetDeviceCaps(canvas.dc(), HORZRES);
  const int h = GetDeviceCaps(canvas.dc(), VERTRES);
  const CELL_SIZE cell{20, 30};
  DrawPagePictures(nullptr, canvas.dc(), cell, 2, 20);
  const EmfRecords records = canvas.finish();
  // First cell: row 3 + 1, column 10; last: row 3 + 10, column 29; the right
  // half shows its grid of 88 by 68 cells.
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  SheetCellToPoint(4 * 80 + 10, &x1, &y1, cell);
  SheetCellToPoint(13 * 80 + 29, &x2, &y2, cell);
  const double sx = (w - w / 2) / (20.0 * 88);
  const double sy = h / (30.0 * 68);
  ASSERT_FALSE(records.viewport_origins().empty());
  EXPECT_EQ(records.viewport_origins().back().x, static_cast<LONG>(x1 * sx) + w / 2);
  EXPECT_EQ(records.viewport_origins().back().y, static_cast<LONG>(y1 * sy));
  ASSERT_FALSE(records.viewport_extents().empty());
  EXPECT_EQ(records.viewport_extents().back().cx,
            static_cast<LONG>(x2 * sx) - static_cast<LONG>(x1 * sx));
  EXPECT_EQ(records.viewport_extents().back().cy,
            static_cast<LONG>(y2 * sy) - static_cast<LONG>(y1 * sy));
  EXPECT_EQ(records.rectangles().size(), 1u);
  EXPECT_EQ(PAGE_PICTURE_FLAG, 0);
}

TEST_F(CellPictures, AContextWithoutACellDrawsNoPicture) {
  PICTURE_RECORD picture{};
  ASSERT_EQ(LoadPictureReference(&picture, "LOGO.WMF 1 1 10 5", 0, 0), 1);
  EmfCanvas canvas;
  EXPECT_EQ(DrawPictureInCells(&picture, nullptr, canvas.dc(), {0, 0}, 1), 0);
  EXPECT_EQ(DrawPictureInCells(&picture, nullptr, canvas.dc(), {187, 0}, 1), 0);
  EXPECT_EQ(DrawPictureInCells(&picture, nullptr, canvas.dc(), {187, 322}, 1), 1);
  FreePicture(&picture);
  EXPECT_EQ(canvas.finish().rectangles().size(), 1u);
}

namespace {

// A Windows metafile without a placeable header whose window is 100 by 50,
// its left half black.
bool WriteHalfBlackWindowMetafile(const std::string& path) {
  HDC recording = CreateMetaFileA(nullptr);
  SetWindowOrgEx(recording, 0, 0, nullptr);
  SetWindowExtEx(recording, 100, 50, nullptr);
  SelectObject(recording, GetStockObject(BLACK_BRUSH));
  Rectangle(recording, 0, 0, 50, 50);
  UniqueMetafile metafile(CloseMetaFile(recording));
  return WriteMetafile(metafile.get(), path.c_str()) == 1;
}

struct SheetMetafileCase {
  const char* name;
  bool (*write)(const std::string& path);
  bool all_black;  // else its left half
};

class SheetMetafiles : public CellPictures,
                       public ::testing::WithParamInterface<SheetMetafileCase> {};

}  // namespace

// On a sheet an enhanced metafile, and a Windows metafile by its own window,
// fill the rectangle of their cells, whatever window the owner has; one
// that draws beyond its frame is held to its cells.
TEST_P(SheetMetafiles, FillTheirCellsWhateverTheOwnersWindow) {
  ASSERT_TRUE(GetParam().write(folder_ / GetParam().name));
  PICTURE_RECORD picture{};
  ASSERT_EQ(
      LoadPictureReference(&picture, (std::string(GetParam().name) + " 41 3 78 20").c_str(), 0, 0),
      1);
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                               nullptr);
  ASSERT_NE(owner, nullptr);
  HDC screen = GetDC(nullptr);
  DibCanvas sheet(GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES));
  ReleaseDC(nullptr, screen);
  const CELL_SIZE cell{10, 12};
  EXPECT_EQ(DrawPictureInCells(&picture, owner, sheet.dc(), cell, 1), 1);
  FreePicture(&picture);
  DestroyWindow(owner);
  // Columns 41 to 78 and rows 3 to 20 of the page over the whole area.
  const int left = 40 * sheet.width() / 80;
  const int right = 77 * sheet.width() / 80;
  const int top = 2 * sheet.height() / 62;
  const int bottom = 19 * sheet.height() / 62;
  const RECT cells = {left, top, right, bottom};
  EXPECT_EQ(sheet.InkIn(Around(BlackHalfMiddle(cells))), 25);
  EXPECT_EQ(sheet.InkIn(Around(WhiteHalfMiddle(cells))), GetParam().all_black ? 25 : 0);
  EXPECT_EQ(sheet.InkIn({0, 0, left - 1, sheet.height()}), 0) << "left of the cells";
  EXPECT_EQ(sheet.InkIn({right + 1, 0, sheet.width(), sheet.height()}), 0);
  EXPECT_EQ(sheet.InkIn({0, 0, sheet.width(), top - 1}), 0) << "above the cells";
  EXPECT_EQ(sheet.InkIn({0, bottom + 1, sheet.width(), sheet.height()}), 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SheetMetafiles,
                         ::testing::Values(SheetMetafileCase{"LOGO.EMF", WriteHalfBlackEmf, false},
                                           SheetMetafileCase{"SPILL.EMF", WriteFilledEmf, true},
                                           SheetMetafileCase{"PLAIN.WMF",
                                                             WriteHalfBlackWindowMetafile, false}),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           return name.substr(0, name.find('.'));
                         });
