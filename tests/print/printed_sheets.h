// Reports printed as a user prints them, on the printer prefix's real
// PostScript printer on the FILE: port, each into a file of its own, and
// turned by Ghostscript into gray bitmaps that a test reads for ink.
//
//   PrintedSheets sheets = PrintReportSheets(report_path, 2);
//   sheets.count(); sheets.sheet(0).InkIn(sheets.Place(1)) ...
//
// With ZOVK_SHEETS_FOLDER set (a Windows path), the PostScript files are
// also copied there, to be looked at.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "include/document_calls.h"
#include "report/print/report_printing_face.h"
#include "services/language_setting_face.h"
#include "tests/common/default_printer.h"
#include "tests/common/modal_ui_double.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/settings_file.h"

// Dots per inch of the bitmaps the tests read unless a test asks for its
// own: a page cell at four pages a sheet is still four dots wide.
inline constexpr int INK_DPI = 100;

// One printed sheet as Ghostscript drew it, 0 black to 255 white.
struct InkBitmap {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> gray;

  bool Inked(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && gray[std::size_t(y) * width + x] < 128;
  }
  // Inked dots in [left, right) by [top, bottom), held to the bitmap.
  int InkIn(const RECT& r) const {
    int n = 0;
    for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, height); ++y)
      for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, width); ++x)
        n += Inked(x, y);
    return n;
  }
};

// The sheets of one print and where the printer's page area lies on them.
struct PrintedSheets {
  std::vector<InkBitmap> sheets;
  // The page area (the printable area the library lays its sheet on), in
  // bitmap dots.
  RECT area{};
  std::vector<std::string> messages;  // what the print said to the user

  int count() const { return static_cast<int>(sheets.size()); }
  const InkBitmap& sheet(int i) const { return sheets.at(std::size_t(i)); }
  // A rectangle given in fractions of the page area, in bitmap dots.
  RECT Fraction(double left, double top, double right, double bottom) const {
    const double w = area.right - area.left;
    const double h = area.bottom - area.top;
    return {LONG(area.left + left * w), LONG(area.top + top * h), LONG(area.left + right * w),
            LONG(area.top + bottom * h)};
  }
  // The place of sheet position p (from 1) at the given pages a sheet: the
  // whole page area, one half side by side, or one quarter.
  RECT Place(int pages_a_sheet, int p) const {
    if (pages_a_sheet == 2) return Fraction((p - 1) % 2 * 0.5, 0, (p - 1) % 2 * 0.5 + 0.5, 1);
    if (pages_a_sheet == 4) {
      const double x = (p - 1) % 2 * 0.5;
      const double y = (p - 1) % 4 / 2 * 0.5;
      return Fraction(x, y, x + 0.5, y + 0.5);
    }
    return area;
  }
};

// The lines of a sheet frame: bitmap rows and columns inked along most of
// the page area's width or height (no text or box line of a page runs that
// far), each line by its middle dot.
struct FrameLines {
  std::vector<int> rows;     // horizontal lines, top to bottom
  std::vector<int> columns;  // vertical lines, left to right
  bool On(int x, int y) const {
    for (int r : rows)
      if (std::abs(y - r) <= 1) return true;
    for (int c : columns)
      if (std::abs(x - c) <= 1) return true;
    return false;
  }
};

inline FrameLines FindFrameLines(const InkBitmap& sheet, const RECT& area) {
  constexpr double kShare = 0.8;
  auto middles = [](const std::vector<bool>& lined, int from) {
    std::vector<int> out;
    for (int i = 0; i < static_cast<int>(lined.size());) {
      if (!lined[std::size_t(i)]) {
        ++i;
        continue;
      }
      int j = i;
      while (j < static_cast<int>(lined.size()) && lined[std::size_t(j)]) ++j;
      out.push_back(from + (i + j - 1) / 2);
      i = j;
    }
    return out;
  };
  std::vector<bool> rows(std::size_t(std::max<LONG>(area.bottom - area.top, 0)));
  for (std::size_t i = 0; i < rows.size(); ++i)
    rows[i] = sheet.InkIn({area.left, LONG(area.top + i), area.right, LONG(area.top + i + 1)}) >=
              kShare * (area.right - area.left);
  std::vector<bool> columns(std::size_t(std::max<LONG>(area.right - area.left, 0)));
  for (std::size_t i = 0; i < columns.size(); ++i)
    columns[i] = sheet.InkIn({LONG(area.left + i), area.top, LONG(area.left + i + 1),
                              area.bottom}) >= kShare * (area.bottom - area.top);
  return {middles(rows, area.top), middles(columns, area.left)};
}

