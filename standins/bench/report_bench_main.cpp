// zovkreportbench: how fast the report side prints and previews, and whether
// it holds on to memory. It writes a report of full pages (61 lines of 79
// characters each) with a metafile picture on every tenth page, and in each of
// R rounds
//   - prints it at one and at four pages a sheet on a printer whose pages are
//     enhanced metafiles (the time of the whole job, a page and a sheet);
//   - loads it into the preview at one and at four pages a sheet and shows
//     each sheet in turn in a window of the viewer's size (the time of the
//     load and of each sheet);
// and prints the medians over the rounds and the process's memory after
// each round, and taken apart after the second and after the last: the first
// round makes the fonts and caches a run keeps, the second prints while the
// first round's preview is still held, and from then on a round should leave
// the memory as it found it. The preview needs a window: run it where
// windows can be made (the benchmarks' prefix, on wine's null driver).
//
//   zovkreportbench [--pages N] [--rounds R] [--work FOLDER]   (N 300, R 5)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "include/holders.h"
#include "report/print/print_preview_face.h"
#include "report/print/report_printing_face.h"
#include "services/language_setting_face.h"
#include "standins/bench/bench_timing.h"
#include "standins/bench/emf_printer.h"
#include "standins/bench/process_memory.h"
#include "standins/host/host_files.h"

using bench::Now;
using bench::Timing;

namespace {

struct Options {
  int64_t pages = 300;
  int64_t rounds = 5;
  std::string work_folder;
};

constexpr int kPictureEvery = 10;
// The round after which the memory should no longer change.
constexpr int64_t kSettledRound = 2;
constexpr const char* kPictureName = "LOGO.EMF";
constexpr const char* kPictureCells = "41 3 78 20";
constexpr int kWindowWidth = 620;  // the viewer's window
constexpr int kWindowHeight = 760;

bool ReadOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
    if (!v) return false;
    ++i;
    if (a == "--pages") {
      o.pages = std::strtoll(v, nullptr, 10);
      if (o.pages < 1) return false;
    } else if (a == "--rounds") {
      o.rounds = std::strtoll(v, nullptr, 10);
      if (o.rounds < 1) return false;
    } else if (a == "--work") {
      o.work_folder = v;
    } else {
      return false;
    }
  }
  return true;
}

// A body line as the report file holds it: 79 text columns and a blank, a
// tab and the control character.
void AppendBodyLine(std::string& out, int64_t page, int row, char control) {
  char text[96];
  std::snprintf(text, sizeof text, "Page %4lld line %2d ", static_cast<long long>(page), row);
  std::string line(text);
  for (char c = 'A'; line.size() < 79; c = c == 'Z' ? 'A' : static_cast<char>(c + 1))
    line += line.size() % 10 == 9 ? ' ' : c;
  out += line + " \t" + control + "\n";
}

// Pages of 61 lines, each starting with control character '1', and on every
// tenth page a picture over columns 41-78 of rows 3-20.
std::string BenchReport(int64_t pages) {
  std::string out;
  for (int64_t page = 1; page <= pages; ++page) {
    if (page % kPictureEvery == 0)
      out += std::string("$$$") + kPictureName + " " + kPictureCells + "\n";
    for (int row = 1; row <= 61; ++row) AppendBodyLine(out, page, row, row == 1 ? '1' : ' ');
  }
  return out;
}

bool WriteText(const std::string& path, const std::string& text) {
  UniqueFile file(std::fopen(path.c_str(), "wb"));
  return file && std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
}

// A small drawing as the metafile picture: a frame, a disc, a curve and a word.
bool WritePicture(const std::string& path) {
  const RECT frame{0, 0, 6000, 3000};  // in hundredths of a millimetre
  HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), &frame, "bench\0picture\0");
  if (!dc) return false;
  Rectangle(dc, 0, 0, 600, 300);
  Ellipse(dc, 20, 20, 280, 280);
  POINT curve[120];
  for (int i = 0; i < 120; ++i) curve[i] = {300 + i * 2, 150 + ((i * 37) % 120) - 60};
  Polyline(dc, curve, 120);
  TextOutA(dc, 320, 20, "LOGO", 4);
  const HENHMETAFILE emf = CloseEnhMetaFile(dc);
  if (!emf) return false;
  DeleteEnhMetaFile(emf);
  return true;
}

