// The text-form screen in a window: painted on WM_PAINT from the buffers,
// cells cleared to the window's background, the status row in the system's
// caption colours, lines, the caret, and a form cell selected with the
// mouse. What the window shows is read back by pixels copied from its device
// context (what is drawn through GetDC is never replayed by a paint).
#include <windows.h>
// After windows.h, which it needs.
#include <windowsx.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "report/drawing/pictures_face.h"
#include "report/screen/form_fields_face.h"
#include "report/screen/screen_face.h"
#include "runenv/run_services_face.h"
#include "tests/print/sheet_pictures.h"
#include "tests/screen/form_page.h"
#include "tests/screen/screen_fonts.h"
#include "tests/screen/screen_page.h"

namespace {

constexpr int kWidth = 800;   // cells of 10 pixels
constexpr int kHeight = 500;  // rows of 20
const COLORREF kWindowBackground = RGB(10, 200, 30);
const COLORREF kFieldBackground = RGB(0, 255, 255);

// What the window's procedure did with the last click.
struct Click {
  int32_t cell = -1;
  int32_t answer = 99;
};
Click last_click;
// The form the clicks are decided on.
FormPage* clicked_form = nullptr;

LRESULT CALLBACK FormWindow(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT:
      PaintScreen();
      return 0;
    case WM_LBUTTONDOWN: {
      const POINT point{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
      PointToCell(point, &last_click.cell);
      last_click.answer = HandleFormCell("   ", "NNNNNNNNNNNNN", clicked_form->form.data(),
                                         SCREEN_TEXT, SCREEN_ATTRIBUTES, last_click.cell);
      return 0;
    }
    default:
      return DefWindowProcA(window, message, w, l);
  }
}

// A placeable metafile picture of one colour over its whole box, on the
// cells from first to last.
PICTURE_RECORD SolidPicture(COLORREF colour, int32_t first, int32_t last) {
  HDC recording = CreateMetaFileA(nullptr);
  HBRUSH brush = CreateSolidBrush(colour);
  SelectObject(recording, brush);
  SelectObject(recording, GetStockObject(NULL_PEN));
  Rectangle(recording, 0, 0, 1001, 1001);
  PICTURE_RECORD picture{};
  picture.kind = PICTURE_PLACEABLE_METAFILE;
  picture.first_cell = first;
  picture.last_cell = last;
  picture.metafile = CloseMetaFile(recording);
  DeleteObject(brush);
  const int16_t box[4] = {0, 0, 1000, 1000};
  std::memcpy(picture.placeable_header + 6, box, sizeof box);
  return picture;
}

class ScreenWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA type{};
    type.lpfnWndProc = FormWindow;
    type.hInstance = GetModuleHandleA(nullptr);
    type.hbrBackground = CreateSolidBrush(kWindowBackground);
    type.lpszClassName = "ZovkScreenForm";
    RegisterClassA(&type);
    // A class whose windows own their device context: every GetDC and
    // BeginPaint hands out the same one, with all it was left with.
    type.style = CS_OWNDC;
    type.lpszClassName = "ZovkOwnDcForm";
    RegisterClassA(&type);
  }
  virtual const char* WindowClass() const { return "ZovkScreenForm"; }

  void SetUp() override {
    window_ = CreateWindowExA(0, WindowClass(), "form", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                              kHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr) << "no window in the window prefix";
    RECT client{};
    GetClientRect(window_, &client);
    ASSERT_EQ(client.right, kWidth);
    ASSERT_EQ(client.bottom, kHeight);
    SetScreenWindow(window_);
    metrics_.emplace(field_font_, text_font_, kWidth, kHeight);
    // The window's first paint, as its owner's message loop would give it.
    UpdateWindow(window_);
    clicked_form = &form_;
  }
  void TearDown() override {
    FreePictures();
    PICTURES_UNDER_TEXT = 1;
    SetScreenWindow(nullptr);
    CARET_SIZE = {0, 0};
    DestroyCaret();
    if (window_) DestroyWindow(window_);
    clicked_form = nullptr;
  }

  // The window's pixel, copied from its device context.
  COLORREF Pixel(int x, int y) {
    const WindowDc screen(window_);
    HDC copy = CreateCompatibleDC(screen.get());
    const UniqueGdiObject bits(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    const HGDIOBJ old = SelectObject(copy, bits.get());
    BitBlt(copy, 0, 0, kWidth, kHeight, screen.get(), 0, 0, SRCCOPY);
    const COLORREF pixel = GetPixel(copy, x, y);
    SelectObject(copy, old);
    DeleteDC(copy);
    return pixel;
  }
  // A pixel inside a cell, away from its frame lines.
  COLORREF CellPixel(int32_t cell) {
    POINT p;
    CellToPoint(cell, &p);
    return Pixel(p.x + 2, p.y + 8);
  }
  void Repaint() {
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
  }

  HWND window_ = nullptr;
  ScreenBuffersScope screen_;
  LanguageIndexScope english_{1};
  // The field font fills a cell, so the strips it writes leave no gaps.
  UniqueGdiObject text_font_ = ScreenTestFont(16, 8);
  UniqueGdiObject field_font_ = ScreenTestFont(20, 10);
  std::optional<ScreenMetricsScope> metrics_;
  FormPage form_;
};

