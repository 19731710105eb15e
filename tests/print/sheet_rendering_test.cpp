// A report page on a sheet, read back from an enhanced metafile: the page
// places, the fonts and the cell, text segments, aligned values, leaders,
// box lines and the sheet frame. Expected positions come from the same
// context (SheetCellToPoint, GetTextExtentPointA, GetDeviceCaps).
#include "report/print/sheet_rendering.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/screen/line_characters_face.h"
#include "tests/common/metafile_records.h"
#include "tests/print/dib_canvas.h"
#include "tests/print/sheet_page.h"

namespace {

class SheetRendering : public ::testing::Test {
 protected:
  void SetUp() override {
    PAGES_PER_SHEET = 1;
    OUTPUT_TARGET = 0;
    SetPrintFontMode(0);
    PAGE_OFFSET = {};
    REPORT_LANGUAGE_INDEX = 0;
    EmptyPage();
  }
  void TearDown() override {
    PAGES_PER_SHEET = 1;
    SetPrintFontMode(0);
    DeletePrintFonts();
  }
  // The context's text metrics in the text font.
  static TEXTMETRICA TextMetrics(HDC dc) {
    TEXTMETRICA metrics{};
    HGDIOBJ old = SelectObject(dc, PRINT_FONTS.text);
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    return metrics;
  }
  static int Width(HDC dc, HFONT font, const std::string& text) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPointA(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    return size.cx;
  }
  static POINT Cell(int cell, const CELL_SIZE& size) {
    int32_t x = 0;
    int32_t y = 0;
    SheetCellToPoint(cell, &x, &y, size);
    return {x, y};
  }
};

LOGFONTA FontOf(HFONT font) {
  LOGFONTA log{};
  GetObjectA(font, sizeof log, &log);
  return log;
}

}  // namespace

TEST_F(SheetRendering, TheFontsAreArialAtTheirHeightsAndWeights) {
  EmfCanvas canvas;
  CELL_SIZE cell{};
  CreatePrintFonts(canvas.dc(), &cell);
  const LOGFONTA title = FontOf(PRINT_FONTS.title);
  const LOGFONTA heading = FontOf(PRINT_FONTS.heading);
  const LOGFONTA text = FontOf(PRINT_FONTS.text);
  EXPECT_EQ(title.lfHeight, 105);
  EXPECT_EQ(title.lfWeight, 800);
  EXPECT_EQ(heading.lfHeight, 100);
  EXPECT_EQ(heading.lfWeight, 800);
  EXPECT_EQ(text.lfHeight, 100);
  EXPECT_EQ(text.lfWeight, 400);
  EXPECT_STREQ(text.lfFaceName, "Arial");
  EXPECT_EQ(text.lfQuality, PROOF_QUALITY);
}

TEST_F(SheetRendering, TheCellFollowsTheTextFontAndThePagesASheet) {
  EmfCanvas canvas;
  CELL_SIZE cell{};
  CreatePrintFonts(canvas.dc(), &cell);
  const TEXTMETRICA m = TextMetrics(canvas.dc());
  ASSERT_GT(m.tmAveCharWidth, 0);
  EXPECT_EQ(cell.width, static_cast<int32_t>(1.1 * m.tmAveCharWidth));
  EXPECT_EQ(cell.height, static_cast<int32_t>(1.1 * m.tmHeight));
  PAGES_PER_SHEET = 4;
  CreatePrintFonts(canvas.dc(), &cell);
  EXPECT_EQ(cell.width, m.tmAveCharWidth);
  EXPECT_EQ(cell.height, m.tmHeight);
  SetPrintFontMode(1);
  CreatePrintFonts(canvas.dc(), &cell);
  EXPECT_STREQ(FontOf(PRINT_FONTS.text).lfFaceName, "Courier New");
  const TEXTMETRICA fixed = TextMetrics(canvas.dc());
  EXPECT_EQ(cell.width, static_cast<int32_t>(0.9 * fixed.tmAveCharWidth));
  EXPECT_EQ(cell.height, fixed.tmHeight);
}