// The ink of the pages of a sheet within a rectangle: inked dots that are
// not on a frame line, and the box around them.
struct PageInk {
  int dots = 0;
  RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
};

inline PageInk PageInkIn(const InkBitmap& sheet, const FrameLines& frame, const RECT& r) {
  PageInk ink;
  for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, sheet.height); ++y)
    for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, sheet.width); ++x) {
      if (!sheet.Inked(x, y) || frame.On(x, y)) continue;
      ++ink.dots;
      ink.box = {std::min<LONG>(ink.box.left, x), std::min<LONG>(ink.box.top, y),
                 std::max<LONG>(ink.box.right, x + 1), std::max<LONG>(ink.box.bottom, y + 1)};
    }
  return ink;
}

namespace printed_sheets_detail {

inline std::string& OutputPath() {
  static std::string path;
  return path;
}

struct PageArea {
  int offset_x, offset_y, width, height, dpi_x, dpi_y;
};
inline PageArea& LastArea() {
  static PageArea area{};
  return area;
}

// The pages the person at the print dialog asks for, first and last; 0
// for all.
struct PageRange {
  int first = 0;
  int last = 0;
};
inline PageRange& AskedRange() {
  static PageRange range;
  return range;
}

inline int StartDocIntoFile(HDC dc, const DOCINFOA* doc) {
  DOCINFOA into = *doc;
  into.lpszOutput = OutputPath().c_str();
  return PLATFORM_DOCUMENT_CALLS.start_doc(dc, &into);
}

// The person at the print dialog takes the default printer, in the device
// mode the job set up (turned sideways at two pages a sheet), and the asked
// range of pages; where the printer's page area lies is kept.
inline BOOL ConfirmAndMeasureDefaultPrinter(PRINTDLGA* dialog) {
  if (dialog->Flags & PD_RETURNDEFAULT) return PLATFORM_MODAL_UI.print_dialog(dialog);
  if (!ConfirmDefaultPrinter(dialog)) return FALSE;
  if (AskedRange().first > 0) {
    dialog->Flags |= PD_PAGENUMS;
    dialog->nFromPage = static_cast<WORD>(AskedRange().first);
    dialog->nToPage = static_cast<WORD>(AskedRange().last);
  }
  const HDC dc = dialog->hDC;
  LastArea() = {GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY),
                GetDeviceCaps(dc, HORZRES),         GetDeviceCaps(dc, VERTRES),
                GetDeviceCaps(dc, LOGPIXELSX),      GetDeviceCaps(dc, LOGPIXELSY)};
  return TRUE;
}

// The machine's own path of a file of the prefix, for Ghostscript.
inline std::string UnixPath(const std::string& windows_path) {
  using Convert = char*(CDECL*)(LPCWSTR);
  const auto convert = reinterpret_cast<Convert>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
  if (!convert) return {};
  std::wstring wide(windows_path.begin(), windows_path.end());
  char* unix_path = convert(wide.c_str());
  if (!unix_path) return {};
  std::string out = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return out;
}

// Runs a shell command line on the machine (outside the prefix) and waits
// until it has ended: wine cannot wait on a process of the machine, so the
// command leaves a mark file at its end, which is waited for.
inline bool RunOnMachine(const std::string& command, const std::string& mark) {
  const std::string unix_mark = UnixPath(mark);
  std::string command_line = "Z:\\bin\\sh -c \"" + command + "; : > '" + unix_mark + "'\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int waited = 0; waited < 1200; ++waited) {
    if (GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(100);
  }
  return false;
}

