// Picture files for the sheet tests: an enhanced metafile whose left half
// is black and right half white, its frame exactly the two, so that what
// shows of it in a rectangle tells where its rectangle was; one that is a
// border along its frame, and what shows of such a border; and pictures
// that cover their rectangle, with SaveDC and RestoreDC records that do not
// match.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "include/holders.h"
#include "report/drawing/metafiles_face.h"
#include "tests/common/scratch_folder.h"

// The frame is the drawing's own bounds, 400 by 200 dots of the screen.
inline bool WriteHalfBlackEmf(const std::string& path) {
  const HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), nullptr, nullptr);
  if (!dc) return false;
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  Rectangle(dc, 0, 0, 200, 200);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  SelectObject(dc, GetStockObject(WHITE_PEN));
  Rectangle(dc, 200, 0, 400, 200);
  const HENHMETAFILE emf = CloseEnhMetaFile(dc);
  DeleteEnhMetaFile(emf);
  return emf != nullptr;
}

// The middles of the two halves of a picture drawn into the rectangle.
inline POINT BlackHalfMiddle(const RECT& r) {
  return {r.left + (r.right - r.left) / 4, (r.top + r.bottom) / 2};
}
inline POINT WhiteHalfMiddle(const RECT& r) {
  return {r.left + 3 * (r.right - r.left) / 4, (r.top + r.bottom) / 2};
}
// The five by five dots around a point.
inline RECT Around(POINT p) { return {p.x - 2, p.y - 2, p.x + 3, p.y + 3}; }

// An enhanced metafile of nothing but its border: a one-dot line along the
// four sides of its bounds, 400 by 200 dots of the screen, which are its
// frame; so each side of its rectangle, right and bottom included, is a line.
inline bool WriteBorderedEmf(const std::string& path) {
  const HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), nullptr, nullptr);
  if (!dc) return false;
  SelectObject(dc, GetStockObject(BLACK_PEN));
  const POINT border[] = {{0, 0}, {400, 0}, {400, 200}, {0, 200}, {0, 0}};
  Polyline(dc, border, 5);
  const HENHMETAFILE emf = CloseEnhMetaFile(dc);
  DeleteEnhMetaFile(emf);
  return emf != nullptr;
}

// A placeable metafile of nothing but its border: lines along the four
// sides of its box, 1000 by 500.
inline bool WriteBorderedPlaceableMetafile(const std::string& path) {
  const HDC recording = CreateMetaFileA(nullptr);
  if (!recording) return false;
  MoveToEx(recording, 0, 0, nullptr);
  for (const POINT& p : {POINT{1000, 0}, POINT{1000, 500}, POINT{0, 500}, POINT{0, 0}})
    LineTo(recording, p.x, p.y);
  const UniqueMetafile metafile(CloseMetaFile(recording));
  return WritePlaceableMetafile(metafile.get(), path.c_str(), {0, 0, 1000, 500}) == 1;
}

// A picture's own SaveDC and RestoreDC records that do not match, put
// before its drawing: none; one SaveDC without its RestoreDC; one, or two,
// RestoreDC(-1) without their SaveDC; one RestoreDC(-3), three levels
// back; one RestoreDC(1), the first level by its number.
enum class UnmatchedLevel { kNone, kSave, kRestore, kTwoRestores, kRestoreThree, kRestoreFirst };

// One of a covering picture's records before its rectangle: a SaveDC, a
// RestoreDC of the level (a count back when negative, a level by its number
// when positive), or a clip to the left half of the picture.
struct LevelStep {
  enum Kind { kSave, kRestore, kClipLeftHalf } kind;
  int level;
};

inline std::vector<LevelStep> LevelSteps(UnmatchedLevel unmatched) {
  switch (unmatched) {
    case UnmatchedLevel::kSave:
      return {{LevelStep::kSave, 0}};
    case UnmatchedLevel::kRestore:
      return {{LevelStep::kRestore, -1}};
    case UnmatchedLevel::kTwoRestores:
      return {{LevelStep::kRestore, -1}, {LevelStep::kRestore, -1}};
    case UnmatchedLevel::kRestoreThree:
      return {{LevelStep::kRestore, -3}};
    case UnmatchedLevel::kRestoreFirst:
      return {{LevelStep::kRestore, 1}};
    default:
      return {};
  }
}

