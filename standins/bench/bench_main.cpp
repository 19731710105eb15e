// zovkbench: how fast the library runs a block and whether it holds on to
// memory. It plays the host for a block of 5 hot and 5 cold heat-release
// curves of 24 points, runs N execute and output cycles against the
// stand-ins, and prints
//   - the time of an execute call (and of an output call),
//   - the case server calls an execute call makes (counted in the server's log),
//   - the process's memory after 100 cycles and after the last,
//   - the time of a bare replay of one execute call's server calls, made
//     straight through the COM interfaces, and from it the library's own share.
//
//   zovkbench --case FILE [--cycles N] [--replays R] [--work FOLDER]
//   zovkbench --write-block FILE [HOT COLD]   writes a block file and stops
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "block_text.h"
#include "case_server_probe.h"
#include "host_files.h"
#include "host_road.h"
#include "process_memory.h"
#include "repository_probe.h"
#include "server_log.h"
#include "server_replay.h"

using namespace host;
using bench::ProcessMemory;

namespace {

struct Options {
  std::string case_file;
  std::string work_folder;
  int64_t cycles = 10000;
  int64_t replays = 1000;
  int64_t hot_curves = 5;
  int64_t cold_curves = 5;
  std::string write_block;
};

// The moment of a call, in seconds.
double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

// Call times in seconds. The median is the figure to compare: other work on
// the machine lengthens single calls, which moves the mean.
struct Timing {
  std::vector<double> samples;
  void add(double seconds) { samples.push_back(seconds); }
  double mean() const {
    double total = 0;
    for (double s : samples) total += s;
    return samples.empty() ? 0 : total / static_cast<double>(samples.size());
  }
  double median() const {
    if (samples.empty()) return 0;
    std::vector<double> sorted = samples;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    return sorted[sorted.size() / 2];
  }
  double least() const {
    return samples.empty() ? 0 : *std::min_element(samples.begin(), samples.end());
  }
};

double Mib(uint64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

void PrintMemory(const char* when, const ProcessMemory& m) {
  std::printf(
      "memory %-22s working set %8.2f MiB, private bytes %8.2f MiB, heap in use %8.2f MiB"
      " in %llu blocks\n",
      when, Mib(m.working_set), Mib(m.private_bytes), Mib(m.heap_in_use),
      static_cast<unsigned long long>(m.heap_blocks));
}

void PrintTiming(const char* what, const Timing& t) {
  std::printf("%-30s %8.3f ms median, %8.3f mean, %8.3f least, over %zu calls\n", what,
              t.median() * 1e3, t.mean() * 1e3, t.least() * 1e3, t.samples.size());
}

bool ReadOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    auto count = [&](int64_t& slot) {
      const char* v = next();
      if (!v) return false;
      slot = std::strtoll(v, nullptr, 10);
      return slot > 0;
    };
    if (a == "--case") {
      const char* v = next();
      if (!v) return false;
      o.case_file = v;
    } else if (a == "--work") {
      const char* v = next();
      if (!v) return false;
      o.work_folder = v;
    } else if (a == "--cycles") {
      if (!count(o.cycles)) return false;
    } else if (a == "--replays") {
      if (!count(o.replays)) return false;
    } else if (a == "--write-block") {
      const char* v = next();
      if (!v) return false;
      o.write_block = v;
      if (i + 2 < argc) {
        o.hot_curves = std::strtoll(argv[++i], nullptr, 10);
        o.cold_curves = std::strtoll(argv[++i], nullptr, 10);
      }
    } else {
      return false;
    }
  }
  return !o.write_block.empty() || !o.case_file.empty();
}

BlockShape ShapeOf(const Options& o) {
  BlockShape shape;
  shape.hot_curves = static_cast<int>(o.hot_curves);
  shape.cold_curves = static_cast<int>(o.cold_curves);
  if (!o.case_file.empty()) shape.case_file = LastPart(o.case_file);
  return shape;
}

int WriteBlock(const Options& o) {
  UniqueFile file(std::fopen(o.write_block.c_str(), "wb"));
  const std::string text = MakeBlockText(ShapeOf(o));
  if (!file || std::fwrite(text.data(), 1, text.size(), file.get()) != text.size()) {
    std::fprintf(stderr, "cannot write %s\n", o.write_block.c_str());
    return 1;
  }
  return 0;
}

// The server calls since the log was last cleared, read back.
std::vector<bench::ServerCall> ReadCalls(const std::vector<std::string>& lines) {
  std::vector<bench::ServerCall> calls;
  for (const std::string& line : lines)
    if (auto call = bench::ReadLogLine(line)) calls.push_back(std::move(*call));
  return calls;
}

