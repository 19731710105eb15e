// The metafile reader gives back what was drawn, in the logical units passed.
#include <gtest/gtest.h>

#include <string>

#include "tests/common/metafile_records.h"

TEST(EmfRecordsReader, ReadsMovesLinesBoxesTextsFontsAndMapping) {
  EmfCanvas canvas;
  HDC dc = canvas.dc();
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 1000, 2000, nullptr);
  SetViewportExtEx(dc, 100, 200, nullptr);
  MoveToEx(dc, 10, 20, nullptr);
  LineTo(dc, 30, 40);
  Rectangle(dc, 1, 2, 11, 12);
  Ellipse(dc, 5, 6, 15, 16);
  Arc(dc, 0, 0, 50, 50, 50, 25, 0, 25);
  LOGFONTA log{};
  log.lfHeight = 50;
  log.lfEscapement = 900;
  log.lfWeight = 800;
  lstrcpyA(log.lfFaceName, "Arial");
  HFONT font = CreateFontIndirectA(&log);
  HGDIOBJ old = SelectObject(dc, font);
  TextOutA(dc, 7, 8, "Flow", 4);
  SelectObject(dc, old);
  DeleteObject(font);
  HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
  old = SelectObject(dc, pen);
  SelectObject(dc, old);
  DeleteObject(pen);
  const EmfRecords records = canvas.finish();

  ASSERT_EQ(records.moves().size(), 1u);
  EXPECT_EQ(records.moves()[0].at.x, 10);
  EXPECT_EQ(records.moves()[0].at.y, 20);
  ASSERT_EQ(records.lines().size(), 1u);
  EXPECT_EQ(records.lines()[0].at.x, 30);
  EXPECT_EQ(records.lines()[0].at.y, 40);
  EXPECT_LT(records.moves()[0].index, records.lines()[0].index);
  ASSERT_EQ(records.rectangles().size(), 1u);
  EXPECT_EQ(records.rectangles()[0].box.left, 1);
  EXPECT_EQ(records.rectangles()[0].box.right, 10);  // kept as right - 1
  ASSERT_EQ(records.ellipses().size(), 1u);
  EXPECT_EQ(records.ellipses()[0].box.bottom, 15);
  ASSERT_EQ(records.arcs().size(), 1u);
  EXPECT_EQ(records.arcs()[0].start.x, 50);
  EXPECT_EQ(records.arcs()[0].end.y, 25);
  ASSERT_EQ(records.texts().size(), 1u);
  EXPECT_EQ(records.texts()[0].text, "Flow");
  EXPECT_EQ(records.texts()[0].reference.x, 7);
  EXPECT_EQ(records.texts()[0].reference.y, 8);
  ASSERT_EQ(records.fonts().size(), 1u);
  EXPECT_EQ(records.fonts()[0].face, "Arial");
  EXPECT_EQ(records.fonts()[0].log.lfHeight, 50);
  EXPECT_EQ(records.fonts()[0].log.lfEscapement, 900);
  EXPECT_EQ(records.fonts()[0].log.lfWeight, 800);
  ASSERT_EQ(records.pens().size(), 1u);
  EXPECT_EQ(records.pens()[0].log.lopnStyle, UINT{PS_DOT});
  ASSERT_EQ(records.map_modes().size(), 1u);
  EXPECT_EQ(records.map_modes()[0], MM_ANISOTROPIC);
  ASSERT_EQ(records.window_extents().size(), 1u);
  EXPECT_EQ(records.window_extents()[0].cy, 2000);
  ASSERT_EQ(records.viewport_extents().size(), 1u);
  EXPECT_EQ(records.viewport_extents()[0].cx, 100);
}

TEST(EmfRecordsReader, ReadsComments) {
  EmfCanvas canvas;
  GdiComment(canvas.dc(), 9, reinterpret_cast<const BYTE*>("StartPage"));
  const EmfRecords records = canvas.finish();
  ASSERT_EQ(records.comments().size(), 1u);
  EXPECT_EQ(records.comments()[0], "StartPage");
}

TEST(WmfRecordsReader, ReadsFunctionsAndParametersLastFirst) {
  HDC dc = CreateMetaFileA(nullptr);
  ASSERT_NE(dc, nullptr);
  MoveToEx(dc, 80, 9800, nullptr);
  LineTo(dc, 9880, 0);
  HMETAFILE wmf = CloseMetaFile(dc);
  const auto records = ReadWmfRecords(wmf);
  DeleteMetaFile(wmf);
  ASSERT_GE(records.size(), 3u);
  EXPECT_EQ(records[0].function, 0x0214);  // META_MOVETO
  ASSERT_EQ(records[0].params.size(), 2u);
  EXPECT_EQ(records[0].params[0], 9800);
  EXPECT_EQ(records[0].params[1], 80);
  EXPECT_EQ(records[1].function, 0x0213);  // META_LINETO
  EXPECT_EQ(records[1].params[1], 9880);
  EXPECT_EQ(records.back().function, 0);  // the end record
}
