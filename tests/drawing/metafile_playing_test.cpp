// Metafile pictures played record by record: drawn as the platform's own
// player draws them, in any rectangle and mapping; their SaveDC and
// RestoreDC records acting as on a context of their own, whatever levels the
// context already holds; and a record without length ending the picture.
#include "report/drawing/metafile_playing.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "include/holders.h"
#include "tests/print/dib_canvas.h"
#include "tests/print/sheet_pictures.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// Owns an enhanced metafile.
class EnhancedPicture {
 public:
  explicit EnhancedPicture(HENHMETAFILE metafile) : metafile_(metafile) {}
  explicit EnhancedPicture(const std::string& bytes)
      : metafile_(SetEnhMetaFileBits(static_cast<UINT>(bytes.size()),
                                     reinterpret_cast<const BYTE*>(bytes.data()))) {}
  ~EnhancedPicture() {
    if (metafile_) DeleteEnhMetaFile(metafile_);
  }
  EnhancedPicture(const EnhancedPicture&) = delete;
  EnhancedPicture& operator=(const EnhancedPicture&) = delete;
  HENHMETAFILE get() const { return metafile_; }

 private:
  HENHMETAFILE metafile_;
};

HMETAFILE WindowsPictureOf(const std::string& bytes) {
  return SetMetaFileBitsEx(static_cast<UINT>(bytes.size()),
                           reinterpret_cast<const BYTE*>(bytes.data()));
}

// How many levels the context holds.
int LevelsHeld(HDC dc) {
  const int next = SaveDC(dc);
  RestoreDC(dc, -1);
  return next - 1;
}

// What a caller sees of the context after a picture.
struct ContextState {
  int map_mode;
  POINT window_origin;
  SIZE window_extent;
  POINT viewport_origin;
  SIZE viewport_extent;
  RECT clip;
  int levels;
};
ContextState StateOf(HDC dc) {
  ContextState s{};
  s.map_mode = GetMapMode(dc);
  GetWindowOrgEx(dc, &s.window_origin);
  GetWindowExtEx(dc, &s.window_extent);
  GetViewportOrgEx(dc, &s.viewport_origin);
  GetViewportExtEx(dc, &s.viewport_extent);
  GetClipBox(dc, &s.clip);
  s.levels = LevelsHeld(dc);
  return s;
}
void ExpectSameState(const ContextState& a, const ContextState& b, const std::string& where) {
  EXPECT_EQ(a.map_mode, b.map_mode) << where;
  EXPECT_EQ(a.window_origin.x, b.window_origin.x) << where;
  EXPECT_EQ(a.window_origin.y, b.window_origin.y) << where;
  EXPECT_EQ(a.window_extent.cx, b.window_extent.cx) << where;
  EXPECT_EQ(a.window_extent.cy, b.window_extent.cy) << where;
  EXPECT_EQ(a.viewport_origin.x, b.viewport_origin.x) << where;
  EXPECT_EQ(a.viewport_origin.y, b.viewport_origin.y) << where;
  EXPECT_EQ(a.viewport_extent.cx, b.viewport_extent.cx) << where;
  EXPECT_EQ(a.viewport_extent.cy, b.viewport_extent.cy) << where;
  EXPECT_TRUE(EqualRect(&a.clip, &b.clip)) << where;
  EXPECT_EQ(a.levels, b.levels) << where;
}