struct PlaceCase {
  int32_t per_sheet;
  int32_t p;
  int32_t column, row;    // offsets, printed and previewed alike
  int32_t columns, rows;  // the place's grid of cells
  bool right, bottom, frame;
};

class SheetPlaces : public SheetRendering, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(SheetPlaces, GiveTheOffsetsAndTheViewportOfTheirPlace) {
  const PlaceCase& c = GetParam();
  PAGES_PER_SHEET = c.per_sheet;
  const SheetPlace place = SheetPlaceAt(c.per_sheet, c.p);
  EXPECT_EQ(place.column_offset, c.column);
  EXPECT_EQ(place.row_offset, c.row);
  EXPECT_EQ(place.frame_first, c.frame);

  EmfCanvas canvas;
  const int w = GetDeviceCaps(canvas.dc(), HORZRES);
  const int h = GetDeviceCaps(canvas.dc(), VERTRES);
  SetPageViewport(nullptr, canvas.dc(), {30, 40}, c.p);
  const EmfRecords records = canvas.finish();
  ASSERT_EQ(records.map_modes(), std::vector<int>{MM_ANISOTROPIC});
  ASSERT_EQ(records.window_extents().size(), 1u);
  EXPECT_EQ(records.window_extents()[0].cx, c.columns * 30);
  EXPECT_EQ(records.window_extents()[0].cy, c.rows * 40);
  ASSERT_EQ(records.viewport_origins().size(), 1u);
  EXPECT_EQ(records.viewport_origins()[0].x, c.right ? w / 2 : 0);
  EXPECT_EQ(records.viewport_origins()[0].y, c.bottom ? h / 2 : 0);
  ASSERT_EQ(records.viewport_extents().size(), 1u);
  EXPECT_EQ(records.viewport_extents()[0].cx, c.per_sheet == 1 ? w : w / 2);
  EXPECT_EQ(records.viewport_extents()[0].cy, c.per_sheet == 4 ? h / 2 : h);
}

INSTANTIATE_TEST_SUITE_P(Places, SheetPlaces,
                         ::testing::Values(PlaceCase{1, 1, 0, 0, 80, 62, false, false, false},
                                           PlaceCase{2, 1, 5, 3, 88, 68, false, false, true},
                                           PlaceCase{2, 2, 4, 3, 88, 68, true, false, false},
                                           PlaceCase{2, 3, 5, 3, 88, 68, false, false, true},
                                           PlaceCase{4, 1, 7, 3, 90, 68, false, false, true},
                                           PlaceCase{4, 2, 4, 3, 90, 68, true, false, false},
                                           PlaceCase{4, 3, 7, 2, 90, 68, false, true, false},
                                           PlaceCase{4, 4, 4, 2, 90, 68, true, true, false},
                                           PlaceCase{4, 5, 7, 3, 90, 68, false, false, true}));

struct FrameCase {
  int32_t per_sheet;
  int32_t columns, rows;  // the sheet's grid of cells
  RECT box;               // in cells of that grid
  int32_t middle_x, middle_y;
};

class SheetFrames : public SheetRendering, public ::testing::WithParamInterface<FrameCase> {};

