// The screen painted on an enhanced-metafile device context: texts at their
// cells' x in the OEM text converted, values and leaders measured on the same
// device context, lines, frames and colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "report/screen/screen_face.h"
#include "tests/common/metafile_records.h"
#include "tests/screen/screen_fonts.h"
#include "tests/screen/screen_page.h"

namespace {

// 800 by 500: cells of 10 by 20 pixels, the grid from x = 5.
constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 500;

std::string Trimmed(const std::string& text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

class ScreenPainting : public testing::Test {
 protected:
  void SetUp() override { metrics_.emplace(field_font_, text_font_, kWidth, kHeight); }

  POINT At(int32_t cell) {
    POINT p;
    CellToPoint(cell, &p);
    return p;
  }
  void Row(int32_t row, char attribute, std::string_view text) {
    std::memset(SCREEN_ATTRIBUTES + Cell(row, 0), attribute, ROW_CELLS);
    std::memcpy(SCREEN_TEXT + Cell(row, 0), text.data(), text.size());
  }
  void DrawRows(int32_t first_row, int32_t rows) {
    DrawCells(canvas_.dc(), SCREEN_TEXT + Cell(first_row, 0),
              SCREEN_ATTRIBUTES + Cell(first_row, 0), rows * ROW_CELLS, Cell(first_row, 0));
  }
  // The texts recorded that show something, blanks trimmed off their ends.
  std::vector<EmfRecords::Text> Shown(const EmfRecords& records) {
    std::vector<EmfRecords::Text> shown;
    for (EmfRecords::Text t : records.texts()) {
      t.text = Trimmed(t.text);
      if (!t.text.empty()) shown.push_back(t);
    }
    return shown;
  }

  ScreenBuffersScope screen_;
  LanguageIndexScope english_{1};
  UniqueGdiObject text_font_ = ScreenTestFont(14, 7);
  UniqueGdiObject field_font_ = ScreenTestFont(18, 10);
  std::optional<ScreenMetricsScope> metrics_;
  EmfCanvas canvas_;
};

TEST_F(ScreenPainting, TextRunsStartAtTheirCellsX) {
  Row(0, 1, "Flow:  12  kg/s");
  DrawRows(0, 1);
  const std::vector<EmfRecords::Text> shown = Shown(canvas_.finish());
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, "Flow:");
  EXPECT_EQ(shown[0].reference.x, At(0).x);
  EXPECT_EQ(shown[1].text, "12");
  EXPECT_EQ(shown[1].reference.x, At(7).x);
  EXPECT_EQ(shown[2].text, "kg/s");
  EXPECT_EQ(shown[2].reference.x, At(11).x);
  EXPECT_EQ(shown[2].reference.y, 0);
}

TEST_F(ScreenPainting, TextIsWrittenFromTheOemCodePage) {
  Row(1, 1, "caf\x82 \x81");
  DrawRows(1, 1);
  const std::vector<EmfRecords::Text> shown = Shown(canvas_.finish());
  ASSERT_EQ(shown.size(), 1u);
  // OEM 0x82 and 0x81 are the ANSI code page's 0xE9 and 0xFC.
  EXPECT_EQ(shown[0].text, "caf\xE9 \xFC");
}

TEST_F(ScreenPainting, InChineseBoxCharactersAreTextAndNothingIsConverted) {
  LanguageIndexScope chinese(CHINESE_LANGUAGE_INDEX);
  Row(1, 1, "\xC4\xC4\xB3 caf\x82");
  DrawRows(1, 1);
  DrawScreenLinesOn(canvas_.dc(), 1, 1);
  const EmfRecords records = canvas_.finish();
  const std::vector<EmfRecords::Text> shown = Shown(records);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "\xC4\xC4\xB3 caf\x82");
  EXPECT_EQ(records.lines().size(), 0u);
}