// An enhanced metafile of shapes, text, its own mapping and a clip inside a
// level of its own.
HENHMETAFILE ShapesEmf() {
  const HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 200, 200);
  SaveDC(dc);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 100, 100, nullptr);
  SetViewportExtEx(dc, 200, 100, nullptr);
  Ellipse(dc, 110, 10, 190, 90);
  IntersectClipRect(dc, 100, 0, 150, 100);
  const UniqueGdiObject font(CreateFontA(40, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
  SelectObject(dc, font.get());
  TextOutA(dc, 105, 20, "Plate", 5);
  RestoreDC(dc, -1);
  MoveToEx(dc, 0, 199, nullptr);
  LineTo(dc, 400, 0);
  return CloseEnhMetaFile(dc);
}

// A Windows metafile of the same kind, its window 1000 by 500.
HMETAFILE ShapesWmf() {
  const HDC dc = CreateMetaFileA(nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, 1000, 500, nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 500, 500);
  SaveDC(dc);
  IntersectClipRect(dc, 500, 0, 800, 500);
  const UniqueGdiObject font(CreateFontA(200, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
  SelectObject(dc, font.get());
  TextOutA(dc, 520, 100, "Vodi", 4);
  Ellipse(dc, 600, 50, 990, 450);
  RestoreDC(dc, -1);
  const UniqueGdiObject pen(CreatePen(PS_SOLID, 5, RGB(0, 0, 0)));
  SelectObject(dc, pen.get());
  MoveToEx(dc, 0, 499, nullptr);
  LineTo(dc, 1000, 0);
  return CloseMetaFile(dc);
}

// The caller's mapping before the picture: none, or one that scales and
// moves the page, as a sheet's place does.
void MapAsCaller(HDC dc, bool scaled) {
  if (!scaled) return;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, 10, 20, nullptr);
  SetWindowExtEx(dc, 700, 500, nullptr);
  SetViewportOrgEx(dc, 15, 8, nullptr);
  SetViewportExtEx(dc, 600, 430, nullptr);
}

// The mapping a Windows metafile is drawn with: a box of 1000 by 500 onto
// the rectangle, as a placeable metafile's.
void MapBoxOnto(HDC dc, const RECT& r) {
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, 1000, 500, nullptr);
  SetViewportOrgEx(dc, r.left, r.top, nullptr);
  SetViewportExtEx(dc, r.right - r.left, r.bottom - r.top, nullptr);
}

const RECT kRects[] = {{20, 30, 420, 230}, {5, 5, 600, 400}, {300, 10, 340, 390}, {0, 0, 639, 479}};

}  // namespace

// In each rectangle, with the caller's mapping or without one, an enhanced
// metafile comes out dot for dot as PlayEnhMetaFile draws it, and leaves
// the context's mapping, clip and levels as it does.
TEST(MetafilePlaying, AnEnhancedMetafileDrawsAsThePlatformsPlayerDraws) {
  const EnhancedPicture picture(ShapesEmf());
  ASSERT_NE(picture.get(), nullptr);
  for (const bool scaled : {false, true}) {
    for (const RECT& rect : kRects) {
      const std::string where = std::string(scaled ? "scaled" : "plain") + ", rectangle at " +
                                std::to_string(rect.left) + "," + std::to_string(rect.top);
      DibCanvas platform(kWidth, kHeight);
      DibCanvas ours(kWidth, kHeight);
      for (const DibCanvas* canvas : {&platform, &ours}) {
        MapAsCaller(canvas->dc(), scaled);
        IntersectClipRect(canvas->dc(), 0, 0, 5000, 5000);
      }
      EXPECT_TRUE(PlayEnhMetaFile(platform.dc(), picture.get(), &rect)) << where;
      EXPECT_TRUE(PlayEnhancedPicture(ours.dc(), picture.get(), rect)) << where;
      EXPECT_GT(platform.InkIn({0, 0, kWidth, kHeight}), 0) << where;
      EXPECT_EQ(DotsDiffering(platform, ours), 0) << where;
      ExpectSameState(StateOf(platform.dc()), StateOf(ours.dc()), where);
    }
  }
}

// With a box mapped onto each rectangle, or with the metafile's own
// coordinates from the rectangle's corner, a Windows metafile comes out dot
// for dot as PlayMetaFile draws it, and leaves the context's mapping, clip
// and levels as it does.
TEST(MetafilePlaying, AWindowsMetafileDrawsAsThePlatformsPlayerDraws) {
  const UniqueMetafile picture(ShapesWmf());
  ASSERT_NE(picture.get(), nullptr);
  for (const bool box : {true, false}) {
    for (const RECT& rect : kRects) {
      const std::string where = std::string(box ? "box" : "own coordinates") + ", rectangle at " +
                                std::to_string(rect.left) + "," + std::to_string(rect.top);
      DibCanvas platform(kWidth, kHeight);
      DibCanvas ours(kWidth, kHeight);
      for (const DibCanvas* canvas : {&platform, &ours}) {
        IntersectClipRect(canvas->dc(), 0, 0, kWidth - 20, kHeight - 20);
        if (box) {
          MapBoxOnto(canvas->dc(), rect);
        } else {
          SetMapMode(canvas->dc(), MM_ANISOTROPIC);
          SetWindowExtEx(canvas->dc(), rect.right - rect.left, rect.bottom - rect.top, nullptr);
          SetViewportOrgEx(canvas->dc(), rect.left, rect.top, nullptr);
          SetViewportExtEx(canvas->dc(), rect.right - rect.left, rect.bottom - rect.top, nullptr);
        }
      }
      EXPECT_TRUE(PlayMetaFile(platform.dc(), picture.get())) << where;
      EXPECT_TRUE(PlayWindowsPicture(ours.dc(), picture.get())) << where;
      EXPECT_GT(platform.InkIn({0, 0, kWidth, kHeight}), 0) << where;
      EXPECT_EQ(DotsDiffering(platform, ours), 0) << where;
      ExpectSameState(StateOf(platform.dc()), StateOf(ours.dc()), where);
    }
  }
}

