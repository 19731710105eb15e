// Reads back what was drawn on a metafile device context: the records of an
// enhanced metafile, with decoded views of the ones the drawing and report
// tests look at, and the records of a Windows metafile.
//
// An enhanced metafile keeps logical coordinates exactly as they were passed;
// box records (Rectangle, Ellipse, Arc) keep right and bottom minus 1, and
// TextOutA arrives as EMR_EXTTEXTOUTW.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

struct EmfRecord {
  DWORD type;
  std::vector<unsigned char> bytes;  // the whole record, type and size included

  // The record as one of the platform's EMR structures (zero past its end).
  template <class T>
  T as() const {
    T t{};
    std::memcpy(&t, bytes.data(), std::min(sizeof t, bytes.size()));
    return t;
  }
};

class EmfRecords {
 public:
  struct Text {
    POINTL reference;
    std::string text;  // in the ANSI code page, as the library handed it to TextOutA
    std::wstring wide;
    RECTL bounds;
    std::size_t index;  // place among all records
  };
  struct Font {
    DWORD handle;  // the object table slot, as EMR_SELECTOBJECT names it
    LOGFONTW log;
    std::string face;
    std::size_t index;
  };
  struct Pen {
    DWORD handle;
    LOGPEN log;
    std::size_t index;
  };
  // An object selected into the context: an object table slot, or a stock
  // object with the high bit set (0x80000000 | WHITE_BRUSH and so on).
  struct Selection {
    DWORD handle;
    std::size_t index;
  };
  struct Point {
    POINTL at;
    std::size_t index;
  };
  struct Box {
    RECTL box;  // as recorded: right and bottom are one less than passed
    std::size_t index;
  };
  struct Arc {
    RECTL box;
    POINTL start;
    POINTL end;
    std::size_t index;
  };

  EmfRecords() = default;
  explicit EmfRecords(HENHMETAFILE emf) { Read(emf); }
  // Closes the enhanced-metafile device context and reads what it recorded.
  static EmfRecords Close(HDC emf_dc) {
    HENHMETAFILE emf = CloseEnhMetaFile(emf_dc);
    EmfRecords records(emf);
    DeleteEnhMetaFile(emf);
    return records;
  }