TEST_F(ScreenWindow, APaintShowsTheCellsFromTheBuffers) {
  std::memset(SCREEN_ATTRIBUTES + Cell(3, 10), ATTRIBUTE_FIELD, 4);
  std::memset(SCREEN_ATTRIBUTES + Cell(3, 14), 1, 66);
  Repaint();
  EXPECT_EQ(CellPixel(Cell(3, 11)), kFieldBackground);
  EXPECT_EQ(CellPixel(Cell(3, 20)), kWindowBackground);  // blanks are not written
  EXPECT_EQ(CellPixel(Cell(10, 11)), kWindowBackground);
}

TEST_F(ScreenWindow, ClearedCellsShowTheWindowsBackground) {
  std::memset(SCREEN_ATTRIBUTES + Cell(3, 70), ATTRIBUTE_FIELD, 10);
  std::memset(SCREEN_ATTRIBUTES + Cell(4, 0), ATTRIBUTE_FIELD, 10);
  PaintAllCells();
  ASSERT_EQ(CellPixel(Cell(3, 75)), kFieldBackground);
  ASSERT_EQ(CellPixel(Cell(4, 5)), kFieldBackground);
  // Cells from row 4's column 76 to row 5's column 3.
  ClearCells(Cell(3, 75), 8);
  EXPECT_EQ(CellPixel(Cell(3, 74)), kFieldBackground);
  EXPECT_EQ(CellPixel(Cell(3, 75)), kWindowBackground);
  EXPECT_EQ(CellPixel(Cell(3, 78)), kWindowBackground);
  EXPECT_EQ(CellPixel(Cell(4, 2)), kWindowBackground);
  EXPECT_EQ(CellPixel(Cell(4, 3)), kFieldBackground);
}

TEST_F(ScreenWindow, ClearingCellsLeavesOtherPaintingWaiting) {
  std::memset(SCREEN_ATTRIBUTES + Cell(8, 0), ATTRIBUTE_FIELD, 10);
  POINT row8;
  CellToPoint(Cell(8, 0), &row8);
  RECT waiting{0, row8.y, kWidth, row8.y + 20};
  InvalidateRect(window_, &waiting, FALSE);
  ClearCells(Cell(2, 0), 5);
  RECT still{};
  ASSERT_TRUE(GetUpdateRect(window_, &still, FALSE));
  EXPECT_EQ(still.top, row8.y);
  UpdateWindow(window_);
  EXPECT_EQ(CellPixel(Cell(8, 5)), kFieldBackground);
}