inline std::string LevelName(UnmatchedLevel unmatched) {
  switch (unmatched) {
    case UnmatchedLevel::kSave:
      return "SaveDC";
    case UnmatchedLevel::kRestore:
      return "RestoreDC";
    case UnmatchedLevel::kTwoRestores:
      return "TwoRestoreDC";
    case UnmatchedLevel::kRestoreThree:
      return "RestoreDCMinus3";
    case UnmatchedLevel::kRestoreFirst:
      return "RestoreDC1";
    default:
      return "Balanced";
  }
}

// The bytes of a Windows metafile without a placeable header whose window
// is 100 by 50 and whose black rectangle reaches far beyond it on every
// side, so that it covers all of the cells it is drawn into (and, played at
// its own coordinates on the screen, the whole window); the steps come
// before the rectangle.
inline std::string CoveringWmfBytes(const std::vector<LevelStep>& steps) {
  const HDC recording = CreateMetaFileA(nullptr);
  if (!recording) return {};
  SetWindowOrgEx(recording, 0, 0, nullptr);
  SetWindowExtEx(recording, 100, 50, nullptr);
  for (const LevelStep& step : steps) {
    if (step.kind == LevelStep::kSave) SaveDC(recording);
    if (step.kind == LevelStep::kRestore) RestoreDC(recording, step.level);
    if (step.kind == LevelStep::kClipLeftHalf) IntersectClipRect(recording, -1000, -1000, 50, 2000);
  }
  SelectObject(recording, GetStockObject(BLACK_BRUSH));
  Rectangle(recording, -1000, -1000, 2000, 2000);
  const UniqueMetafile metafile(CloseMetaFile(recording));
  std::string bytes(GetMetaFileBitsEx(metafile.get(), 0, nullptr), '\0');
  if (bytes.empty() || GetMetaFileBitsEx(metafile.get(), static_cast<UINT>(bytes.size()),
                                         bytes.data()) != bytes.size())
    return {};
  return bytes;
}

// A Windows metafile whose left half is black and right half white: its
// window of 1000 by 500 set by its own window records, or, placeable, the
// same halves in a box of 1000 by 500.
inline bool WriteHalfBlackWindowsMetafile(const std::string& path, bool placeable) {
  const HDC recording = CreateMetaFileA(nullptr);
  if (!recording) return false;
  if (!placeable) {
    SetWindowOrgEx(recording, 0, 0, nullptr);
    SetWindowExtEx(recording, 1000, 500, nullptr);
  }
  SelectObject(recording, GetStockObject(NULL_PEN));
  SelectObject(recording, GetStockObject(BLACK_BRUSH));
  Rectangle(recording, -100, -100, 500, 600);
  const UniqueMetafile metafile(CloseMetaFile(recording));
  if (placeable)
    return WritePlaceableMetafile(metafile.get(), path.c_str(), {0, 0, 1000, 500}) == 1;
  return WriteMetafile(metafile.get(), path.c_str()) == 1;
}

// The bytes of an enhanced metafile whose black rectangle is its frame, 400
// by 200, so that it covers whatever rectangle it is played into; the steps
// follow its header. They are put into the bytes by hand: the recorder
// keeps no RestoreDC without its SaveDC, and turns a level by its number
// into a count back.
inline std::string CoveringEmfBytes(const std::vector<LevelStep>& steps) {
  const HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  if (!dc) return {};
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 400, 200);
  const HENHMETAFILE recorded = CloseEnhMetaFile(dc);
  std::string bytes(GetEnhMetaFileBits(recorded, 0, nullptr), '\0');
  const UINT got = GetEnhMetaFileBits(recorded, static_cast<UINT>(bytes.size()),
                                      reinterpret_cast<BYTE*>(bytes.data()));
  DeleteEnhMetaFile(recorded);
  ENHMETAHEADER header{};
  if (bytes.size() < sizeof header || got != bytes.size()) return {};
  std::memcpy(&header, bytes.data(), sizeof header);
  std::string records;
  for (const LevelStep& step : steps) {
    EMRRESTOREDC restore = {{EMR_RESTOREDC, sizeof restore}, step.level};
    EMRSAVEDC save = {{EMR_SAVEDC, sizeof save}};
    EMRINTERSECTCLIPRECT clip = {{EMR_INTERSECTCLIPRECT, sizeof clip}, {-1000, -1000, 200, 1000}};
    const EMR* record = step.kind == LevelStep::kSave      ? &save.emr
                        : step.kind == LevelStep::kRestore ? &restore.emr
                                                           : &clip.emr;
    records.append(reinterpret_cast<const char*>(record), record->nSize);
  }
  bytes.insert(header.nSize, records);
  header.nBytes = static_cast<DWORD>(bytes.size());
  header.nRecords += static_cast<DWORD>(steps.size());
  std::memcpy(bytes.data(), &header, sizeof header);
  return bytes;
}