// The frame lies on the sheet's grid of cells over the whole page area: a
// hollow rectangle inside the area around every place's page, a line
// between the places across and, at four pages, one down.
TEST_P(SheetFrames, LieInsideThePageAreaOnTheSheetsGrid) {
  const FrameCase& c = GetParam();
  EmfCanvas canvas;
  const int w = GetDeviceCaps(canvas.dc(), HORZRES);
  const int h = GetDeviceCaps(canvas.dc(), VERTRES);
  DrawSheetFrame(nullptr, canvas.dc(), c.per_sheet);
  const EmfRecords records = canvas.finish();
  const auto x = [&](LONG column) { return static_cast<LONG>(column * (double(w) / c.columns)); };
  const auto y = [&](LONG row) { return static_cast<LONG>(row * (double(h) / c.rows)); };
  ASSERT_EQ(records.rectangles().size(), 1u);
  const RECTL box = records.rectangles()[0].box;
  EXPECT_EQ(box.left, x(c.box.left));
  EXPECT_EQ(box.top, y(c.box.top));
  EXPECT_EQ(box.right, x(c.box.right) - 1);
  EXPECT_EQ(box.bottom, y(c.box.bottom) - 1);
  EXPECT_LT(box.right, w - 1);
  EXPECT_LT(box.bottom, h - 1);
  ASSERT_EQ(records.moves().size(), c.middle_y ? 2u : 1u);
  EXPECT_EQ(records.moves()[0].at.x, x(c.middle_x));
  EXPECT_EQ(records.lines()[0].at.y, y(c.box.bottom));
  if (c.middle_y) {
    EXPECT_EQ(records.moves()[1].at.y, y(c.middle_y));
    EXPECT_EQ(records.lines()[1].at.x, x(c.box.right));
  }
  SheetFrameCells cells{};
  ASSERT_TRUE(SheetFrameAt(c.per_sheet, &cells));
  EXPECT_EQ(cells.columns, c.columns);
  EXPECT_EQ(cells.rows, c.rows);
}

// The frame is hollow whatever brush the context holds: drawn with a black
// brush selected, the sheet inside it stays white but for its lines.
TEST_P(SheetFrames, AreHollowWhateverBrushTheContextHolds) {
  const FrameCase& c = GetParam();
  HDC screen = GetDC(nullptr);
  DibCanvas sheet(GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES));
  ReleaseDC(nullptr, screen);
  SelectObject(sheet.dc(), GetStockObject(BLACK_BRUSH));
  DrawSheetFrame(nullptr, sheet.dc(), c.per_sheet);
  const int w = sheet.width();
  const int h = sheet.height();
  const auto x = [&](LONG column) { return static_cast<int>(column * (double(w) / c.columns)); };
  const auto y = [&](LONG row) { return static_cast<int>(row * (double(h) / c.rows)); };
  // The frame's lines are drawn ...
  EXPECT_TRUE(sheet.Inked(x(c.box.left), (y(c.box.top) + y(c.box.bottom)) / 2));
  EXPECT_TRUE(sheet.Inked((x(c.box.left) + x(c.middle_x)) / 2, y(c.box.top)));
  // ... and nothing between them, in any place.
  const int places_down = c.middle_y ? 2 : 1;
  for (int across = 0; across < 2; ++across)
    for (int down = 0; down < places_down; ++down) {
      const int left = across ? x(c.middle_x) : x(c.box.left);
      const int right = across ? x(c.box.right) : x(c.middle_x);
      const int top = down ? y(c.middle_y) : y(c.box.top);
      const int bottom = down || !c.middle_y ? y(c.box.bottom) : y(c.middle_y);
      EXPECT_EQ(sheet.InkIn({left + 3, top + 3, right - 3, bottom - 3}), 0)
          << "place " << across << "," << down;
    }
}

INSTANTIATE_TEST_SUITE_P(Frames, SheetFrames,
                         ::testing::Values(FrameCase{2, 176, 68, {3, 2, 174, 66}, 88, 0},
                                           FrameCase{4, 180, 136, {5, 2, 176, 134}, 90, 68}),
                         [](const auto& info) { return std::to_string(info.param.per_sheet); });

TEST_F(SheetRendering, OneAPageSheetDrawsNoFrame) {
  EmfCanvas canvas;
  DrawSheetFrame(nullptr, canvas.dc(), 1);
  EXPECT_TRUE(canvas.finish().rectangles().empty());
}

TEST_F(SheetRendering, EachRowIsWrittenInTheFontItsControlCharacterChooses) {
  PutRow(0, "REPORT TITLE", '1');
  PutRow(1, "Heading", 'x');
  PutRow(2, "Body text", 'u');
  EmfCanvas canvas;
  CELL_SIZE cell{};
  CreatePrintFonts(canvas.dc(), &cell);
  DrawPageBody(canvas.dc(), 3, cell);
  const auto texts = TextsWithFonts(canvas.finish());
  const WrittenText* title = FindText(texts, "REPORT");
  const WrittenText* heading = FindText(texts, "Heading");
  const WrittenText* body = FindText(texts, "Body");
  ASSERT_TRUE(title && heading && body);
  EXPECT_EQ(title->font_height, 105);
  EXPECT_EQ(heading->font_height, 100);
  EXPECT_EQ(heading->font_weight, 800);
  EXPECT_EQ(body->font_weight, 400);
  EXPECT_EQ(body->at.x, Cell(160, cell).x);
  EXPECT_EQ(body->at.y, Cell(160, cell).y);
}