TEST_F(ScreenPainting, BoxCharactersBecomeLinesAndNeverText) {
  Row(3, 2, "  |---| +");
  DrawRows(3, 1);
  DrawScreenLinesOn(canvas_.dc(), 0, SCREEN_ROWS);
  const EmfRecords records = canvas_.finish();
  const std::vector<EmfRecords::Text> shown = Shown(records);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "+");
  // The horizontal line from the first bar's centre to the last bar's, at
  // the row's middle, in attribute 2's pen; the bars stand for short
  // vertical lines too, and the rule above row 23 is always there.
  const int32_t h = 5;
  const int32_t v = 10;
  const std::vector<EmfRecords::Point> moves = records.moves();
  const std::vector<EmfRecords::Point> lines = records.lines();
  ASSERT_GE(moves.size(), 1u);
  ASSERT_EQ(moves.size(), lines.size());
  EXPECT_EQ(moves[0].at.x, At(Cell(3, 2)).x + h);
  EXPECT_EQ(moves[0].at.y, At(Cell(3, 2)).y + v);
  EXPECT_EQ(lines[0].at.x, At(Cell(3, 7)).x - h);
  EXPECT_EQ(lines[0].at.y, At(Cell(3, 2)).y + v);
  const std::vector<EmfRecords::Pen> pens = records.pens();
  ASSERT_FALSE(pens.empty());
  EXPECT_EQ(pens[0].log.lopnColor, RGB(0, 127, 63));
}

TEST_F(ScreenPainting, AFourCellFieldIsFramedFromTwoPixelsLeftOfItsFirstCell) {
  Row(4, 1, "Flow:1.50");
  std::memset(SCREEN_ATTRIBUTES + Cell(4, 5), ATTRIBUTE_FIELD, 4);
  DrawRows(4, 1);
  DrawScreenLinesOn(canvas_.dc(), 4, 1);
  const EmfRecords records = canvas_.finish();
  const POINT first = At(Cell(4, 5));
  const POINT after = At(Cell(4, 9));
  const std::vector<EmfRecords::Box> boxes = records.rectangles();
  ASSERT_EQ(boxes.size(), 1u);
  // Recorded with right and bottom one less than drawn.
  EXPECT_EQ(boxes[0].box.left, first.x - 2);
  EXPECT_EQ(boxes[0].box.top, first.y);
  EXPECT_EQ(boxes[0].box.right, after.x - 1);
  EXPECT_EQ(boxes[0].box.bottom, first.y + 20 - 1);
  // The field's text in the field font on the field's colours, the label
  // in the text font.
  const std::vector<EmfRecords::Text> shown = Shown(records);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "Flow:");
  EXPECT_EQ(shown[1].text, "1.50");
  EXPECT_EQ(shown[1].reference.x, first.x);
  LOGFONTW label{};
  LOGFONTW field{};
  ASSERT_TRUE(records.font_at(shown[0].index, &label));
  ASSERT_TRUE(records.font_at(shown[1].index, &field));
  EXPECT_EQ(label.lfHeight, -14);
  EXPECT_EQ(field.lfHeight, -18);
  const std::vector<COLORREF> backgrounds = records.background_colours();
  EXPECT_NE(std::find(backgrounds.begin(), backgrounds.end(), RGB(0, 255, 255)), backgrounds.end());
  // Lines along the field's top and bottom from its first cell to its last cell's right edge.
  const std::vector<EmfRecords::Point> moves = records.moves();
  const std::vector<EmfRecords::Point> lines = records.lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(moves[0].at.x, first.x);
  EXPECT_EQ(moves[0].at.y, first.y);
  EXPECT_EQ(lines[0].at.x, after.x);
  EXPECT_EQ(moves[1].at.y, first.y + 20);
}

TEST_F(ScreenPainting, ValuesAreMeasuredOnTheSameDeviceContext) {
  Row(3, 1, "Flow rate");
  screen_.Merge(Cell(3, 30), '}', "1234.5");
  screen_.Merge(Cell(5, 40), '~', "Hot side");
  std::memset(SCREEN_ATTRIBUTES + Cell(5, 0), 1, ROW_CELLS);
  const int32_t number = TextWidthIn(canvas_.dc(), text_font_, "1234.5");
  const int32_t title = TextWidthIn(canvas_.dc(), text_font_, "Hot side");
  DrawRows(3, 3);
  const std::vector<EmfRecords::Text> shown = Shown(canvas_.finish());
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[1].text, "1234.5");
  EXPECT_EQ(shown[1].reference.x, At(Cell(3, 30)).x + 10 - number);
  EXPECT_EQ(shown[2].text, "Hot side");
  EXPECT_EQ(shown[2].reference.x, At(Cell(5, 40)).x - (title - 10) / 2);
}