// The settings file's "Print Format" output, set for a run and put back.
class PrintFormat {
 public:
  PrintFormat() {
    char value[64] = {};
    had_ = GetPrivateProfileStringA("Print Format", "Output", "\x01", value, sizeof value,
                                    SETTINGS_FILE) != 1 ||
           value[0] != '\x01';
    saved_ = value;
  }
  ~PrintFormat() {
    WritePrivateProfileStringA("Print Format", "Output", had_ ? saved_.c_str() : nullptr,
                               SETTINGS_FILE);
  }
  PrintFormat(const PrintFormat&) = delete;
  PrintFormat& operator=(const PrintFormat&) = delete;
  void Set(int pages_a_sheet) {
    WritePrivateProfileStringA("Print Format", "Output", pages_a_sheet == 4 ? "4 per 1" : "1 per 1",
                               SETTINGS_FILE);
  }

 private:
  bool had_ = false;
  std::string saved_;
};

// Lets the window take what was posted to it, outside the timed calls.
void TakeMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

struct PrintFigures {
  Timing job, sheet;
  int64_t sheets = 0;
  int64_t metafile_bytes = 0;
  bool whole = true;  // every job ended, none aborted, every sheet there
};

struct PreviewFigures {
  Timing load, sheet;
  int64_t sheets = 0;
  bool whole = true;
};

void PrintOnce(HWND owner, const std::string& report, int64_t expected_sheets,
               bench::EmfPrinter& printer, PrintFigures& f) {
  printer.Clear();
  const double start = Now();
  PrintReportFile(owner, GetModuleHandleA(nullptr), report.c_str(), 0);
  const double end = Now();
  TakeMessages();
  f.job.add(end - start);
  double previous = start;
  for (double at : printer.sheet_ends) {
    f.sheet.add(at - previous);
    previous = at;
  }
  f.sheets = printer.sheets;
  f.metafile_bytes = printer.metafile_bytes;
  if (printer.documents_ended != 1 || printer.documents_aborted != 0 ||
      printer.sheets != expected_sheets)
    f.whole = false;
}

void PreviewOnce(HWND window, const std::string& report, int64_t expected_sheets,
                 PreviewFigures& f) {
  const double start = Now();
  const int32_t loaded = OpenPreview(window, nullptr, report.c_str());
  f.load.add(Now() - start);
  TakeMessages();
  f.sheets = PREVIEW_SHEET_COUNT;
  if (!loaded || PREVIEW_SHEET_COUNT != expected_sheets) f.whole = false;
  for (int32_t sheet = 0; sheet < PREVIEW_SHEET_COUNT; ++sheet) {
    PREVIEW_CURRENT_SHEET = sheet;
    const double t0 = Now();
    PaintPreviewWindow(nullptr, window, sheet);
    f.sheet.add(Now() - t0);
    TakeMessages();
  }
}