TEST_F(SheetRendering, AnUnderlinedRowGetsALineToTheMiddleOfColumn79) {
  PutRow(0, "Body text", 'u');
  PutRow(1, "Short", 'v');
  EmfCanvas canvas;
  const CELL_SIZE cell{20, 30};
  DrawSheetLines(canvas.dc(), 2, cell);
  const EmfRecords records = canvas.finish();
  ASSERT_EQ(records.lines().size(), 2u);
  EXPECT_EQ(records.moves()[0].at.y, Cell(0, cell).y + 30);
  EXPECT_EQ(records.lines()[0].at.x, Cell(79, cell).x - 10);
  EXPECT_EQ(records.lines()[1].at.x, Cell(80 + 60, cell).x - 10);
}

TEST_F(SheetRendering, ALeadersDotsStretchSoTheColonStartsAtItsOwnCell) {
  PutRow(0, "Flow rate ......: 12.5");
  EmfCanvas canvas;
  CELL_SIZE cell{};
  CreatePrintFonts(canvas.dc(), &cell);
  DrawPageBody(canvas.dc(), 1, cell);
  const auto texts = TextsWithFonts(canvas.finish());
  const WrittenText* leader = FindText(texts, "Flow");
  ASSERT_NE(leader, nullptr);
  const std::size_t colon = leader->text.find(':');
  ASSERT_NE(colon, std::string::npos);
  EmfCanvas measure;
  CELL_SIZE again{};
  CreatePrintFonts(measure.dc(), &again);
  const int before_colon = Width(measure.dc(), PRINT_FONTS.text, leader->text.substr(0, colon));
  const int dot = Width(measure.dc(), PRINT_FONTS.text, "....") / 4;
  const int target = Cell(16, cell).x - Cell(0, cell).x;
  EXPECT_GT(colon, std::string("Flow rate ......").size());
  EXPECT_LE(before_colon, target);
  EXPECT_GT(before_colon, target - dot - 1);
}

TEST_F(SheetRendering, ALeaderOnAHugeCellStopsAt599Characters) {
  EmfCanvas canvas;
  CELL_SIZE fonts{};
  CreatePrintFonts(canvas.dc(), &fonts);
  const std::string segment = "Flow rate ......: 12.5";
  DrawSheetSegment(canvas.dc(), segment.c_str(), 0, static_cast<int32_t>(segment.size()),
                   {2000, 30});
  const EmfRecords records = canvas.finish();
  ASSERT_EQ(records.texts().size(), 1u);
  EXPECT_EQ(records.texts()[0].text.size(), 599u);
  EXPECT_EQ(records.texts()[0].text.substr(records.texts()[0].text.size() - 6), ": 12.5");
}

// The advances a text record gives its characters, added up: how wide it
// was set.
LONG SetWidth(const EmfRecord& record) {
  const auto t = record.as<EMREXTTEXTOUTW>();
  LONG width = 0;
  for (DWORD i = 0; i < t.emrtext.nChars; ++i) {
    INT dx = 0;
    const std::size_t at = t.emrtext.offDx + i * sizeof(INT);
    if (at + sizeof dx <= record.bytes.size())
      std::memcpy(&dx, record.bytes.data() + at, sizeof dx);
    width += dx;
  }
  return width;
}