TEST_F(ScreenPainting, ALeaderGainsFewerDotsInAWideFontAndTheNumberStaysAtItsCell) {
  // Cells of 20 pixels, so both fonts fit a cell.
  std::vector<std::size_t> added;
  for (int width : {7, 12}) {
    EmfCanvas canvas;
    const UniqueGdiObject font = ScreenTestFont(2 * width, width);
    ScreenMetricsScope wide_cells(field_font_, font, 1600, kHeight);
    Row(7, 1, "Length.......12");
    const int32_t dot = TextWidthIn(canvas.dc(), font, "....") / 4;
    DrawCells(canvas.dc(), SCREEN_TEXT + Cell(7, 0), SCREEN_ATTRIBUTES + Cell(7, 0), ROW_CELLS,
              Cell(7, 0));
    const std::vector<EmfRecords::Text> shown = Shown(canvas.finish());
    ASSERT_EQ(shown.size(), 1u);
    const std::string& text = shown[0].text;
    ASSERT_EQ(text.substr(text.size() - 2), "12");
    added.push_back(text.size() - 15);
    EmfCanvas measuring;
    const int32_t number_x =
        shown[0].reference.x + TextWidthIn(measuring.dc(), font, text.substr(0, text.size() - 2));
    POINT own;
    CellToPoint(Cell(7, 13), &own);
    EXPECT_LE(number_x, own.x);
    EXPECT_GT(number_x, own.x - dot);
  }
  EXPECT_GT(added[0], added[1]);
}

// Wide cells and a narrow font: the leader takes far more dots than a text
// line holds, and the whole segment is still converted and shown.
TEST_F(ScreenPainting, ALeaderLongerThanATextLineIsShownWhole) {
  const UniqueGdiObject font = ScreenTestFont(8, 3);
  ScreenMetricsScope wide_cells(field_font_, font, 8000, kHeight);
  Row(7, 1, "Length" + std::string(69, '.') + "12");
  DrawCells(canvas_.dc(), SCREEN_TEXT + Cell(7, 0), SCREEN_ATTRIBUTES + Cell(7, 0), ROW_CELLS,
            Cell(7, 0));
  const std::vector<EmfRecords::Text> shown = Shown(canvas_.finish());
  ASSERT_EQ(shown.size(), 1u);
  const std::string& text = shown[0].text;
  EXPECT_GT(text.size(), 161u);
  EXPECT_LE(text.size(), static_cast<std::size_t>(LEADER_TEXT_LIMIT));
  EXPECT_EQ(text.substr(0, 6), "Length");
  EXPECT_EQ(text.substr(text.size() - 2), "12");
  EXPECT_EQ(text.find_first_not_of('.', 6), text.size() - 2);
}

TEST_F(ScreenPainting, UnderlinesOfSeventyNineAndSixtyCells) {
  SCREEN_ATTRIBUTES[Cell(2, 79)] = 'u';
  SCREEN_ATTRIBUTES[Cell(6, 79)] = 'v';
  DrawScreenLinesOn(canvas_.dc(), 0, 10);
  const EmfRecords records = canvas_.finish();
  const std::vector<EmfRecords::Point> moves = records.moves();
  const std::vector<EmfRecords::Point> lines = records.lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(moves[0].at.x, At(Cell(2, 0)).x);
  EXPECT_EQ(moves[0].at.y, At(Cell(2, 0)).y + 20);
  EXPECT_EQ(lines[0].at.x, At(Cell(2, 79)).x - 5);
  EXPECT_EQ(lines[1].at.x, At(Cell(6, 60)).x - 5);
}