TEST_F(ScreenWindow, TheStatusRowTakesTheCaptionsColours) {
  std::memset(SCREEN_ATTRIBUTES + STATUS_ROW_CELL, ATTRIBUTE_STATUS, ROW_CELLS);
  const COLORREF active = GetSysColor(COLOR_ACTIVECAPTION);
  const COLORREF inactive = GetSysColor(COLOR_INACTIVECAPTION);
  ASSERT_NE(active, inactive);
  LoadSystemColours(1);
  ActivateStatusLine();
  EXPECT_EQ(CellPixel(STATUS_ROW_CELL + 40), active);
  EXPECT_EQ(CellPixel(STATUS_ROW_CELL + 79), active);
  DeactivateStatusLine();
  EXPECT_EQ(CellPixel(STATUS_ROW_CELL + 40), inactive);
  COLORREF background;
  COLORREF text;
  GetAttributeColours(ATTRIBUTE_STATUS, &background, &text);
  EXPECT_EQ(background, inactive);
  EXPECT_EQ(text, GetSysColor(COLOR_INACTIVECAPTIONTEXT));
}

TEST_F(ScreenWindow, RepaintingDrawsTheLinesInTheirPens) {
  std::memcpy(SCREEN_TEXT + Cell(5, 10), "|-----|", 7);
  std::memset(SCREEN_ATTRIBUTES + Cell(5, 10), 2, 7);
  RepaintScreen();
  POINT p;
  CellToPoint(Cell(5, 13), &p);
  EXPECT_EQ(Pixel(p.x + 3, p.y + 10), RGB(0, 127, 63));
  EXPECT_EQ(Pixel(p.x + 3, p.y + 5), kWindowBackground);
  // A field's frame is an outline in black: the field's colour stays inside it.
  std::memset(SCREEN_ATTRIBUTES + Cell(7, 20), ATTRIBUTE_FIELD, 4);
  RepaintScreen();
  CellToPoint(Cell(7, 20), &p);
  EXPECT_EQ(Pixel(p.x - 2, p.y + 10), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(p.x + 15, p.y + 10), kFieldBackground);
}

// The window hands out its device context again under the same handle
// value after each release, with the context's own font and pen on it: each
// routine given it selects the screen's font and pen again.
TEST_F(ScreenWindow, AContextHandedOutAgainGetsTheScreensFontAndPen) {
  std::memcpy(SCREEN_TEXT + Cell(3, 0), "Flow", 4);
  std::memset(SCREEN_ATTRIBUTES + Cell(3, 0), 1, ROW_CELLS);
  std::memcpy(SCREEN_TEXT + Cell(5, 10), "|-----|", 7);
  std::memset(SCREEN_ATTRIBUTES + Cell(5, 0), 2, ROW_CELLS);
  const HFONT text_font = static_cast<HFONT>(text_font_.get());
  const HFONT field_font = static_cast<HFONT>(field_font_.get());

  PaintCells(SCREEN_TEXT + Cell(3, 0), SCREEN_ATTRIBUTES + Cell(3, 0), ROW_CELLS, Cell(3, 0));
  {
    const WindowDc again(window_);
    DrawCells(again.get(), SCREEN_TEXT + Cell(3, 0), SCREEN_ATTRIBUTES + Cell(3, 0), ROW_CELLS,
              Cell(3, 0));
    EXPECT_EQ(GetCurrentObject(again.get(), OBJ_FONT), text_font);
  }
  PaintFieldCharacter('7', ATTRIBUTE_FIELD, Cell(9, 12));
  {
    const WindowDc again(window_);
    PaintFieldCharacterOn(again.get(), '8', ATTRIBUTE_FIELD, Cell(9, 13));
    EXPECT_EQ(GetCurrentObject(again.get(), OBJ_FONT), field_font);
    EXPECT_EQ(GetCurrentObject(again.get(), OBJ_PEN), SCREEN_PENS.field_frame.get());
  }
  DrawScreenLines(5, 1);
  {
    const WindowDc again(window_);
    DrawScreenLinesOn(again.get(), 5, 1);
    EXPECT_EQ(GetCurrentObject(again.get(), OBJ_PEN), SCREEN_PENS.line[2].get());
  }
  // And the painting the owner's paint handler does between BeginPaint and
  // EndPaint, after the cells were painted through the window's context.
  PaintCells(SCREEN_TEXT + Cell(3, 0), SCREEN_ATTRIBUTES + Cell(3, 0), ROW_CELLS, Cell(3, 0));
  InvalidateRect(window_, nullptr, FALSE);
  PAINTSTRUCT paint{};
  const HDC painting = BeginPaint(window_, &paint);
  DrawCells(painting, SCREEN_TEXT + Cell(3, 0), SCREEN_ATTRIBUTES + Cell(3, 0), ROW_CELLS,
            Cell(3, 0));
  EXPECT_EQ(GetCurrentObject(painting, OBJ_FONT), text_font);
  EndPaint(window_, &paint);
}