  const std::vector<EmfRecord>& all() const { return records_; }
  std::vector<EmfRecord> of(DWORD type) const {
    std::vector<EmfRecord> out;
    for (const EmfRecord& r : records_)
      if (r.type == type) out.push_back(r);
    return out;
  }
  std::size_t count(DWORD type) const {
    return static_cast<std::size_t>(std::count_if(
        records_.begin(), records_.end(), [type](const EmfRecord& r) { return r.type == type; }));
  }
  // The index of the first record of that type at or after from, or npos.
  std::size_t find(DWORD type, std::size_t from = 0) const {
    for (std::size_t i = from; i < records_.size(); ++i)
      if (records_[i].type == type) return i;
    return npos;
  }
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  std::vector<Text> texts() const {
    std::vector<Text> out;
    for (std::size_t i = 0; i < records_.size(); ++i) {
      const EmfRecord& r = records_[i];
      if (r.type != EMR_EXTTEXTOUTW) continue;
      const auto t = r.as<EMREXTTEXTOUTW>();
      Text text{t.emrtext.ptlReference, {}, {}, t.emrtext.rcl, i};
      const std::size_t chars = t.emrtext.nChars;
      const std::size_t offset = t.emrtext.offString;
      if (offset + chars * sizeof(wchar_t) <= r.bytes.size()) {
        text.wide.resize(chars);
        std::memcpy(text.wide.data(), r.bytes.data() + offset, chars * sizeof(wchar_t));
        text.text = Ansi(text.wide);
      }
      out.push_back(text);
    }
    return out;
  }
  std::vector<Font> fonts() const {
    std::vector<Font> out;
    for (std::size_t i = 0; i < records_.size(); ++i) {
      if (records_[i].type != EMR_EXTCREATEFONTINDIRECTW) continue;
      const auto f = records_[i].as<EMREXTCREATEFONTINDIRECTW>();
      Font font{f.ihFont, f.elfw.elfLogFont, Ansi(f.elfw.elfLogFont.lfFaceName), i};
      out.push_back(font);
    }
    return out;
  }
  std::vector<Pen> pens() const {
    std::vector<Pen> out;
    for (std::size_t i = 0; i < records_.size(); ++i) {
      if (records_[i].type != EMR_CREATEPEN) continue;
      const auto p = records_[i].as<EMRCREATEPEN>();
      out.push_back({p.ihPen, p.lopn, i});
    }
    return out;
  }
  std::vector<Selection> selections() const { return Handles(EMR_SELECTOBJECT); }
  std::vector<Selection> deletions() const { return Handles(EMR_DELETEOBJECT); }
  std::vector<Point> moves() const { return Points(EMR_MOVETOEX); }
  std::vector<Point> lines() const { return Points(EMR_LINETO); }
  std::vector<Box> rectangles() const { return Boxes(EMR_RECTANGLE); }
  std::vector<Box> ellipses() const { return Boxes(EMR_ELLIPSE); }
  std::vector<Arc> arcs() const {
    std::vector<Arc> out;
    for (std::size_t i = 0; i < records_.size(); ++i) {
      if (records_[i].type != EMR_ARC) continue;
      const auto a = records_[i].as<EMRARC>();
      out.push_back({a.rclBox, a.ptlStart, a.ptlEnd, i});
    }
    return out;
  }
  // The mapping calls, each as its record's two numbers (or the mode).
  std::vector<int> map_modes() const {
    std::vector<int> out;
    for (const EmfRecord& r : of(EMR_SETMAPMODE)) out.push_back(r.as<EMRSETMAPMODE>().iMode);
    return out;
  }
  std::vector<SIZEL> window_extents() const { return Sizes(EMR_SETWINDOWEXTEX); }
  std::vector<SIZEL> viewport_extents() const { return Sizes(EMR_SETVIEWPORTEXTEX); }
  std::vector<POINTL> window_origins() const { return Origins(EMR_SETWINDOWORGEX); }
  std::vector<POINTL> viewport_origins() const { return Origins(EMR_SETVIEWPORTORGEX); }
  std::vector<COLORREF> text_colours() const { return Colours(EMR_SETTEXTCOLOR); }
  std::vector<COLORREF> background_colours() const { return Colours(EMR_SETBKCOLOR); }
  // The data of each GdiComment, as bytes in a text.
  std::vector<std::string> comments() const {
    std::vector<std::string> out;
    for (const EmfRecord& r : of(EMR_GDICOMMENT)) {
      const auto c = r.as<EMRGDICOMMENT>();
      const std::size_t at = offsetof(EMRGDICOMMENT, Data);
      const std::size_t n = std::min<std::size_t>(c.cbData, r.bytes.size() - at);
      out.emplace_back(reinterpret_cast<const char*>(r.bytes.data() + at), n);
    }
    return out;
  }

  static std::string Ansi(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
  }

 private:
  static std::string Ansi(const WCHAR* face) { return Ansi(std::wstring(face)); }