TEST_F(ScreenPainting, TheStatusRowIsWrittenUnconvertedOnTheCaptionColours) {
  std::memset(SCREEN_ATTRIBUTES + STATUS_ROW_CELL, ATTRIBUTE_STATUS, ROW_CELLS);
  std::memcpy(SCREEN_TEXT + STATUS_ROW_CELL, "caf\x82", 4);
  std::memcpy(SCREEN_TEXT + STATUS_RIGHT_CELL, "Page 2", 6);
  DrawRows(24, 1);
  const EmfRecords records = canvas_.finish();
  const std::vector<EmfRecords::Text> shown = Shown(records);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "caf\x82");
  EXPECT_EQ(shown[0].reference.x, At(STATUS_ROW_CELL).x);
  EXPECT_EQ(shown[1].text, "Page 2");
  EXPECT_EQ(shown[1].reference.x, At(STATUS_RIGHT_CELL).x);
  COLORREF caption;
  COLORREF caption_text;
  GetAttributeColours(ATTRIBUTE_STATUS, &caption, &caption_text);
  EXPECT_EQ(records.background_colours().back(), caption);
  EXPECT_EQ(records.text_colours().back(), caption_text);
}

TEST_F(ScreenPainting, AFieldCharacterIsWrittenFramedAndKept) {
  PaintFieldCharacterOn(canvas_.dc(), '7', ATTRIBUTE_FIELD, Cell(9, 12));
  const EmfRecords records = canvas_.finish();
  const std::vector<EmfRecords::Text> texts = records.texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "7");
  EXPECT_EQ(texts[0].reference.x, At(Cell(9, 12)).x);
  ASSERT_EQ(records.lines().size(), 2u);
  EXPECT_EQ(records.lines()[1].at.x, At(Cell(9, 13)).x);
  EXPECT_EQ(records.lines()[1].at.y, At(Cell(9, 12)).y + 20);
  EXPECT_EQ(SCREEN_TEXT[Cell(9, 12)], '7');
  EXPECT_EQ(SCREEN_ATTRIBUTES[Cell(9, 12)], ATTRIBUTE_FIELD);
}

TEST_F(ScreenPainting, ShownCellsAreKeptForTheNextRepaint) {
  std::string text(5, 'k');
  std::vector<char> attributes(5, 3);
  DrawCells(canvas_.dc(), text.data(), attributes.data(), 5, Cell(12, 3));
  EXPECT_EQ(std::string(SCREEN_TEXT + Cell(12, 3), 5), "kkkkk");
  EXPECT_EQ(SCREEN_ATTRIBUTES[Cell(12, 7)], 3);
  // A call reaching past the screen is cut at its end.
  DrawCells(canvas_.dc(), text.data(), attributes.data(), 5, 1998);
  EXPECT_EQ(std::string(SCREEN_TEXT + 1998, 2), "kk");
}

// The pen selected when the record at index was played, by the colour it
// was made with; none before the first pen made on the context is selected.
std::optional<COLORREF> PenColourAt(const EmfRecords& records, std::size_t index) {
  const std::vector<EmfRecords::Pen> pens = records.pens();
  std::optional<COLORREF> colour;
  for (const EmfRecords::Selection& selected : records.selections()) {
    if (selected.index >= index) break;
    for (auto pen = pens.rbegin(); pen != pens.rend(); ++pen)
      if (pen->handle == selected.handle && pen->index < selected.index) {
        colour = pen->log.lopnColor;
        break;
      }
  }
  return colour;
}