// A field that ends at column 79 keeps its frame, and a row marked for an
// underline its underline, however often the screen is repainted.
TEST_F(ScreenWindow, RepaintingKeepsTheFrameAndUnderlineAtTheRowsEnd) {
  std::memset(SCREEN_ATTRIBUTES + Cell(4, 0), 1, ROW_CELLS);
  std::memset(SCREEN_ATTRIBUTES + Cell(4, 74), ATTRIBUTE_FIELD, 5);
  std::memset(SCREEN_ATTRIBUTES + Cell(8, 0), ATTRIBUTE_UNDERLINE, ROW_CELLS);
  std::memset(SCREEN_ATTRIBUTES + Cell(8, 76), ATTRIBUTE_FIELD, 3);
  POINT field;
  CellToPoint(Cell(4, 74), &field);
  POINT underlined;
  CellToPoint(Cell(8, 40), &underlined);
  for (int repaint = 0; repaint < 2; ++repaint) {
    RepaintScreen();
    EXPECT_EQ(Pixel(field.x - 2, field.y + 10), RGB(0, 0, 0)) << repaint;
    EXPECT_EQ(Pixel(underlined.x, underlined.y + 20), RGB(0, 0, 127)) << repaint;
  }
}

TEST_F(ScreenWindow, TheCaretSitsOnTheCellsBottom) {
  CARET_SIZE = {2, 6};
  RepaintScreen();
  PlaceCaret(Cell(7, 12));
  POINT caret{};
  ASSERT_TRUE(GetCaretPos(&caret));
  POINT cell;
  CellToPoint(Cell(7, 12), &cell);
  EXPECT_EQ(caret.x, cell.x);
  EXPECT_EQ(caret.y, cell.y + 20 - 6);
  // A cell outside the screen: the caret and a point at the nearest one on it.
  for (const int32_t outside : {INT32_MIN, -1, SCREEN_CELLS, INT32_MAX}) {
    const int32_t nearest = outside < 0 ? 0 : SCREEN_CELLS - 1;
    PlaceCaret(outside);
    ASSERT_TRUE(GetCaretPos(&caret));
    POINT point{-7, -7};
    CellToPoint(outside, &point);
    CellToPoint(nearest, &cell);
    EXPECT_EQ(point.x, cell.x) << outside;
    EXPECT_EQ(point.y, cell.y) << outside;
    EXPECT_EQ(caret.x, cell.x) << outside;
    EXPECT_EQ(caret.y, cell.y + 20 - 6) << outside;
  }
}

TEST_F(ScreenWindow, AClickOnAPickerGroupPutsItsNameIntoTheField) {
  form_.Both(2, 0, "Fluid @@@@@");
  form_.text.put(Cell(2, 6), "STEAM");
  form_.Both(5, 0, "[[AOIL]]");
  std::memcpy(SCREEN_TEXT, form_.text.data(), FORM_CELLS);
  MapLineAttributes(SCREEN_TEXT, form_.form.data(), SCREEN_ATTRIBUTES);
  PaintAllCells();
  POINT group;
  CellToPoint(Cell(5, 4), &group);
  SendMessageA(window_, WM_LBUTTONDOWN, 0, MAKELPARAM(group.x + 3, group.y + 5));
  EXPECT_EQ(last_click.cell, Cell(5, 4));
  EXPECT_EQ(last_click.answer, -1);
  EXPECT_EQ(std::string(SCREEN_TEXT + Cell(2, 6), 5), "OIL  ");
  EXPECT_EQ(CellPixel(Cell(2, 9)), kFieldBackground);
  // A click beside the grid selects the row's nearest cell.
  SendMessageA(window_, WM_LBUTTONDOWN, 0, MAKELPARAM(kWidth - 1, group.y + 5));
  EXPECT_EQ(last_click.cell, Cell(5, 79));
  EXPECT_EQ(last_click.answer, 0);
}