int64_t SheetsOf(int64_t pages, int pages_a_sheet) {
  return (pages + pages_a_sheet - 1) / pages_a_sheet;
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "zovkreportbench: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ReadOptions(argc, argv, o)) {
    std::fprintf(stderr, "usage: zovkreportbench [--pages N] [--rounds R] [--work FOLDER]\n");
    return 2;
  }
  const std::string work = host::FullPath(
      o.work_folder.empty() ? host::ScratchFolder("zovkreportbench") : o.work_folder);
  if (!host::MakeFolders(work)) return Fail("cannot make the work folder " + work);
  const std::string report = host::JoinPath(work, "BENCH.DQO");
  if (!WriteText(report, BenchReport(o.pages))) return Fail("cannot write " + report);
  if (!WritePicture(host::JoinPath(work, kPictureName))) return Fail("cannot write the picture");
  // A metafile picture is looked for by its name, from the current folder
  // while no program folder is set.
  if (!SetCurrentDirectoryA(work.c_str())) return Fail("cannot enter " + work);

  HWND window = CreateWindowExA(0, "STATIC", "zovkreportbench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                0, kWindowWidth, kWindowHeight, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (!window) return Fail("no window can be made here (run it on a display or the null driver)");
  TakeMessages();

  PrintFormat format;
  bench::EmfPrinter printer;
  const int layouts[] = {1, 4};
  PrintFigures printed[2];
  PreviewFigures previewed[2];
  // Every sample's room is taken before the first round, so that the
  // figures do not grow the heap between the two readings of the memory.
  for (int i = 0; i < 2; ++i) {
    const int64_t sheets = SheetsOf(o.pages, layouts[i]);
    printed[i].job.Reserve(o.rounds);
    printed[i].sheet.Reserve(o.rounds * sheets);
    previewed[i].load.Reserve(o.rounds);
    previewed[i].sheet.Reserve(o.rounds * sheets);
  }
  printer.sheet_ends.assign(static_cast<std::size_t>(o.pages), 0.0);
  bench::ProcessMemory first{}, last{};
  std::printf("memory after each round (KiB): private bytes, every heap in use and committed\n");
  for (int64_t round = 1; round <= o.rounds; ++round) {
    for (int i = 0; i < 2; ++i) {
      format.Set(layouts[i]);
      PrintOnce(window, report, SheetsOf(o.pages, layouts[i]), printer, printed[i]);
    }
    for (int i = 0; i < 2; ++i) {
      format.Set(layouts[i]);
      PreviewOnce(window, report, SheetsOf(o.pages, layouts[i]), previewed[i]);
    }
    last = bench::MeasureProcessMemory();
    if (round == kSettledRound || round == 1) first = last;
    std::printf("  round %3lld: %10.1f %10.1f %10.1f\n", static_cast<long long>(round),
                static_cast<double>(last.private_bytes) / 1024.0,
                static_cast<double>(last.heap_in_use) / 1024.0,
                static_cast<double>(last.heap_committed) / 1024.0);
    std::fflush(stdout);
  }

  std::printf(
      "\nreport: %lld pages of 61 lines of 79 characters, the picture %s over cells %s on every "
      "%dth page; %lld rounds, medians over them\n",
      static_cast<long long>(o.pages), kPictureName, kPictureCells, kPictureEvery,
      static_cast<long long>(o.rounds));
  std::printf(
      "\nprinted on enhanced-metafile pages\n"
      "  pages a sheet  sheets  job ms  ms a page  ms a sheet (median)  most ms  metafile KiB\n");
  bool whole = true;
  for (int i = 0; i < 2; ++i) {
    const PrintFigures& f = printed[i];
    std::printf("  %13d  %6lld  %6.0f  %9.3f  %19.3f  %7.3f  %12.0f%s\n", layouts[i],
                static_cast<long long>(f.sheets), f.job.median() * 1e3,
                f.job.median() * 1e3 / static_cast<double>(o.pages), f.sheet.median() * 1e3,
                f.sheet.most() * 1e3, static_cast<double>(f.metafile_bytes) / 1024.0,
                f.whole ? "" : "  (a job did not print every sheet)");
    whole = whole && f.whole;
  }
  std::printf(
      "\npreview in a window of %d x %d, each sheet shown in turn\n"
      "  pages a sheet  sheets  load ms  ms a sheet (median)  most ms\n",
      kWindowWidth, kWindowHeight);
  for (int i = 0; i < 2; ++i) {
    const PreviewFigures& f = previewed[i];
    std::printf("  %13d  %6lld  %7.1f  %19.3f  %7.3f%s\n", layouts[i],
                static_cast<long long>(f.sheets), f.load.median() * 1e3, f.sheet.median() * 1e3,
                f.sheet.most() * 1e3, f.whole ? "" : "  (not every sheet loaded)");
    whole = whole && f.whole;
  }
  std::printf("messages shown: %lld\n", static_cast<long long>(printer.messages));

  std::printf("\nmemory\n");
  char first_label[32], last_label[32];
  std::snprintf(first_label, sizeof first_label, "after round %lld",
                static_cast<long long>(std::min(kSettledRound, o.rounds)));
  std::snprintf(last_label, sizeof last_label, "after round %lld",
                static_cast<long long>(o.rounds));
  bench::PrintMemoryTable(first_label, first, last_label, last);
  DestroyWindow(window);
  return whole && printer.messages == 0 ? 0 : 1;
}
