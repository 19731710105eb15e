// Drawing execution, read back from an enhanced-metafile context: the points,
// boxes, pens, fonts and texts that the records become.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "report/drawing/drawing_execution.h"
#include "tests/common/metafile_records.h"
#include "tests/drawing/container_bytes.h"

namespace {

DRAWING_RECORD Full(char letter, float f1, float f2, float f3 = 0, float f4 = 0, float f5 = 0,
                    float f6 = 0) {
  DRAWING_RECORD r = Record(letter, f1, f2);
  r.f3 = f3;
  r.f4 = f4;
  r.f5 = f5;
  r.f6 = f6;
  return r;
}

// H 1000, origin (0, 0), 100 logical units a drawing unit.
EmfRecords Execute(const std::vector<DRAWING_RECORD>& records, const char* texts = nullptr,
                   int32_t text_size = 0) {
  EmfCanvas canvas;
  ExecuteDrawing(canvas.dc(), records.data(), static_cast<int32_t>(records.size()), texts,
                 text_size, SIZE{5000, 1000}, POINT{0, 0}, 100.0f);
  return canvas.finish();
}

bool Same(POINTL p, LONG x, LONG y) { return p.x == x && p.y == y; }

// The pen selected last before the record at index: for each selection, the
// object its slot held then is the one created last in that slot before it.
LOGPEN PenInEffectAt(const EmfRecords& emf, std::size_t index) {
  LOGPEN pen{};
  for (const auto& s : emf.selections()) {
    if (s.index > index) break;
    std::size_t made = 0;
    bool is_pen = false;
    LOGPEN made_pen{};
    for (const auto& p : emf.pens())
      if (p.handle == s.handle && p.index < s.index && p.index >= made) {
        made = p.index;
        made_pen = p.log;
        is_pen = true;
      }
    for (const auto& f : emf.fonts())
      if (f.handle == s.handle && f.index < s.index && f.index > made) is_pen = false;
    if (is_pen) pen = made_pen;
  }
  return pen;
}

TEST(DrawingExecutionTest, MovesLandOnTheMappedPoint) {
  const EmfRecords emf = Execute({Record('M', 2.5f, 3.0f), Record('D', 4.0f, 0.0f)});
  ASSERT_EQ(emf.moves().size(), 1u);
  EXPECT_TRUE(Same(emf.moves()[0].at, 250, 700));
  ASSERT_EQ(emf.lines().size(), 1u);
  EXPECT_TRUE(Same(emf.lines()[0].at, 400, 1000));
}

struct PenCase {
  float f1;
  UINT style;
  LONG width;
};

class DrawingPenTest : public ::testing::TestWithParam<PenCase> {};

// A whole part of 1 selects the thick solid pen, anything else the thin dotted one.
TEST_P(DrawingPenTest, PenRecordSelectsByItsWholePart) {
  const EmfRecords emf = Execute({Record('L', GetParam().f1), Record('D', 1.0f, 1.0f)});
  ASSERT_EQ(emf.lines().size(), 1u);
  const LOGPEN pen = PenInEffectAt(emf, emf.lines()[0].index);
  EXPECT_EQ(pen.lopnStyle, GetParam().style);
  EXPECT_EQ(pen.lopnWidth.x, GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(Values, DrawingPenTest,
                         ::testing::Values(PenCase{1.0f, PS_SOLID, 10}, PenCase{1.7f, PS_SOLID, 10},
                                           PenCase{0.0f, PS_DOT, 1}, PenCase{2.0f, PS_DOT, 1},
                                           PenCase{-1.0f, PS_DOT, 1}));

TEST(DrawingExecutionTest, DrawingStartsWithTheThickPen) {
  const EmfRecords emf = Execute({Record('D', 1.0f, 1.0f)});
  ASSERT_EQ(emf.lines().size(), 1u);
  EXPECT_EQ(PenInEffectAt(emf, emf.lines()[0].index).lopnWidth.x, 10);
}

// Centre (5, 5), radius 2, start 0: the box (300, 300)-(700, 700), recorded
// with right and bottom one less. The start point is (700, 500); at 90
// degrees (in single precision) the cosine is just below 0 and the sine just
// below 1, so the end point truncates to (499, 1000 - 699).
TEST(DrawingExecutionTest, CirclesArcsAndTheirDirection) {
  EmfRecords emf = Execute({Full('C', 5, 5, 2, 0, 360)});
  ASSERT_EQ(emf.ellipses().size(), 1u);
  EXPECT_EQ(emf.arcs().size(), 0u);
  const RECTL box = emf.ellipses()[0].box;
  EXPECT_EQ(box.left, 300);
  EXPECT_EQ(box.top, 300);
  EXPECT_EQ(box.right, 699);
  EXPECT_EQ(box.bottom, 699);

  emf = Execute({Full('C', 5, 5, 2, 0, 90)});
  ASSERT_EQ(emf.arcs().size(), 1u);
  EXPECT_TRUE(Same(emf.arcs()[0].start, 700, 500));
  EXPECT_TRUE(Same(emf.arcs()[0].end, 499, 301));
  // Drawn without filling, and the current position ends at the end point.
  const auto selections = emf.selections();
  const auto before = std::find_if(selections.rbegin(), selections.rend(),
                                   [&](const auto& s) { return s.index < emf.arcs()[0].index; });
  ASSERT_NE(before, selections.rend());
  EXPECT_EQ(before->handle, 0x80000000u | NULL_BRUSH);
  ASSERT_FALSE(emf.moves().empty());
  EXPECT_TRUE(Same(emf.moves().back().at, 499, 301));

  // A negative sweep: the arc from the end point back to the start point.
  emf = Execute({Full('C', 5, 5, 2, 0, -90)});
  ASSERT_EQ(emf.arcs().size(), 1u);
  EXPECT_TRUE(Same(emf.arcs()[0].start, 499, 700));
  EXPECT_TRUE(Same(emf.arcs()[0].end, 700, 500));
}

TEST(DrawingExecutionTest, EllipseRecordsTakeTwoRadii) {
  const EmfRecords emf = Execute({Full('E', 5, 5, 2, 1, 0, 400)});
  ASSERT_EQ(emf.ellipses().size(), 1u);
  const RECTL box = emf.ellipses()[0].box;
  EXPECT_EQ(box.left, 300);
  EXPECT_EQ(box.top, 400);
  EXPECT_EQ(box.right, 699);
  EXPECT_EQ(box.bottom, 599);
}

TEST(DrawingExecutionTest, AnArcWithinOneUnitIsAWholeEllipse) {
  const EmfRecords emf = Execute({Full('C', 5, 5, 0.004f, 0, 90)});
  ASSERT_EQ(emf.arcs().size(), 1u);
  EXPECT_TRUE(Same(emf.arcs()[0].start, emf.arcs()[0].end.x, emf.arcs()[0].end.y));
}

// The S record of the text at (2, 1), height 0.5, angle 90: a font 50 units
// high at 900 tenths of a degree; the top-left corner 1.2 heights left of the
// anchor (cos 90 degrees is just below 0, so y truncates to 99).
TEST(DrawingExecutionTest, TextIsRotatedAboutItsAnchor) {
  const char texts[] = "TEXT\0\0\0\0\0\0";
  const EmfRecords emf = Execute({Full('S', 2.0f, 1.0f, 0.5f, 90.0f, 4, 0)}, texts, 10);
  ASSERT_EQ(emf.texts().size(), 1u);
  EXPECT_EQ(emf.texts()[0].text, "TEXT");
  EXPECT_TRUE(Same(emf.texts()[0].reference, 140, 901));
  const auto fonts = emf.fonts();
  const auto font =
      std::find_if(fonts.begin(), fonts.end(), [](const auto& f) { return f.log.lfHeight == 50; });
  ASSERT_NE(font, fonts.end());
  EXPECT_EQ(font->log.lfEscapement, 900);
  EXPECT_EQ(font->log.lfOrientation, 900);
  EXPECT_EQ(font->log.lfWeight, FW_NORMAL);
  EXPECT_EQ(font->log.lfQuality, PROOF_QUALITY);
  EXPECT_EQ(font->face, "Arial");
  ASSERT_FALSE(emf.moves().empty());
  EXPECT_TRUE(Same(emf.moves().back().at, 200, 900));
  EXPECT_GT(emf.moves().back().index, emf.texts()[0].index);
}

struct TextCase {
  const char* what;
  bool with_area;
  int32_t size;
  float offset;
  float length;
  std::string drawn;
};

class DrawingTextAreaTest : public ::testing::TestWithParam<TextCase> {};

// Only what lies inside the text area is drawn, at most 99 characters.
TEST_P(DrawingTextAreaTest, DrawsOnlyWhatLiesInside) {
  const TextCase& c = GetParam();
  std::string area(200, '\0');
  for (std::size_t i = 0; i < area.size(); ++i) area[i] = static_cast<char>('A' + i % 26);
  const EmfRecords emf = Execute({Full('S', 1, 1, 0.1f, 0, c.length, c.offset)},
                                 c.with_area ? area.c_str() : nullptr, c.size);
  std::string drawn;
  for (const auto& t : emf.texts()) drawn += t.text;
  EXPECT_EQ(drawn, c.drawn);
  // The current position still ends at the anchor.
  ASSERT_FALSE(emf.moves().empty());
  EXPECT_TRUE(Same(emf.moves().back().at, 100, 900));
}

INSTANTIATE_TEST_SUITE_P(Cases, DrawingTextAreaTest,
                         ::testing::Values(TextCase{"inside", true, 10, 2, 3, "CDE"},
                                           TextCase{"cut at the end", true, 10, 6, 10, "GHIJ"},
                                           TextCase{"negative offset", true, 10, -1, 3, ""},
                                           TextCase{"offset at the end", true, 10, 10, 1, ""},
                                           TextCase{"offset far past", true, 10, 3e9f, 1, ""},
                                           TextCase{"no area", false, 0, 0, 3, ""},
                                           TextCase{"negative length", true, 10, 0, -4, ""},
                                           TextCase{"not a number", true, 10, nanf(""), 2, "AB"},
                                           TextCase{"over 99", true, 200, 0, 150,
                                                    std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ") +
                                                        "ABCDEFGHIJKLMNOPQRSTUVWXYZ" +
                                                        "ABCDEFGHIJKLMNOPQRSTUVWXYZ" +
                                                        "ABCDEFGHIJKLMNOPQRSTU"}),
                         [](const auto& info) {
                           std::string name = info.param.what;
                           for (char& ch : name)
                             if (ch == ' ') ch = '_';
                           return name;
                         });

TEST(DrawingExecutionTest, AnEndRecordStopsTheDrawing) {
  const EmfRecords emf =
      Execute({Record('M', 1, 1), Record('T'), Record('D', 2, 2), Record('M', 3, 3)});
  EXPECT_EQ(emf.moves().size(), 1u);
  EXPECT_TRUE(emf.lines().empty());
}

TEST(DrawingExecutionTest, NoRecordsLeaveTheContextsPenAndFont) {
  EmfCanvas canvas;
  const HGDIOBJ pen = GetCurrentObject(canvas.dc(), OBJ_PEN);
  const HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
  ExecuteDrawing(canvas.dc(), nullptr, 0, nullptr, 0, SIZE{0, 100}, POINT{0, 0}, 1.0f);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font);
  EXPECT_TRUE(canvas.finish().lines().empty());
}

// An arrow whose tail lies straight above its tip: the shaft down to the tip,
// a head whose two points lie above it, back to the tip, and the bar across.
TEST(DrawingExecutionTest, ArrowHeadPointsAtTheTip) {
  const EmfRecords emf = Execute({Full('A', 1, 3, 1, 1, 0.5f)});
  const auto moves = emf.moves();
  const auto lines = emf.lines();
  ASSERT_EQ(moves.size(), 2u);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_TRUE(Same(moves[0].at, 100, 700));
  EXPECT_TRUE(Same(lines[0].at, 100, 900));
  EXPECT_LT(lines[1].at.y, 900);
  EXPECT_LT(lines[2].at.y, 900);
  EXPECT_LT(lines[1].at.x, 100);
  EXPECT_GT(lines[2].at.x, 100);
  EXPECT_TRUE(Same(lines[3].at, 100, 900));
  EXPECT_TRUE(Same(moves[1].at, 50, 900));
  EXPECT_TRUE(Same(lines[4].at, 150, 900));
}

// The font of the texts is gone after the drawing, and the handle with it: a
// font made afterwards survives the release of the drawing.
TEST(DrawingExecutionTest, FreeingTheDrawingLeavesLaterFontsAlone) {
  const char texts[] = "AB";
  Execute({Full('S', 1, 1, 0.2f, 0, 2, 0)}, texts, 2);
  EXPECT_EQ(DRAWING_FONT.font, nullptr);
  const HFONT later =
      CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  ASSERT_NE(later, nullptr);
  LOADED_DRAWING drawing{};
  FreeDrawing(&drawing);
  EXPECT_EQ(DRAWING_PENS.thick, nullptr);
  EXPECT_EQ(DRAWING_PENS.thin, nullptr);
  LOGFONTA log{};
  EXPECT_EQ(GetObjectA(later, sizeof log, &log), int(sizeof log));
  EXPECT_EQ(log.lfHeight, 12);
  DeleteObject(later);
}

}  // namespace