// A device context handed to a routine a second time may hold anything: here
// the owner's own font and pen are selected on it between two calls, as a
// window's context handed out again under the same handle holds its own.
// Each call selects what it writes and draws with all the same.
TEST_F(ScreenPainting, EachCallSelectsItsFontAndPenOnTheContextItIsGiven) {
  const UniqueGdiObject owners_font = ScreenTestFont(30, 15);
  const UniqueGdiObject owners_pen(CreatePen(PS_SOLID, 1, RGB(9, 9, 9)));
  Row(1, 1, "Flow");
  Row(2, 2, "|---|");
  struct Call {
    const char* name;
    std::function<void()> draw;
    LONG font_height;             // of the text written, 0 when none is
    std::optional<COLORREF> pen;  // of the first line drawn, when one is
  };
  const HDC dc = canvas_.dc();
  const std::vector<Call> calls = {
      {"DrawCells", [&] { DrawRows(1, 1); }, -14, std::nullopt},
      {"DrawScreenLinesOn", [&] { DrawScreenLinesOn(dc, 2, 1); }, 0, RGB(0, 127, 63)},
      {"PaintFieldCharacterOn",
       [&] { PaintFieldCharacterOn(dc, '7', ATTRIBUTE_FIELD, Cell(9, 12)); }, -18, RGB(0, 0, 0)},
      {"DrawLeaderSegment", [&] { DrawLeaderSegment(dc, "ab", Cell(11, 3), 2); }, -14,
       std::nullopt},
  };
  for (const Call& call : calls) {
    call.draw();
    // A comment marks where the owner's selections begin.
    GdiComment(dc, 5, reinterpret_cast<const BYTE*>("owner"));
    SelectObject(dc, owners_font.get());
    SelectObject(dc, owners_pen.get());
    call.draw();
  }
  const EmfRecords records = canvas_.finish();
  std::size_t from = 0;
  for (const Call& call : calls) {
    from = records.find(EMR_GDICOMMENT, from) + 1;
    ASSERT_NE(from, 0u) << call.name;
    if (call.font_height != 0) {
      const std::size_t text = records.find(EMR_EXTTEXTOUTW, from);
      ASSERT_NE(text, EmfRecords::npos) << call.name;
      LOGFONTW font{};
      ASSERT_TRUE(records.font_at(text, &font)) << call.name;
      EXPECT_EQ(font.lfHeight, call.font_height) << call.name;
    }
    if (call.pen) {
      const std::size_t line = records.find(EMR_LINETO, from);
      ASSERT_NE(line, EmfRecords::npos) << call.name;
      EXPECT_EQ(PenColourAt(records, line), call.pen) << call.name;
    }
  }
}

// A form loaded after a report page shows its own text: the page's marks and
// values are gone with it.
TEST_F(ScreenPainting, AFormLoadedAfterAReportPageShowsItsOwnText) {
  screen_.Merge(Cell(3, 33), '}', "999");
  LAYOUT_MARKS[Cell(5, 40)] = '~';  // a centred mark that had no value
  std::string form(STATUS_ROW_CELL, ' ');
  std::string attributes(STATUS_ROW_CELL, 1);
  form.replace(Cell(3, 20), 14, "Flow       120");
  form.replace(Cell(5, 38), 5, "A Z B");
  LoadScreen(form.data(), attributes.data());
  EXPECT_EQ(std::count(std::begin(LAYOUT_MARKS), std::end(LAYOUT_MARKS), ' '), SCREEN_CELLS);
  EXPECT_EQ(std::count(std::begin(FIELD_INDEX), std::end(FIELD_INDEX), -1), SCREEN_CELLS);
  EXPECT_STREQ(FIELD_DATA, "");
  DrawRows(3, 3);
  const std::vector<EmfRecords::Text> shown = Shown(canvas_.finish());
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, "Flow");
  EXPECT_EQ(shown[1].text, "120");
  EXPECT_EQ(shown[1].reference.x, At(Cell(3, 31)).x);
  EXPECT_EQ(shown[2].text, "A Z B");
  EXPECT_EQ(shown[2].reference.x, At(Cell(5, 38)).x);
}

TEST_F(ScreenPainting, AColourPerAttribute) {
  struct Expected {
    int32_t attribute;
    COLORREF text;
    COLORREF background;
  };
  for (const Expected& e : {Expected{0, RGB(0, 0, 127), RGB(255, 255, 255)},
                            Expected{2, RGB(0, 127, 63), RGB(255, 255, 255)},
                            Expected{4, RGB(255, 0, 0), RGB(255, 255, 255)},
                            Expected{7, RGB(127, 63, 0), RGB(192, 192, 192)},
                            Expected{8, RGB(127, 63, 0), RGB(127, 127, 127)},
                            Expected{'u', RGB(0, 0, 127), RGB(255, 255, 255)},
                            Expected{15, RGB(0, 0, 127), RGB(255, 255, 255)}}) {
    COLORREF background;
    COLORREF text;
    GetAttributeColours(e.attribute, &background, &text);
    EXPECT_EQ(text, e.text) << e.attribute;
    EXPECT_EQ(background, e.background) << e.attribute;
  }
  ColourSlot slot{};
  UnpackColour(&slot, RGB(1, 2, 3));
  EXPECT_EQ(slot.red, 1);
  EXPECT_EQ(slot.green, 2);
  EXPECT_EQ(slot.blue, 3);
}

}  // namespace
