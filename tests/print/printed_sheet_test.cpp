// Reports printed as a user prints them, on the real PostScript printer of
// the printer prefix, and read back by Ghostscript as ink: how many sheets
// come out, where each page's ink lies on its sheet, the sheet frame, the
// pictures in their cells. Places and cells are worked out from the page
// area the printer reports; ink may stray by a fraction of a cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "report/print/page_buffers.h"
#include "runenv/run_folders_face.h"
#include "tests/drawing/container_bytes.h"
#include "tests/print/printed_sheets.h"
#include "tests/print/report_pages_sink.h"
#include "tests/print/sheet_pictures.h"

namespace {

// The rectangle less a margin of the given shares of the page area.
RECT Inside(const RECT& r, const RECT& area, double share_x, double share_y) {
  const LONG dx = LONG(share_x * (area.right - area.left));
  const LONG dy = LONG(share_y * (area.bottom - area.top));
  return {r.left + dx, r.top + dy, r.right - dx, r.bottom - dy};
}
// A fraction of a cell at four pages a sheet, either way: what ink may stray.
RECT Tolerated(const RECT& r, const RECT& area) { return Inside(r, area, -1.0 / 400, -1.0 / 300); }
RECT WithinTolerance(const RECT& r, const RECT& area) {
  return Inside(r, area, 1.0 / 400, 1.0 / 300);
}

std::string Where(int sheet, int p) {
  return "sheet " + std::to_string(sheet + 1) + ", place " + std::to_string(p);
}

// Every page's ink inside its place, clear of the place's edges, and none
// anywhere else: no page reaches into its neighbour's place or off the
// sheet. `pages` marks the places (from 1) that hold a page with ink.
void ExpectPagesInTheirPlaces(const PrintedSheets& printed, int sheet, int per_sheet,
                              const std::vector<int>& pages) {
  const InkBitmap& bitmap = printed.sheet(sheet);
  const FrameLines frame = per_sheet > 1 ? FindFrameLines(bitmap, printed.area) : FrameLines{};
  int in_places = 0;
  for (int p = 1; p <= (per_sheet == 2 || per_sheet == 4 ? per_sheet : 1); ++p) {
    const RECT place = printed.Place(per_sheet, p);
    const PageInk ink = PageInkIn(bitmap, frame, place);
    in_places += ink.dots;
    if (std::find(pages.begin(), pages.end(), p) == pages.end()) {
      EXPECT_EQ(ink.dots, 0) << Where(sheet, p) << " holds no page";
      continue;
    }
    EXPECT_GT(ink.dots, 0) << Where(sheet, p);
    // Alone on its sheet a page has the whole page area; beside others it
    // keeps clear of their places.
    const RECT clear = per_sheet > 1 ? WithinTolerance(place, printed.area) : place;
    EXPECT_EQ(PageInkIn(bitmap, frame, clear).dots, ink.dots)
        << Where(sheet, p) << ": ink at the place's edge, box " << ink.box.left << ","
        << ink.box.top << "-" << ink.box.right << "," << ink.box.bottom << " in " << place.left
        << "," << place.top << "-" << place.right << "," << place.bottom;
  }
  const PageInk all = PageInkIn(bitmap, frame, {0, 0, bitmap.width, bitmap.height});
  EXPECT_EQ(all.dots, in_places) << "sheet " << sheet + 1 << ": ink outside the page area, box "
                                 << all.box.left << "," << all.box.top << "-" << all.box.right
                                 << "," << all.box.bottom;
}

// The frame of two or four pages: closed on all four sides, on the sheet,
// with its middle lines between the places running from side to side.
void ExpectClosedFrame(const PrintedSheets& printed, int sheet, int per_sheet) {
  const InkBitmap& bitmap = printed.sheet(sheet);
  const RECT& area = printed.area;
  const FrameLines frame = FindFrameLines(bitmap, area);
  ASSERT_EQ(frame.columns.size(), 3u) << "sheet " << sheet + 1 << ": left, middle, right";
  ASSERT_EQ(frame.rows.size(), per_sheet == 4 ? 3u : 2u) << "sheet " << sheet + 1;
  const int left = frame.columns.front();
  const int right = frame.columns.back();
  const int top = frame.rows.front();
  const int bottom = frame.rows.back();
  EXPECT_GT(left, area.left);
  EXPECT_LT(right, area.right - 1) << "the frame's right side lies on the sheet";
  EXPECT_GT(top, area.top);
  EXPECT_LT(bottom, area.bottom - 1);
  EXPECT_NEAR(frame.columns[1], (area.left + area.right) / 2, 2);
  if (per_sheet == 4) EXPECT_NEAR(frame.rows[1], (area.top + area.bottom) / 2, 2);
  // Inked in every dot from end to end, give or take a dot either side.
  const auto along_row = [&](int y) {
    int covered = 0;
    for (int x = left; x <= right; ++x)
      covered += bitmap.Inked(x, y - 1) || bitmap.Inked(x, y) || bitmap.Inked(x, y + 1);
    return covered >= right - left;
  };
  const auto along_column = [&](int x) {
    int covered = 0;
    for (int y = top; y <= bottom; ++y)
      covered += bitmap.Inked(x - 1, y) || bitmap.Inked(x, y) || bitmap.Inked(x + 1, y);
    return covered >= bottom - top;
  };
  for (int y : frame.rows) EXPECT_TRUE(along_row(y)) << "line across at " << y;
  for (int x : frame.columns) EXPECT_TRUE(along_column(x)) << "line down at " << x;
}

class PrintedSheet : public ::testing::Test {
 protected:
  void SetUp() override { std::strcpy(FOLDER_BUFFERS.program_folder, folder_.path().c_str()); }
  void TearDown() override { FOLDER_BUFFERS = {}; }
  std::string Report(const std::string& text) {
    const std::string path = folder_ / "RUN1.DQO";
    WriteBytes(path, text);
    return path;
  }
  ScratchFolder folder_;
};

struct SampleCase {
  int per_sheet;
  std::vector<std::vector<int>> places;  // of each sheet, the places holding a page
};
// The sample report as shipped, printed from its own folder, which is laid
// out as a program folder and so also holds the plate's metafile.
class PrintedSample : public PrintedSheet, public ::testing::WithParamInterface<SampleCase> {
 protected:
  void SetUp() override { std::strcpy(FOLDER_BUFFERS.program_folder, SampleFolder().c_str()); }
  static std::string SamplePath() {
    std::string path = ZOVK_SAMPLE_REPORT;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  }
  static std::string SampleFolder() {
    const std::string path = SamplePath();
    return path.substr(0, path.find_last_of('\\') + 1);
  }
};

// The sample report: the rating summary and the plate geometry with its
// pictures, a page break, the messages.
TEST_P(PrintedSample, ComesOutOnItsSheetsWithEveryPageInItsPlaceAndTheFrameClosed) {
  const SampleCase& c = GetParam();
  const PrintedSheets printed = PrintReportSheets(SamplePath(), c.per_sheet);
  EXPECT_TRUE(printed.messages.empty()) << printed.messages[0];
  ASSERT_EQ(printed.count(), static_cast<int>(c.places.size()));
  for (int s = 0; s < printed.count(); ++s) {
    ExpectPagesInTheirPlaces(printed, s, c.per_sheet, c.places[std::size_t(s)]);
    if (c.per_sheet > 1) ExpectClosedFrame(printed, s, c.per_sheet);
  }
}

INSTANTIATE_TEST_SUITE_P(PagesASheet, PrintedSample,
                         ::testing::Values(SampleCase{1, {{1}, {1}, {1}}},
                                           SampleCase{2, {{1, 2}, {1}}},
                                           SampleCase{4, {{1, 2}, {1}}}),
                         [](const auto& info) { return std::to_string(info.param.per_sheet); });

struct FullPageCase {
  int per_sheet;
  // 'F' a page of 61 full lines of 79 characters, 'B' a page of one blank
  // line, '|' a page break.
  std::string layout;
};
class PrintedFullPage : public PrintedSheet, public ::testing::WithParamInterface<FullPageCase> {};

// A full page reaches the far corner of its place, its last cell inside it,
// and nothing of it lands in its neighbours' places, whichever place it has.
TEST_P(PrintedFullPage, ReachesTheFarCornerOfItsPlaceAndNoFurther) {
  const FullPageCase& c = GetParam();
  std::string full_line;
  for (int i = 0; i < 79; ++i) full_line += char('0' + i % 10);
  std::string text;
  for (char page : c.layout) {
    if (page == '|') {
      text += "[Page break]\n";
    } else if (page == 'B') {
      text += BodyLine("", '1');
    } else {
      text += BodyLine(full_line, '1');
      for (int row = 1; row < 61; ++row) text += BodyLine(full_line);
    }
  }
  const PrintedSheets printed = PrintReportSheets(Report(text), c.per_sheet);
  EXPECT_TRUE(printed.messages.empty()) << printed.messages[0];
  // The pages of each sheet, in their places.
  std::vector<std::string> sheets(1);
  for (char page : c.layout) {
    if (page == '|' || static_cast<int>(sheets.back().size()) == c.per_sheet) sheets.emplace_back();
    if (page != '|') sheets.back() += page;
  }
  ASSERT_EQ(printed.count(), static_cast<int>(sheets.size()));
  for (int s = 0; s < printed.count(); ++s) {
    const std::string& pages = sheets[std::size_t(s)];
    std::vector<int> full;
    for (std::size_t i = 0; i < pages.size(); ++i)
      if (pages[i] == 'F') full.push_back(static_cast<int>(i) + 1);
    ExpectPagesInTheirPlaces(printed, s, c.per_sheet, full);
    const FrameLines frame =
        c.per_sheet > 1 ? FindFrameLines(printed.sheet(s), printed.area) : FrameLines{};
    for (int p : full) {
      const RECT place = printed.Place(c.per_sheet, p);
      const RECT box = PageInkIn(printed.sheet(s), frame, place).box;
      // The last line and the last column are printed, near the place's far corner.
      EXPECT_GT(box.right, place.left + 0.85 * (place.right - place.left)) << Where(s, p);
      EXPECT_GT(box.bottom, place.top + 0.85 * (place.bottom - place.top)) << Where(s, p);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(PagesASheet, PrintedFullPage,
                         ::testing::Values(FullPageCase{1, "F"}, FullPageCase{2, "FB|BF"},
                                           FullPageCase{4, "FBBF|BFFB"}),
                         [](const auto& info) { return std::to_string(info.param.per_sheet); });

struct RangeCase {
  int per_sheet;
  int first, last;
  std::vector<std::vector<int>> places;  // of each sheet, the places holding a page
};
class PrintedRange : public PrintedSheet, public ::testing::WithParamInterface<RangeCase> {};

// A print range that starts at any place of a sheet: every sheet printed
// has its frame, closed, with the first page printed on it.
TEST_P(PrintedRange, PrintsEverySheetWithItsFrame) {
  const RangeCase& c = GetParam();
  std::string text;
  for (int page = 1; page <= 6; ++page) {
    text += BodyLine("page " + std::to_string(page), '1');
    for (int row = 1; row < 30; ++row) text += BodyLine("row " + std::to_string(row));
  }
  const PrintedSheets printed =
      PrintReportSheetsOfRange(Report(text), c.per_sheet, c.first, c.last);
  EXPECT_TRUE(printed.messages.empty()) << printed.messages[0];
  ASSERT_EQ(printed.count(), static_cast<int>(c.places.size()));
  for (int s = 0; s < printed.count(); ++s) {
    ExpectClosedFrame(printed, s, c.per_sheet);
    ExpectPagesInTheirPlaces(printed, s, c.per_sheet, c.places[std::size_t(s)]);
  }
}

INSTANTIATE_TEST_SUITE_P(PagesASheet, PrintedRange,
                         ::testing::Values(RangeCase{2, 2, 5, {{2}, {1, 2}, {1}}},
                                           RangeCase{4, 2, 4, {{2, 3, 4}}}),
                         [](const auto& info) {
                           return std::to_string(info.param.per_sheet) + "From" +
                                  std::to_string(info.param.first);
                         });

class PrintedPictures : public PrintedSheet, public ::testing::WithParamInterface<int> {};

// The top-left corners of the cells (columns and rows from 1) of place p.
RECT CellRect(const PrintedSheets& printed, int per_sheet, int p, int c1, int r1, int c2, int r2) {
  const RECT place = printed.Place(per_sheet, p);
  const SheetPlace grid = SheetPlaceAt(per_sheet, p);
  const auto x = [&](int column) {
    return LONG(place.left + double(column - 1 + grid.column_offset) * (place.right - place.left) /
                                 grid.columns);
  };
  const auto y = [&](int row) {
    return LONG(place.top +
                double(row - 1 + grid.row_offset) * (place.bottom - place.top) / grid.rows);
  };
  return {x(c1), y(r1), x(c2), y(r2)};
}

// A drawing twice as wide as high: its outline and both diagonals.
std::string CrossDrawing() {
  const std::vector<DRAWING_RECORD> records = {
      Record('L', 1),    Record('M', 0, 0), Record('D', 4, 0), Record('D', 4, 2), Record('D', 0, 2),
      Record('D', 0, 0), Record('D', 4, 2), Record('M', 0, 2), Record('D', 4, 0), Record('T')};
  return DrawingBytesOf(records, "", "CROSS", 4.0f, 2.0f);
}

// An enhanced metafile (from the program folder, its left half black) and a
// drawing of the report's own container, on every page of a sheet: each
// fills its cells, whichever place its page has.
TEST_P(PrintedPictures, FillTheirCellsOnEveryPlace) {
  const int per_sheet = GetParam();
  ASSERT_TRUE(WriteHalfBlackEmf(folder_ / "LOGO.EMF"));
  std::string container;
  std::string text;
  for (int page = 1; page <= per_sheet; ++page) {
    container += CrossDrawing();
    text += "$$$LOGO.EMF 41 3 78 20\n$$$RUN1.ZFD 5 30 35 50\n" + BodyLine("", '1');
    for (int row = 1; row < 55; ++row) text += BodyLine("");
  }
  WriteBytes(folder_ / "RUN1.ZFD", container);
  const PrintedSheets printed = PrintReportSheets(Report(text), per_sheet);
  EXPECT_TRUE(printed.messages.empty()) << printed.messages[0];
  ASSERT_EQ(printed.count(), 1);
  const InkBitmap& sheet = printed.sheet(0);
  const FrameLines frame = per_sheet > 1 ? FindFrameLines(sheet, printed.area) : FrameLines{};
  for (int p = 1; p <= per_sheet; ++p) {
    const RECT logo = CellRect(printed, per_sheet, p, 41, 3, 78, 20);
    const RECT drawing = CellRect(printed, per_sheet, p, 5, 30, 35, 50);
    EXPECT_EQ(sheet.InkIn(Around(BlackHalfMiddle(logo))), 25)
        << "the middle of the metafile's black half, place " << p;
    EXPECT_EQ(sheet.InkIn(Around(WhiteHalfMiddle(logo))), 0)
        << "the middle of the metafile's white half, place " << p;
    const LONG drawing_x = (drawing.left + drawing.right) / 2;
    const LONG drawing_y = (drawing.top + drawing.bottom) / 2;
    EXPECT_GT(sheet.InkIn({drawing_x - 2, drawing_y - 2, drawing_x + 3, drawing_y + 3}), 0)
        << "the middle of the drawing's cells, place " << p;
    const RECT place = printed.Place(per_sheet, p);
    EXPECT_EQ(PageInkIn(sheet, frame, place).dots,
              PageInkIn(sheet, frame, Tolerated(logo, printed.area)).dots +
                  PageInkIn(sheet, frame, Tolerated(drawing, printed.area)).dots)
        << "ink outside the pictures' cells, place " << p;
  }
}

INSTANTIATE_TEST_SUITE_P(PagesASheet, PrintedPictures, ::testing::Values(1, 2, 4));

struct BorderCase {
  int per_sheet;
  int dpi;
};
class PrintedBorders : public PrintedSheet, public ::testing::WithParamInterface<BorderCase> {};

// Pictures whose strokes run along the four sides of their rectangles: an
// enhanced metafile's border on its frame, a placeable metafile's on its
// box, a drawing's outline. On paper every side of each shows, its stroke
// as thick as the side across from it, on every place of the sheet.
TEST_P(PrintedBorders, ShowEverySideOfTheirPictures) {
  const BorderCase& c = GetParam();
  ASSERT_TRUE(WriteBorderedEmf(folder_ / "BOX.EMF"));
  ASSERT_TRUE(WriteBorderedPlaceableMetafile(folder_ / "BOX.WMF"));
  struct Picture {
    const char* name;
    int c1, r1, c2, r2;
  };
  const Picture pictures[] = {
      {"BOX.EMF", 41, 3, 78, 20}, {"BOX.WMF", 41, 30, 78, 50}, {"RUN1.ZFD", 5, 30, 35, 50}};
  std::string container;
  std::string text;
  for (int page = 1; page <= c.per_sheet; ++page) {
    container += CrossDrawing();
    for (const Picture& p : pictures)
      text += "$$$" + std::string(p.name) + " " + std::to_string(p.c1) + " " +
              std::to_string(p.r1) + " " + std::to_string(p.c2) + " " + std::to_string(p.r2) + "\n";
    text += BodyLine("", '1');
    for (int row = 1; row < 55; ++row) text += BodyLine("");
  }
  WriteBytes(folder_ / "RUN1.ZFD", container);
  const PrintedSheets printed = PrintReportSheets(Report(text), c.per_sheet, "", c.dpi);
  EXPECT_TRUE(printed.messages.empty()) << printed.messages[0];
  ASSERT_EQ(printed.count(), 1);
  const InkBitmap& sheet = printed.sheet(0);
  for (int p = 1; p <= c.per_sheet; ++p) {
    for (const Picture& picture : pictures) {
      const RECT cells =
          CellRect(printed, c.per_sheet, p, picture.c1, picture.r1, picture.c2, picture.r2);
      const std::string where = std::string(picture.name) + ", place " + std::to_string(p);
      const BorderInk ink = ExpectEverySide(sheet, Tolerated(cells, printed.area), where);
      if (ink.empty()) continue;
      // A metafile fills its cells: its border lies on their sides.
      if (std::string(picture.name) == "RUN1.ZFD") continue;
      EXPECT_NEAR(ink.box.left, cells.left, 2) << where;
      EXPECT_NEAR(ink.box.top, cells.top, 2) << where;
      EXPECT_NEAR(ink.box.right, cells.right, 2) << where;
      EXPECT_NEAR(ink.box.bottom, cells.bottom, 2) << where;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(PagesASheetAndDotsAnInch, PrintedBorders,
                         ::testing::Values(BorderCase{1, 150}, BorderCase{2, 150},
                                           BorderCase{4, 150}, BorderCase{1, 300},
                                           BorderCase{2, 300}, BorderCase{4, 300}),
                         [](const auto& info) {
                           return std::to_string(info.param.per_sheet) + "At" +
                                  std::to_string(info.param.dpi);
                         });

class PrintedUnmatchedLevel : public PrintedSheet,
                              public ::testing::WithParamInterface<CoverCase> {};

// A picture's SaveDC without its RestoreDC, or its RestoreDC without its
// SaveDC, however many and however far back, by a count or by a level's
// number, changes nothing of the sheet beyond the picture: the page's text
// and other pictures and the sheet's next page come out dot for dot as
// beside the same picture without those records.
TEST_P(PrintedUnmatchedLevel, LeavesTheSheetAsABalancedPictureDoes) {
  const CoverCase& c = GetParam();
  ASSERT_TRUE(WriteHalfBlackEmf(folder_ / "LOGO.EMF"));
  std::string text = "$$$" + std::string(c.picture) + " 41 3 78 20\n$$$LOGO.EMF 5 30 40 45\n" +
                     BodyLine("PLATE HEAT EXCHANGER", '1');
  for (int row = 1; row < 40; ++row)
    text += BodyLine("row " + std::to_string(row) + " of the page");
  text += BodyLine("THE NEXT PAGE", '1') + BodyLine("its text");
  ASSERT_TRUE(WriteCoveringMetafile(folder_ / c.picture, UnmatchedLevel::kNone));
  const PrintedSheets balanced = PrintReportSheets(Report(text), 2);
  ASSERT_TRUE(WriteCoveringMetafile(folder_ / c.picture, c.unmatched));
  const PrintedSheets unmatched = PrintReportSheets(Report(text), 2);
  EXPECT_TRUE(unmatched.messages.empty()) << unmatched.messages[0];
  ASSERT_EQ(balanced.count(), 1);
  ASSERT_EQ(unmatched.count(), 1);
  // Both pages and both pictures are printed.
  ExpectPagesInTheirPlaces(balanced, 0, 2, {1, 2});
  const RECT logo = CellRect(balanced, 2, 1, 5, 30, 40, 45);
  EXPECT_EQ(balanced.sheet(0).InkIn(Around(BlackHalfMiddle(logo))), 25);
  const RECT cover = CellRect(balanced, 2, 1, 41, 3, 78, 20);
  EXPECT_EQ(balanced.sheet(0).InkIn(Around(WhiteHalfMiddle(cover))), 25);
  EXPECT_TRUE(unmatched.sheet(0).gray == balanced.sheet(0).gray);
}

INSTANTIATE_TEST_SUITE_P(Records, PrintedUnmatchedLevel, ::testing::ValuesIn(CoverCases()),
                         [](const auto& info) { return CoverCaseName(info.param); });

// A picture line whose rows run past the page's foot is held to the page's
// rows: at four pages a sheet each page's picture ends at its page's foot,
// every side of its border inside its place and nothing outside it, dot for
// dot as the same picture whose rows end at the foot.
TEST_F(PrintedSheet, APictureWhoseRowsRunPastThePagesFootEndsThere) {
  ASSERT_TRUE(WriteBorderedEmf(folder_ / "BOX.EMF"));
  const auto print = [&](const std::string& cells) {
    std::string text;
    for (int page = 1; page <= 4; ++page) {
      text += "$$$BOX.EMF " + cells + "\n" + BodyLine("page " + std::to_string(page), '1');
      for (int row = 1; row < 10; ++row) text += BodyLine("row " + std::to_string(row));
    }
    return PrintReportSheets(Report(text), 4);
  };
  const PrintedSheets past = print("1 40 40 100");
  const PrintedSheets at_foot = print("1 40 40 62");
  EXPECT_TRUE(past.messages.empty()) << past.messages[0];
  ASSERT_EQ(past.count(), 1);
  ASSERT_EQ(at_foot.count(), 1);
  ExpectPagesInTheirPlaces(past, 0, 4, {1, 2, 3, 4});
  for (int p = 1; p <= 4; ++p) {
    const RECT cells = CellRect(past, 4, p, 1, 40, 40, 62);
    const BorderInk ink =
        ExpectEverySide(past.sheet(0), Tolerated(cells, past.area), "place " + std::to_string(p));
    if (!ink.empty()) EXPECT_NEAR(ink.box.bottom, cells.bottom, 2) << "place " << p;
  }
  EXPECT_TRUE(past.sheet(0).gray == at_foot.sheet(0).gray);
}

// The sample's second page shows the channel arrangement from the report's
// own container under its caption and the plate's metafile from the program
// folder beside the geometry, each inking the whole of its cells, the
// drawing in its own proportions; the rows and columns around them hold no
// text, so what is inked there is the pictures'.
TEST_P(PrintedSample, ShowsItsDrawingAndItsPlateInTheirCells) {
  const SampleCase& c = GetParam();
  const PrintedSheets printed = PrintReportSheets(SamplePath(), c.per_sheet);
  EXPECT_TRUE(printed.messages.empty()) << printed.messages[0];
  // Page 2 is alone on sheet 2 at one page a sheet, else the second place of sheet 1.
  const int sheet_index = c.per_sheet == 1 ? 1 : 0;
  const int p = c.per_sheet == 1 ? 1 : 2;
  ASSERT_GT(printed.count(), sheet_index);
  const InkBitmap& sheet = printed.sheet(sheet_index);
  const auto part = [](const RECT& r, int i, int n, bool across) {
    if (across)
      return RECT{r.left + (r.right - r.left) * i / n, r.top,
                  r.left + (r.right - r.left) * (i + 1) / n, r.bottom};
    return RECT{r.left, r.top + (r.bottom - r.top) * i / n, r.right,
                r.top + (r.bottom - r.top) * (i + 1) / n};
  };
  const RECT drawing = CellRect(printed, c.per_sheet, p, 2, 9, 58, 24);
  const RECT plate = CellRect(printed, c.per_sheet, p, 63, 2, 77, 19);
  for (const auto& [name, cells] : {std::pair{"drawing", drawing}, std::pair{"plate", plate}}) {
    for (int i = 0; i < 4; ++i) {
      EXPECT_GT(sheet.InkIn(part(cells, i, 4, true)), 0) << name << ", a quarter across " << i;
      EXPECT_GT(sheet.InkIn(part(cells, i, 4, false)), 0) << name << ", a quarter down " << i;
    }
  }
  // The channel arrangement's ink, from its connections' labels to the
  // pressure plate's and from the end plates' tops to their labels, is 2.1
  // times as wide as high at every place: the drawing keeps its proportions.
  const PageInk ink = PageInkIn(sheet, FrameLines{}, drawing);
  EXPECT_NEAR(double(ink.box.right - ink.box.left) / (ink.box.bottom - ink.box.top), 2.1, 0.1);
  // The plate's metafile fills its cells from side to side and top to foot.
  const PageInk plate_ink = PageInkIn(sheet, FrameLines{}, plate);
  EXPECT_GT(plate_ink.box.right - plate_ink.box.left, 0.85 * (plate.right - plate.left));
  EXPECT_GT(plate_ink.box.bottom - plate_ink.box.top, 0.85 * (plate.bottom - plate.top));
}

// The report's drawings are found by the report's own folder: printed from
// any other current folder, the sheet carries the same ink.
TEST_F(PrintedSheet, ComesOutTheSameFromAnotherCurrentFolder) {
  // The metafile in a program folder of its own, the container beside the
  // report only.
  ScratchFolder program;
  std::strcpy(FOLDER_BUFFERS.program_folder, program.path().c_str());
  ASSERT_TRUE(WriteHalfBlackEmf(program / "LOGO.EMF"));
  WriteBytes(folder_ / "RUN1.ZFD", CrossDrawing());
  std::string text = "$$$LOGO.EMF 41 3 78 20\n$$$RUN1.ZFD 5 30 35 50\n" + BodyLine("PLATE", '1');
  for (int row = 1; row < 55; ++row) text += BodyLine("row " + std::to_string(row));
  const std::string report = Report(text);
  ScratchFolder elsewhere;
  const PrintedSheets here = PrintReportSheets(report, 2);
  const PrintedSheets there = PrintReportSheets(report, 2, elsewhere.path());
  EXPECT_TRUE(there.messages.empty()) << there.messages[0];
  ASSERT_EQ(here.count(), 1);
  ASSERT_EQ(there.count(), 1);
  const RECT drawing = CellRect(there, 2, 1, 5, 30, 35, 50);
  const LONG x = (drawing.left + drawing.right) / 2;
  const LONG y = (drawing.top + drawing.bottom) / 2;
  EXPECT_GT(there.sheet(0).InkIn({x - 2, y - 2, x + 3, y + 3}), 0) << "the drawing is printed";
  EXPECT_TRUE(here.sheet(0).gray == there.sheet(0).gray);
}

}  // namespace