TEST_F(ScreenWindow, ATextLineAndFreeText) {
  PaintTextLine("Rating finished", 12);
  EXPECT_EQ(std::string(SCREEN_TEXT + Cell(12, 0), 15), "Rating finished");
  EXPECT_EQ(SCREEN_ATTRIBUTES[Cell(12, 0)], 15);
  DrawTextAt(300, 300, "free");
  EXPECT_NE(Pixel(301, 301), kWindowBackground);
}

TEST_F(ScreenWindow, PicturesLieOnTheirCells) {
  const COLORREF red = RGB(220, 0, 0);
  const COLORREF blue = RGB(0, 0, 220);
  PICTURE_LIST.pictures[0] = SolidPicture(red, Cell(2, 10), Cell(6, 30));
  PICTURE_LIST.pictures[1] = SolidPicture(blue, Cell(10, 0), Cell(12, 79));
  PICTURE_LIST.count = 2;
  PaintPictures();
  POINT first;
  POINT last;
  CellToPoint(Cell(2, 10), &first);
  CellToPoint(Cell(6, 30), &last);
  // From the first cell's top-left corner to the last cell's.
  EXPECT_EQ(Pixel(first.x + 1, first.y + 1), red);
  EXPECT_EQ(Pixel(last.x - 2, last.y - 2), red);
  EXPECT_EQ(Pixel(first.x - 2, first.y + 10), kWindowBackground);
  EXPECT_EQ(Pixel(last.x + 2, last.y - 10), kWindowBackground);
  EXPECT_EQ(Pixel(last.x - 10, last.y + 2), kWindowBackground);
  // From column 1 to column 80: the whole width, the rows' whole height.
  CellToPoint(Cell(10, 0), &first);
  CellToPoint(Cell(12, 79), &last);
  EXPECT_EQ(Pixel(1, first.y + 1), blue);
  EXPECT_EQ(Pixel(kWidth - 2, last.y + 18), blue);
  EXPECT_EQ(Pixel(kWidth / 2, last.y + 22), kWindowBackground);
}

TEST_F(ScreenWindow, PicturesUnderTheTextOrOverIt) {
  const COLORREF red = RGB(220, 0, 0);
  PICTURE_LIST.pictures[0] = SolidPicture(red, Cell(2, 0), Cell(4, 79));
  PICTURE_LIST.count = 1;
  std::memset(SCREEN_ATTRIBUTES + Cell(3, 10), ATTRIBUTE_FIELD, 4);
  PICTURES_UNDER_TEXT = 1;
  RepaintScreen();
  EXPECT_EQ(CellPixel(Cell(3, 11)), kFieldBackground);
  EXPECT_EQ(CellPixel(Cell(3, 40)), red);  // a blank cell shows the picture
  PICTURES_UNDER_TEXT = 0;
  RepaintScreen();
  EXPECT_EQ(CellPixel(Cell(3, 11)), red);
}

TEST_F(ScreenWindow, APictureOffTheScreenIsLeftOut) {
  PICTURE_LIST.pictures[0] = SolidPicture(RGB(220, 0, 0), -81, Cell(3, 20));
  PICTURE_LIST.pictures[1] = SolidPicture(RGB(220, 0, 0), Cell(3, 0), SCREEN_CELLS);
  PICTURE_LIST.count = 2;
  PaintPictures();
  EXPECT_EQ(CellPixel(Cell(1, 5)), kWindowBackground);
  EXPECT_EQ(CellPixel(Cell(3, 5)), kWindowBackground);
  EXPECT_EQ(CellPixel(Cell(20, 5)), kWindowBackground);
}

class OwnDcScreenWindow : public ScreenWindow {
 protected:
  const char* WindowClass() const override { return "ZovkOwnDcForm"; }
};