namespace {

struct LevelCase {
  const char* name;
  std::vector<LevelStep> steps;  // before the picture's covering rectangle
  int left_saved;                // of the picture's own levels, after it
  bool whole;                    // the rectangle covers it all, else its left half
};
void PrintTo(const LevelCase& c, std::ostream* out) { *out << c.name; }

class PictureLevels : public ::testing::TestWithParam<LevelCase> {};

constexpr LevelStep kSave = {LevelStep::kSave, 0};
constexpr LevelStep kClip = {LevelStep::kClipLeftHalf, 0};
constexpr LevelStep Restore(int level) { return {LevelStep::kRestore, level}; }

// The levels the caller holds before the picture.
constexpr int kCallersLevels = 3;

// The caller's mapping and clip, which a picture must not take away.
void MapForPicture(HDC dc, const RECT& rect) {
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetViewportOrgEx(dc, rect.left, rect.top, nullptr);
  SetViewportExtEx(dc, rect.right - rect.left, rect.bottom - rect.top, nullptr);
  SetWindowExtEx(dc, rect.right - rect.left, rect.bottom - rect.top, nullptr);
}

}  // namespace

// Whatever its SaveDC and RestoreDC records, a picture played on a context
// that holds levels of its caller's draws dot for dot as the platform's
// player draws it on a context of its own, with no level saved: a restore
// reaching below the picture's own levels changes nothing, a level by its
// number is the picture's own; and the caller's levels are all still there
// after it, under the levels the picture left saved.
TEST_P(PictureLevels, ActAsOnAContextOfItsOwn) {
  const LevelCase& c = GetParam();
  const RECT rect = {100, 60, 500, 260};
  const RECT left_half = Around({200, 160});
  const RECT right_half = Around({400, 160});
  for (const bool enhanced : {true, false}) {
    const std::string where = enhanced ? "enhanced metafile" : "Windows metafile";
    DibCanvas alone(kWidth, kHeight);
    DibCanvas held(kWidth, kHeight);
    for (int level = 0; level < kCallersLevels; ++level) SaveDC(held.dc());
    MapForPicture(alone.dc(), rect);
    MapForPicture(held.dc(), rect);
    const ContextState before = StateOf(held.dc());
    // As a sheet holds its place, the caller saves the level it puts back.
    const int callers = SaveDC(held.dc());
    // The enhanced metafile is played onto the rectangle in the context's
    // device units as mapped here: its window and viewport are one.
    const RECT frame = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    if (enhanced) {
      const EnhancedPicture picture(CoveringEmfBytes(c.steps));
      ASSERT_NE(picture.get(), nullptr);
      EXPECT_TRUE(PlayEnhMetaFile(alone.dc(), picture.get(), &frame));
      EXPECT_TRUE(PlayEnhancedPicture(held.dc(), picture.get(), frame));
    } else {
      const UniqueMetafile picture(WindowsPictureOf(CoveringWmfBytes(c.steps)));
      ASSERT_NE(picture.get(), nullptr);
      EXPECT_TRUE(PlayMetaFile(alone.dc(), picture.get()));
      EXPECT_TRUE(PlayWindowsPicture(held.dc(), picture.get()));
    }
    EXPECT_EQ(alone.InkIn(left_half), 25) << where;
    EXPECT_EQ(alone.InkIn(right_half), c.whole ? 25 : 0) << where;
    EXPECT_EQ(DotsDiffering(alone, held), 0) << where;
    EXPECT_EQ(LevelsHeld(alone.dc()), c.left_saved) << where;
    EXPECT_EQ(LevelsHeld(held.dc()), callers + c.left_saved) << where;
    // The caller's last level, put back, gives the context as it was.
    EXPECT_TRUE(RestoreDC(held.dc(), callers)) << where;
    ExpectSameState(StateOf(held.dc()), before, where);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Records, PictureLevels,
    ::testing::Values(LevelCase{"OneSaveDC", {kSave}, 1, true},
                      LevelCase{"OneRestoreDC", {Restore(-1)}, 0, true},
                      LevelCase{"TwoRestoreDC", {Restore(-1), Restore(-1)}, 0, true},
                      LevelCase{"RestoreDCMinus3", {Restore(-3)}, 0, true},
                      LevelCase{"RestoreDC1", {Restore(1)}, 0, true},
                      LevelCase{"Balanced", {kSave, kClip, Restore(-1)}, 0, true},
                      LevelCase{"TwoBackFromOne", {kSave, kClip, Restore(-2)}, 1, false},
                      LevelCase{"ItsFirstByNumber", {kSave, kClip, kSave, Restore(1)}, 0, true},
                      LevelCase{"ItsSecondByNumber", {kSave, kSave, kClip, Restore(2)}, 1, true},
                      LevelCase{"AboveItsOwnByNumber", {kSave, kClip, Restore(2)}, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

// The picture's records with the record of the given type or function
// whose turn it is (0 the first) given no length.
std::string WithoutLength(std::string bytes, bool enhanced, unsigned type, int turn) {
  std::size_t at = enhanced ? 0 : METAFILE_HEADER_SIZE;
  for (int seen = 0; at + 8 <= bytes.size();) {
    DWORD size = 0;
    std::memcpy(&size, bytes.data() + at + (enhanced ? 4 : 0), 4);
    unsigned kind = 0;
    std::memcpy(&kind, bytes.data() + at, enhanced ? 4 : 0);
    if (!enhanced)
      kind = static_cast<unsigned char>(bytes[at + 4]) | static_cast<unsigned char>(bytes[at + 5])
                                                             << 8;
    if (kind == type && seen++ == turn) {
      std::memset(bytes.data() + at + (enhanced ? 4 : 0), 0, 4);
      return bytes;
    }
    at += enhanced ? size : 2 * std::size_t{size};
    if (size == 0) break;
  }
  return {};
}

// Two black rectangles: the picture's left half and its right half.
std::string HalvesEmf() {
  const HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 200, 200);
  Rectangle(dc, 200, 0, 400, 200);
  const EnhancedPicture picture(CloseEnhMetaFile(dc));
  std::string bytes(GetEnhMetaFileBits(picture.get(), 0, nullptr), '\0');
  GetEnhMetaFileBits(picture.get(), static_cast<UINT>(bytes.size()),
                     reinterpret_cast<BYTE*>(bytes.data()));
  return bytes;
}
std::string HalvesWmf() {
  const HDC dc = CreateMetaFileA(nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 500, 500);
  Rectangle(dc, 500, 0, 1000, 500);
  const UniqueMetafile picture(CloseMetaFile(dc));
  std::string bytes(GetMetaFileBitsEx(picture.get(), 0, nullptr), '\0');
  GetMetaFileBitsEx(picture.get(), static_cast<UINT>(bytes.size()), bytes.data());
  return bytes;
}

}  // namespace

// A record without length ends the picture there, with what came before it
// drawn: an enhanced metafile's, which its enumeration would meet again and
// again, and a Windows metafile's, as PlayMetaFile ends it.
TEST(MetafilePlaying, ARecordWithoutLengthEndsThePicture) {
  const RECT rect = {100, 60, 500, 260};
  {
    const EnhancedPicture picture(WithoutLength(HalvesEmf(), true, EMR_RECTANGLE, 1));
    ASSERT_NE(picture.get(), nullptr);
    DibCanvas canvas(kWidth, kHeight);
    EXPECT_TRUE(PlayEnhancedPicture(canvas.dc(), picture.get(), rect));
    EXPECT_EQ(canvas.InkIn(Around({200, 160})), 25);
    EXPECT_EQ(canvas.InkIn(Around({400, 160})), 0);
  }
  {
    const UniqueMetafile picture(
        WindowsPictureOf(WithoutLength(HalvesWmf(), false, META_RECTANGLE, 1)));
    ASSERT_NE(picture.get(), nullptr);
    DibCanvas platform(kWidth, kHeight);
    DibCanvas ours(kWidth, kHeight);
    MapBoxOnto(platform.dc(), rect);
    MapBoxOnto(ours.dc(), rect);
    EXPECT_TRUE(PlayMetaFile(platform.dc(), picture.get()));
    EXPECT_TRUE(PlayWindowsPicture(ours.dc(), picture.get()));
    EXPECT_EQ(ours.InkIn(Around({200, 160})), 25);
    EXPECT_EQ(ours.InkIn(Around({400, 160})), 0);
    EXPECT_EQ(DotsDiffering(platform, ours), 0);
  }
}