// Writes the covering picture of the name's kind: an enhanced metafile for
// a name ending in ".EMF", else a Windows metafile.
inline bool WriteCoveringMetafile(const std::string& path, UnmatchedLevel unmatched) {
  const bool enhanced = path.size() >= 4 && path.compare(path.size() - 4, 4, ".EMF") == 0;
  const std::vector<LevelStep> steps = LevelSteps(unmatched);
  const std::string bytes = enhanced ? CoveringEmfBytes(steps) : CoveringWmfBytes(steps);
  if (bytes.empty()) return false;
  WriteBytes(path, bytes);
  return true;
}

// A covering picture ("COVER.EMF" or "COVER.WMF") with its unmatched level
// records, and every such case of both kinds.
struct CoverCase {
  const char* picture;
  UnmatchedLevel unmatched;
};
inline std::vector<CoverCase> CoverCases() {
  std::vector<CoverCase> cases;
  for (const char* picture : {"COVER.EMF", "COVER.WMF"})
    for (const UnmatchedLevel unmatched :
         {UnmatchedLevel::kSave, UnmatchedLevel::kRestore, UnmatchedLevel::kTwoRestores,
          UnmatchedLevel::kRestoreThree, UnmatchedLevel::kRestoreFirst})
      cases.push_back({picture, unmatched});
  return cases;
}
inline std::string CoverCaseName(const CoverCase& c) {
  return std::string(c.picture).substr(std::string(c.picture).find('.') + 1) +
         LevelName(c.unmatched);
}
// Found by the test framework beside the case's type.
inline void PrintTo(const CoverCase& c, std::ostream* out) { *out << CoverCaseName(c); }

// The ink of a picture with a border, in a rectangle of a bitmap (anything
// with Inked(x, y)): the box around its ink and, for each side of the box
// (left, top, right, bottom), the share of the side's length inked within
// two dots of it and the stroke's thickness at the side's middle.
struct BorderInk {
  RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  double covered[4] = {};
  int thickness[4] = {};
  bool empty() const { return box.left > box.right; }
};

template <class Bitmap>
BorderInk BorderInkIn(const Bitmap& bitmap, const RECT& r) {
  BorderInk ink;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x)
      if (bitmap.Inked(x, y))
        ink.box = {std::min(ink.box.left, x), std::min(ink.box.top, y),
                   std::max(ink.box.right, x + 1), std::max(ink.box.bottom, y + 1)};
  if (ink.empty()) return ink;
  const RECT& b = ink.box;
  // Along a side: dot i of its length, d dots in from the side.
  const auto inked = [&](int side, LONG i, LONG d) {
    switch (side) {
      case 0:
        return bitmap.Inked(b.left + d, b.top + i);
      case 1:
        return bitmap.Inked(b.left + i, b.top + d);
      case 2:
        return bitmap.Inked(b.right - 1 - d, b.top + i);
      default:
        return bitmap.Inked(b.left + i, b.bottom - 1 - d);
    }
  };
  for (int side = 0; side < 4; ++side) {
    const LONG length = side % 2 == 0 ? b.bottom - b.top : b.right - b.left;
    int n = 0;
    for (LONG i = 0; i < length; ++i)
      n += inked(side, i, 0) || inked(side, i, 1) || inked(side, i, 2);
    ink.covered[side] = double(n) / length;
    int thick = 0;
    while (thick < length && inked(side, length / 2, thick)) ++thick;
    ink.thickness[side] = thick;
  }
  return ink;
}

// Expects a border's ink in the rectangle of a bitmap along every side of
// the box around it, each side as thick as the one across from it; answers
// that ink, for what else a test expects of where it lies.
template <class Bitmap>
BorderInk ExpectEverySide(const Bitmap& bitmap, const RECT& within, const std::string& where) {
  const BorderInk ink = BorderInkIn(bitmap, within);
  EXPECT_FALSE(ink.empty()) << where;
  if (ink.empty()) return ink;
  const char* sides[] = {"left", "top", "right", "bottom"};
  for (int side = 0; side < 4; ++side)
    EXPECT_GE(ink.covered[side], 0.9) << where << ": the " << sides[side] << " side";
  EXPECT_EQ(ink.thickness[2], ink.thickness[0]) << where << ": right and left";
  EXPECT_EQ(ink.thickness[3], ink.thickness[1]) << where << ": bottom and top";
  return ink;
}