// The first line where two logs differ, from 1; 0 when they are the same.
std::size_t FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i)
    if (i >= a.size() || i >= b.size() || a[i] != b[i]) return i + 1;
  return 0;
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "zovkbench: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ReadOptions(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: zovkbench --case FILE [--cycles N] [--replays R] [--work FOLDER]\n"
                 "       zovkbench --write-block FILE [HOT COLD]\n");
    return 2;
  }
  if (!o.write_block.empty()) return WriteBlock(o);

  // The replay creates a server of its own on this thread.
  OleInitialize(nullptr);
  if (FAILED(RegisterCaseServerDll())) return Fail("cannot register the case server");
  VodiLibrary library;
  if (!library.loaded()) return Fail(library.error());

  const std::string work =
      FullPath(o.work_folder.empty() ? ScratchFolder("zovkbench") : o.work_folder);
  if (!MakeFolders(work)) return Fail("cannot make the work folder " + work);
  const BlockShape shape = ShapeOf(o);
  const std::string block_file = JoinPath(work, kBlockFileName);
  {
    UniqueFile file(std::fopen(block_file.c_str(), "wb"));
    const std::string text = MakeBlockText(shape);
    if (!file || std::fwrite(text.data(), 1, text.size(), file.get()) != text.size())
      return Fail("cannot write " + block_file);
  }
  if (LoadRepositoryFile(block_file) != 0) return Fail("cannot load " + block_file);
  std::string error;
  auto block = TakeHostBlock(kHostIdLength, error);
  if (!block) return Fail(error);
  const std::string case_path = JoinPath(work, block->case_file);
  if (!CopyFileOver(FullPath(o.case_file), case_path)) return Fail("cannot copy " + o.case_file);

  HostRoad road(library, *block, case_path);
  road.KeepUnitOptions();
  if (InputFailed(road.Input())) return Fail("the input call failed");
  if (road.WriteUnitOptions() != 0) return Fail("cannot write the unit options");

  std::printf("block: %d hot and %d cold curves of %d points; case %s\n", shape.hot_curves,
              shape.cold_curves, shape.points, case_path.c_str());

  // A first cycle loads what a run needs once; the second records the
  // server calls of one execute call.
  road.Execute();
  road.Output(block->output_mode);
  CaseProbeClearLog();
  LumbraProbeClearCalls();
  const ExecuteAnswer recorded = road.Execute();
  const std::vector<std::string> recorded_log = case_probe::Log(0);
  const int64_t repository_calls = LumbraProbeCallCount();
  const std::vector<bench::ServerCall> calls = ReadCalls(recorded_log);
  CaseProbeClearLog();
  road.Output(block->output_mode);
  CaseProbeClearLog();
  if (!road.ReadPerformance()) return Fail("the execute call wrote no DOVI_PERFORMANCE record");

  // The samples' room is taken before the first cycle, so that the
  // measurement itself does not grow the heap between the two readings.
  Timing execute, output;
  execute.samples.reserve(static_cast<std::size_t>(o.cycles));
  output.samples.reserve(static_cast<std::size_t>(o.cycles));
  ProcessMemory early{};
  const int64_t early_at = std::min<int64_t>(100, o.cycles);
  for (int64_t cycle = 1; cycle <= o.cycles; ++cycle) {
    const double t0 = Now();
    road.Execute();
    const double t1 = Now();
    road.Output(block->output_mode);
    const double t2 = Now();
    execute.add(t1 - t0);
    output.add(t2 - t1);
    // The stand-ins log every call for their probes; cleared, so that only
    // the library's memory is watched.
    CaseProbeClearLog();
    LumbraProbeClearCalls();
    if (cycle == early_at) early = bench::MeasureProcessMemory();
  }
  const ProcessMemory late = bench::MeasureProcessMemory();

  bench::ServerReplay replay(calls);
  if (FAILED(replay.Open())) return Fail("the replay cannot create a case server");
  // The replay must make exactly the calls the library made.
  CaseProbeClearLog();
  replay.RunOnce();
  const std::size_t differs = FirstDifference(case_probe::Log(0), recorded_log);
  CaseProbeClearLog();
  auto time_replays = [&](bool fresh_texts) {
    Timing t;
    for (int64_t r = 0; r < o.replays; ++r) {
      const double t0 = Now();
      replay.RunOnce(fresh_texts);
      t.add(Now() - t0);
      CaseProbeClearLog();
    }
    return t;
  };
  const Timing replayed = time_replays(false);
  const Timing replayed_fresh = time_replays(true);
  replay.Close();
  road.Exit();

  std::printf("\n%lld execute and output cycles\n", static_cast<long long>(o.cycles));
  PrintTiming("execute call", execute);
  PrintTiming("output call", output);
  std::printf("\ncase server calls per execute call: %zu (messages %lld)\n", recorded_log.size(),
              static_cast<long long>(recorded.message_count));
  for (const auto& [name, count] : bench::CountByOperation(calls))
    std::printf("  %-34s %6lld\n", name.c_str(), static_cast<long long>(count));
  std::printf("repository calls per execute call: %lld\n",
              static_cast<long long>(repository_calls));

  std::printf("\n");
  char when[32];
  std::snprintf(when, sizeof when, "after %lld cycles:", static_cast<long long>(early_at));
  PrintMemory(when, early);
  std::snprintf(when, sizeof when, "after %lld cycles:", static_cast<long long>(o.cycles));
  PrintMemory(when, late);
  const double grown =
      static_cast<double>(late.private_bytes) - static_cast<double>(early.private_bytes);
  const double heap_grown =
      static_cast<double>(late.heap_in_use) - static_cast<double>(early.heap_in_use);
  const int64_t between = o.cycles - early_at;
  std::printf("growth between them: private bytes %+.1f KiB, heap in use %+.1f KiB", grown / 1024.0,
              heap_grown / 1024.0);
  if (between > 0) std::printf(" (%+.1f heap bytes a cycle)", heap_grown / between);
  std::printf("\n");

  std::printf("\n");
  PrintTiming("bare replay of an execute call", replayed);
  PrintTiming("  the same, BSTRs made per call", replayed_fresh);
  if (differs)
    std::printf("the replay's calls differ from the recorded ones at line %zu\n", differs);
  else
    std::printf("the replay made the %zu recorded calls exactly\n", recorded_log.size());
  const double ratio = execute.median() > 0 ? replayed.median() / execute.median() : 0.0;
  std::printf(
      "the library's own share of an execute call: %.3f (replay / execute = %.3f, medians)\n",
      1.0 - ratio, ratio);
  return 0;
}