// A picture of the kind on the cells from first to last, from its file's
// bytes.
PICTURE_RECORD PictureOf(PictureKind kind, const std::string& bytes, int32_t first, int32_t last) {
  PICTURE_RECORD picture{};
  picture.kind = kind;
  picture.first_cell = first;
  picture.last_cell = last;
  const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
  const UINT size = static_cast<UINT>(bytes.size());
  picture.metafile = kind == PICTURE_ENHANCED_METAFILE
                         ? static_cast<HANDLE>(SetEnhMetaFileBits(size, data))
                         : static_cast<HANDLE>(SetMetaFileBitsEx(size, data));
  return picture;
}

// How many levels the context holds.
int LevelsHeld(HDC dc) {
  const int next = SaveDC(dc);
  RestoreDC(dc, -1);
  return next - 1;
}

// On a window that owns its device context, the screen's pictures leave the
// context as they found it, whatever their records: the level its owner
// saved on it and its mapping are still there, and the cells painted over
// the pictures lie on their places.
TEST_F(OwnDcScreenWindow, PicturesLeaveTheWindowsContextAsTheyFoundIt) {
  std::memset(SCREEN_ATTRIBUTES + Cell(3, 10), ATTRIBUTE_FIELD, 4);
  PICTURES_UNDER_TEXT = 1;
  const WindowDc owners(window_);
  const int saved = SaveDC(owners.get());
  struct Shown {
    std::string name;
    PICTURE_RECORD picture;
  };
  std::vector<Shown> pictures;
  pictures.push_back({"placeable", SolidPicture(RGB(0, 0, 0), Cell(2, 0), Cell(4, 79))});
  for (const CoverCase& c : CoverCases()) {
    const std::vector<LevelStep> steps = LevelSteps(c.unmatched);
    const bool enhanced = std::string(c.picture).ends_with(".EMF");
    pictures.push_back(
        {CoverCaseName(c), enhanced ? PictureOf(PICTURE_ENHANCED_METAFILE, CoveringEmfBytes(steps),
                                                Cell(2, 0), Cell(4, 79))
                                    : PictureOf(PICTURE_WINDOWS_METAFILE, CoveringWmfBytes(steps),
                                                Cell(2, 0), Cell(4, 79))});
  }
  for (Shown& shown : pictures) {
    ASSERT_NE(shown.picture.metafile, nullptr) << shown.name;
    PICTURE_LIST.pictures[0] = shown.picture;
    PICTURE_LIST.count = 1;
    RepaintScreen();
    EXPECT_EQ(LevelsHeld(owners.get()), saved) << shown.name;
    EXPECT_EQ(GetMapMode(owners.get()), MM_TEXT) << shown.name;
    POINT origin{-1, -1};
    GetViewportOrgEx(owners.get(), &origin);
    EXPECT_EQ(origin.x, 0) << shown.name;
    EXPECT_EQ(origin.y, 0) << shown.name;
    EXPECT_EQ(CellPixel(Cell(3, 11)), kFieldBackground) << shown.name;
    EXPECT_EQ(CellPixel(Cell(3, 40)), RGB(0, 0, 0)) << shown.name;  // a blank cell
    FreePictures();
  }
  RestoreDC(owners.get(), saved);
}

TEST_F(ScreenWindow, NoWindowNoPainting) {
  std::memset(SCREEN_ATTRIBUTES + Cell(3, 10), ATTRIBUTE_FIELD, 4);
  SetScreenWindow(nullptr);
  PaintAllCells();
  DrawScreenLines(0, SCREEN_ROWS);
  ClearCells(0, SCREEN_CELLS);
  DrawTextAt(10, 10, "none");
  PaintFieldCharacter('x', ATTRIBUTE_FIELD, Cell(3, 10));
  PICTURE_LIST.pictures[0] = SolidPicture(RGB(220, 0, 0), Cell(3, 0), Cell(5, 79));
  PICTURE_LIST.count = 1;
  PaintPictures();
  RepaintScreen();
  SetScreenWindow(window_);
  EXPECT_EQ(CellPixel(Cell(3, 11)), kWindowBackground);
  EXPECT_EQ(SCREEN_TEXT[Cell(3, 10)], ' ');
}

}  // namespace