// A binary PGM ("P5") file as Ghostscript's pgmraw device writes it.
inline bool ReadPgm(const std::string& path, InkBitmap* bitmap) {
  const std::string bytes = ReadBytes(path);
  std::size_t at = 0;
  auto token = [&]() {
    for (;;) {
      while (at < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
      if (at < bytes.size() && bytes[at] == '#') {
        while (at < bytes.size() && bytes[at] != '\n') ++at;
        continue;
      }
      break;
    }
    const std::size_t start = at;
    while (at < bytes.size() && !std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
    return bytes.substr(start, at - start);
  };
  if (token() != "P5") return false;
  bitmap->width = std::atoi(token().c_str());
  bitmap->height = std::atoi(token().c_str());
  if (std::atoi(token().c_str()) != 255) return false;
  ++at;  // the one blank after the largest value
  const std::size_t size = std::size_t(bitmap->width) * bitmap->height;
  if (bitmap->width <= 0 || bitmap->height <= 0 || bytes.size() < at + size) return false;
  bitmap->gray.assign(bytes.begin() + at, bytes.begin() + at + size);
  return true;
}

// The printer's spooler may finish the file after the document has ended:
// it is whole once it ends in its end-of-file comment.
inline void WaitForWholeFile(const std::string& path) {
  for (int waited = 0; waited < 300; ++waited) {
    const std::string bytes = ReadBytes(path);
    if (bytes.find("%%EOF") != std::string::npos) return;
    Sleep(100);
  }
}

inline InkBitmap TurnedRight(const InkBitmap& upright) {
  InkBitmap turned;
  turned.width = upright.height;
  turned.height = upright.width;
  turned.gray.resize(upright.gray.size());
  for (int y = 0; y < turned.height; ++y)
    for (int x = 0; x < turned.width; ++x)
      turned.gray[std::size_t(y) * turned.width + x] =
          upright.gray[std::size_t(upright.height - 1 - x) * upright.width + y];
  return turned;
}

inline int& PrintNumber() {
  static int n = 0;
  return n;
}

}  // namespace printed_sheets_detail

// Prints the report at pages_a_sheet through the print dialog's default
// printer (the report's own folder the current one, as a user starts from
// it, unless from_folder names another) and reads back its sheets at dpi
// dots an inch.
inline PrintedSheets PrintReportSheets(const std::string& report, int pages_a_sheet,
                                       const std::string& from_folder = "", int dpi = INK_DPI) {
  namespace d = printed_sheets_detail;
  PrintedSheets out;
  ScratchFolder output;
  // Wine's FILE: port does not shorten a file it writes again: every print
  // gets a name of its own.
  const int number = ++d::PrintNumber();
  d::OutputPath() = output / ("SHEETS" + std::to_string(number) + ".PS");
  d::LastArea() = {};

  SettingsFileGuard settings;
  WritePrivateProfileStringA("Print Format", "Output",
                             (std::to_string(pages_a_sheet) + " per 1").c_str(), SETTINGS_FILE);
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  std::string folder = from_folder;
  if (folder.empty()) folder = report.substr(0, report.find_last_of('\\') + 1);
  SetCurrentDirectoryA(folder.c_str());
  {
    ModalUiDouble user;
    user.print_answer = d::ConfirmAndMeasureDefaultPrinter;
    const DocumentCalls previous = SetDocumentCalls({.start_doc = d::StartDocIntoFile});
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    PrintReportFile(owner, GetModuleHandleA(nullptr), report.c_str(), 0);
    if (owner) DestroyWindow(owner);
    SetDocumentCalls(previous);
    out.messages = user.texts();
  }
  SetCurrentDirectoryA(before);
  d::WaitForWholeFile(d::OutputPath());
  if (const char* keep = std::getenv("ZOVK_SHEETS_FOLDER"))
    CopyFileA(d::OutputPath().c_str(),
              (std::string(keep) + "\\SHEETS" + std::to_string(number) + ".PS").c_str(), FALSE);

  const std::string postscript = d::UnixPath(d::OutputPath());
  const std::string pattern = d::UnixPath(output / "SHEET") + "%d.PGM";
  d::RunOnMachine(std::string(ZOVK_GHOSTSCRIPT) + " -q -dNOPAUSE -dBATCH -sDEVICE=pgmraw -r" +
                      std::to_string(dpi) + " -o '" + pattern + "' '" + postscript + "'",
                  output / "GS.END");
  const d::PageArea& a = d::LastArea();
  for (int i = 1;; ++i) {
    InkBitmap bitmap;
    if (!d::ReadPgm(output / ("SHEET" + std::to_string(i) + ".PGM"), &bitmap)) break;
    // Paper turned sideways comes out upright with the sheet turned a
    // quarter to the left: its top along the left edge.
    if (a.width > a.height && bitmap.width < bitmap.height) bitmap = d::TurnedRight(bitmap);
    out.sheets.push_back(std::move(bitmap));
  }
  if (a.dpi_x > 0 && a.dpi_y > 0)
    out.area = {LONG(double(a.offset_x) * dpi / a.dpi_x), LONG(double(a.offset_y) * dpi / a.dpi_y),
                LONG(double(a.offset_x + a.width) * dpi / a.dpi_x),
                LONG(double(a.offset_y + a.height) * dpi / a.dpi_y)};
  return out;
}

// The same, of the pages first to last only, as asked at the print dialog.
inline PrintedSheets PrintReportSheetsOfRange(const std::string& report, int pages_a_sheet,
                                              int first, int last) {
  printed_sheets_detail::AskedRange() = {first, last};
  PrintedSheets out = PrintReportSheets(report, pages_a_sheet);
  printed_sheets_detail::AskedRange() = {};
  return out;
}