// A segment wider in print than its cells is set closer, so that it ends
// where its last cell ends and runs into no other page; one that fits keeps
// its own spacing.
TEST_F(SheetRendering, ASegmentWiderThanItsCellsEndsWithItsLastCell) {
  PutRow(1, std::string(79, 'W'));
  PutRow(2, "list");
  EmfCanvas canvas;
  CELL_SIZE cell{};
  CreatePrintFonts(canvas.dc(), &cell);
  ASSERT_GT(Width(canvas.dc(), PRINT_FONTS.text, std::string(79, 'W')), 79 * cell.width);
  DrawPageBody(canvas.dc(), 3, cell);
  // The fitting segment once more, written plainly on the same context.
  const std::string narrow = "list ";
  HGDIOBJ old = SelectObject(canvas.dc(), PRINT_FONTS.text);
  TextOutA(canvas.dc(), 0, 0, narrow.data(), static_cast<int>(narrow.size()));
  SelectObject(canvas.dc(), old);
  const std::vector<EmfRecord> texts = canvas.finish().of(EMR_EXTTEXTOUTW);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_LE(SetWidth(texts[0]), 79 * cell.width);
  EXPECT_GT(SetWidth(texts[0]), 79 * cell.width - 79);
  EXPECT_EQ(texts[1].as<EMREXTTEXTOUTW>().emrtext.nChars, narrow.size());
  EXPECT_EQ(SetWidth(texts[1]), SetWidth(texts[2]));
}

TEST_F(SheetRendering, ARightMarkEndsTheValueAtTheRightEdgeOfItsCell) {
  // Row 0 with a control character is the title; the value sits on row 1.
  PutRow(1, "Area       124.75", 'b', "                }");
  EmfCanvas canvas;
  CELL_SIZE cell{};
  CreatePrintFonts(canvas.dc(), &cell);
  DrawPageBody(canvas.dc(), 2, cell);
  const auto texts = TextsWithFonts(canvas.finish());
  const WrittenText* value = FindText(texts, "124.75");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->text, "124.75");
  EmfCanvas measure;
  CELL_SIZE again{};
  CreatePrintFonts(measure.dc(), &again);
  const int w = Width(measure.dc(), PRINT_FONTS.text, "124.75");
  EXPECT_EQ(value->at.x, Cell(80 + 16, cell).x + cell.width - w);
  ASSERT_NE(FindText(texts, "Area"), nullptr);
}

TEST_F(SheetRendering, ADashedRunBetweenBarsIsOneLineAndNoText) {
  PutRow(0, "|-----|");
  EmfCanvas canvas;
  const CELL_SIZE cell{20, 30};
  DrawPageBody(canvas.dc(), 1, cell);
  const EmfRecords records = canvas.finish();
  EXPECT_TRUE(records.texts().empty());
  // One line across, from the middle of the first bar to the middle of the last.
  bool across = false;
  for (std::size_t i = 0; i < records.moves().size(); ++i)
    if (records.moves()[i].at.y == 15 && records.moves()[i].at.x == 10 &&
        records.lines()[i].at.x == Cell(7, cell).x - 10)
      across = true;
  EXPECT_TRUE(across);
}

TEST_F(SheetRendering, ALineCountBeyondThePageIsHeldToItsSixtyOneRows) {
  for (int r = 0; r < 61; ++r) PutRow(r, "row");
  PutRow(61, "NEVER PRINTED");
  EmfCanvas canvas;
  const CELL_SIZE cell{20, 30};
  DrawPageBody(canvas.dc(), 100, cell);
  DrawPageBody(canvas.dc(), -5, cell);
  const EmfRecords records = canvas.finish();
  EXPECT_EQ(records.texts().size(), 61u);
  for (const auto& t : records.texts()) EXPECT_EQ(t.text.find("NEVER"), std::string::npos);
}

TEST_F(SheetRendering, BoxBytesAreTextInChinese) {
  REPORT_LANGUAGE_INDEX = CHINESE_LANGUAGE_INDEX;
  PutRow(0, "\xC4\xC4\xC4 |--|");
  EmfCanvas canvas;
  const CELL_SIZE cell{20, 30};
  DrawPageBody(canvas.dc(), 1, cell);
  const EmfRecords records = canvas.finish();
  ASSERT_EQ(records.texts().size(), 1u);
  EXPECT_EQ(records.texts()[0].text.substr(0, 3), "\xC4\xC4\xC4");
}