  void Read(HENHMETAFILE emf) {
    const UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
    std::vector<unsigned char> bits(size);
    if (size == 0 || GetEnhMetaFileBits(emf, size, bits.data()) != size) return;
    for (std::size_t at = 0; at + 8 <= bits.size();) {
      DWORD type = 0;
      DWORD length = 0;
      std::memcpy(&type, bits.data() + at, 4);
      std::memcpy(&length, bits.data() + at + 4, 4);
      if (length < 8 || at + length > bits.size()) break;
      records_.push_back({type, {bits.begin() + at, bits.begin() + at + length}});
      at += length;
    }
  }
  std::vector<Selection> Handles(DWORD type) const {
    std::vector<Selection> out;
    for (std::size_t i = 0; i < records_.size(); ++i)
      if (records_[i].type == type) out.push_back({records_[i].as<EMRSELECTOBJECT>().ihObject, i});
    return out;
  }
  std::vector<Point> Points(DWORD type) const {
    std::vector<Point> out;
    for (std::size_t i = 0; i < records_.size(); ++i)
      if (records_[i].type == type) out.push_back({records_[i].as<EMRLINETO>().ptl, i});
    return out;
  }
  std::vector<Box> Boxes(DWORD type) const {
    std::vector<Box> out;
    for (std::size_t i = 0; i < records_.size(); ++i)
      if (records_[i].type == type) out.push_back({records_[i].as<EMRRECTANGLE>().rclBox, i});
    return out;
  }
  std::vector<SIZEL> Sizes(DWORD type) const {
    std::vector<SIZEL> out;
    for (const EmfRecord& r : of(type)) out.push_back(r.as<EMRSETVIEWPORTEXTEX>().szlExtent);
    return out;
  }
  std::vector<POINTL> Origins(DWORD type) const {
    std::vector<POINTL> out;
    for (const EmfRecord& r : of(type)) out.push_back(r.as<EMRSETVIEWPORTORGEX>().ptlOrigin);
    return out;
  }
  std::vector<COLORREF> Colours(DWORD type) const {
    std::vector<COLORREF> out;
    for (const EmfRecord& r : of(type)) out.push_back(r.as<EMRSETTEXTCOLOR>().crColor);
    return out;
  }

  std::vector<EmfRecord> records_;
};

// An enhanced-metafile device context in memory, on the screen's reference;
// text measured on it measures as it is recorded.
class EmfCanvas {
 public:
  EmfCanvas() : dc_(CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr)) {}
  ~EmfCanvas() {
    if (dc_) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
  }
  EmfCanvas(const EmfCanvas&) = delete;
  EmfCanvas& operator=(const EmfCanvas&) = delete;
  HDC dc() const { return dc_; }
  // Ends the recording; the canvas holds nothing afterwards.
  EmfRecords finish() {
    HDC dc = dc_;
    dc_ = nullptr;
    return EmfRecords::Close(dc);
  }

 private:
  HDC dc_;
};

// The records of a Windows metafile: its function number and its parameter
// words (for most functions the platform stores the parameters last first,
// so a MoveTo holds y, x).
struct WmfRecord {
  WORD function;
  std::vector<WORD> params;
};

// Reads the records after the 18-byte metafile header; bits may not carry a
// placeable header (strip its 22 bytes first).
inline std::vector<WmfRecord> ReadWmfRecords(const unsigned char* bits, std::size_t size) {
  std::vector<WmfRecord> out;
  if (size < 18) return out;
  WORD header_words = 0;
  std::memcpy(&header_words, bits + 2, 2);
  for (std::size_t at = std::size_t{header_words} * 2; at + 6 <= size;) {
    DWORD words = 0;
    WORD function = 0;
    std::memcpy(&words, bits + at, 4);
    std::memcpy(&function, bits + at + 4, 2);
    if (words < 3 || at + std::size_t{words} * 2 > size) break;
    WmfRecord record{function, std::vector<WORD>(words - 3)};
    if (!record.params.empty()) std::memcpy(record.params.data(), bits + at + 6, (words - 3) * 2);
    out.push_back(record);
    if (function == 0) break;  // META_EOF
    at += std::size_t{words} * 2;
  }
  return out;
}

inline std::vector<WmfRecord> ReadWmfRecords(HMETAFILE wmf) {
  const UINT size = GetMetaFileBitsEx(wmf, 0, nullptr);
  std::vector<unsigned char> bits(size);
  if (size == 0 || GetMetaFileBitsEx(wmf, size, bits.data()) != size) return {};
  return ReadWmfRecords(bits.data(), bits.size());
}
