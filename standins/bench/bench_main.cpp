// zovkbench: how fast the library runs a block and whether it holds on to
// memory. It plays the host for a block of 5 hot and 5 cold heat-release
// curves of 24 points, runs N execute and output cycles against the
// stand-ins, and prints
//   - the time of an execute call and of an output call, each beside a bare
//     replay of the case server calls it made (recorded in the server's log
//     and made again straight through the COM interfaces, every Kth cycle in
//     the same loop, so that both see the same load of the machine), and
//     their ratio: what the call costs beyond its server calls is the
//     library's own work;
//   - the case server calls an execute call makes;
//   - the process's memory after 100 cycles and after the last;
//   - the execute time and server calls for 1, 3 and 5 curves a side and 6,
//     12 and 24 points a curve, each with its replay, S cycles a row.
//
//   zovkbench --case FILE [--cycles N] [--replay-every K] [--scaling-cycles S]
//             [--work FOLDER] [--replay-only]  (N 6000, K 10, S 50; S 0: no table)
// --replay-only runs the N cycles with the bare replay alone, every cycle and
// no library call, so that the memory table shows what the stand-ins and the
// system do without the library.
//   zovkbench --write-block FILE [HOT COLD]   writes a block file and stops
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "standins/bench/bench_timing.h"
#include "standins/bench/process_memory.h"
#include "standins/bench/server_log.h"
#include "standins/bench/server_replay.h"
#include "standins/caseserver/case_server_probe.h"
#include "standins/host/block_text.h"
#include "standins/host/host_files.h"
#include "standins/host/host_road.h"
#include "standins/lumbra/repository_probe.h"

using namespace host;
using bench::Now;
using bench::ProcessMemory;
using bench::Timing;

namespace {

struct Options {
  std::string case_file;
  std::string work_folder;
  // Enough cycles to show a steady heap, few enough for a run of under two
  // minutes; a longer watch of the memory: --cycles 10000.
  int64_t cycles = 6000;
  int64_t replay_every = 10;
  int64_t scaling_cycles = 50;
  int64_t hot_curves = 5;
  int64_t cold_curves = 5;
  bool replay_only = false;
  std::string write_block;
};

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
    } else if (a == "--replay-every") {
      if (!count(o.replay_every)) return false;
    } else if (a == "--scaling-cycles") {
      const char* v = next();
      if (!v) return false;
      o.scaling_cycles = std::strtoll(v, nullptr, 10);
      if (o.scaling_cycles < 0) return false;
    } else if (a == "--replay-only") {
      o.replay_only = true;
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

// One block in the repository, its case file in the work folder and the
// host's road through it, set up to the first execute call.
struct BenchBlock {
  std::optional<HostBlock> block;
  std::optional<HostRoad> road;
};

std::string SetUpBlock(const VodiLibrary& library, const std::string& work,
                       const std::string& case_file, const BlockShape& shape, BenchBlock& b) {
  const std::string block_file = JoinPath(work, shape.name + ".rpd");
  {
    UniqueFile file(std::fopen(block_file.c_str(), "wb"));
    const std::string text = MakeBlockText(shape);
    if (!file || std::fwrite(text.data(), 1, text.size(), file.get()) != text.size())
      return "cannot write " + block_file;
  }
  if (LoadRepositoryFile(block_file) != 0) return "cannot load " + block_file;
  std::string error;
  b.block = TakeHostBlock(kHostIdLength, error);
  if (!b.block) return error;
  const std::string case_path = JoinPath(work, b.block->case_file);
  if (!CopyFileOver(FullPath(case_file), case_path)) return "cannot copy " + case_file;
  b.road.emplace(library, *b.block, case_path);
  b.road->KeepUnitOptions();
  if (InputFailed(b.road->Input())) return "the input call failed";
  if (b.road->WriteUnitOptions() != 0) return "cannot write the unit options";
  return {};
}

// An execute and an output call's server calls, recorded from the library
// and made again by a replay that must match them line for line.
struct RecordedCycle {
  std::vector<std::string> execute_log, output_log;
  int64_t repository_calls = 0;
  int64_t messages = 0;
};

RecordedCycle RecordCycle(HostRoad& road, int64_t output_mode) {
  RecordedCycle r;
  CaseProbeClearLog();
  LumbraProbeClearCalls();
  r.messages = road.Execute().message_count;
  r.execute_log = case_probe::Log(0);
  r.repository_calls = LumbraProbeCallCount();
  CaseProbeClearLog();
  road.Output(output_mode);
  r.output_log = case_probe::Log(0);
  CaseProbeClearLog();
  return r;
}

// Creates the replay of a recorded cycle and checks it once against the
// record; answers an empty text when both parts made exactly the calls
// recorded.
std::string CheckReplay(bench::ServerReplay& replay, const RecordedCycle& r) {
  if (FAILED(replay.Open())) return "the replay cannot create a case server";
  std::string differs;
  const std::vector<std::string>* logs[] = {&r.execute_log, &r.output_log};
  for (std::size_t part = 0; part < 2; ++part) {
    CaseProbeClearLog();
    replay.Run(part);
    if (const std::size_t line = FirstDifference(case_probe::Log(0), *logs[part]))
      differs += (part == 0 ? "execute" : "output") + std::string(" replay differs at line ") +
                 std::to_string(line) + "; ";
  }
  CaseProbeClearLog();
  return differs;
}

// The road's execute and output calls, each cycle followed by the replay of
// the same calls every replay_every cycles, so that both see the same load of
// the machine; or, without the library, the replay alone every cycle.
struct SideBySide {
  Timing execute, output, execute_replay, output_replay;
};

template <class EachCycle>
SideBySide RunCycles(HostRoad* road, int64_t output_mode, bench::ServerReplay& replay,
                     int64_t cycles, int64_t replay_every, EachCycle each_cycle) {
  if (!road) replay_every = 1;
  SideBySide t;
  t.execute.Reserve(road ? cycles : 0);
  t.output.Reserve(road ? cycles : 0);
  t.execute_replay.Reserve(cycles / replay_every + 1);
  t.output_replay.Reserve(cycles / replay_every + 1);
  for (int64_t cycle = 1; cycle <= cycles; ++cycle) {
    if (road) {
      const double t0 = Now();
      road->Execute();
      const double t1 = Now();
      road->Output(output_mode);
      const double t2 = Now();
      t.execute.add(t1 - t0);
      t.output.add(t2 - t1);
    }
    if (cycle % replay_every == 0) {
      CaseProbeClearLog();
      const double r0 = Now();
      replay.Run(0);
      const double r1 = Now();
      replay.Run(1);
      const double r2 = Now();
      t.execute_replay.add(r1 - r0);
      t.output_replay.add(r2 - r1);
    }
    // The stand-ins log every call for their probes; cleared, so that only
    // the library's memory is watched.
    CaseProbeClearLog();
    LumbraProbeClearCalls();
    each_cycle(cycle);
  }
  return t;
}

void PrintRatio(const char* what, const Timing& call, const Timing& replay) {
  const double r = replay.median() > 0 ? call.median() / replay.median() : 0.0;
  std::printf("%-14s %8.3f ms median against its replay's %8.3f ms: ratio %.3f\n", what,
              call.median() * 1e3, replay.median() * 1e3, r);
}

// The cost of an execute call as the block grows: rows of curves a side and
// points a curve, each measured side by side with its replay.
void PrintScaling(const VodiLibrary& library, const Options& o, const std::string& work,
                  const BlockShape& main_shape, std::size_t main_calls, const SideBySide& main) {
  struct Row {
    int curves, points;
    std::size_t calls;
    double execute, replay;
  };
  std::vector<Row> rows;
  const int shapes[][2] = {{1, 24}, {3, 24}, {5, 6}, {5, 12}, {5, 24}};
  for (const auto& [curves, points] : shapes) {
    if (curves == main_shape.hot_curves && curves == main_shape.cold_curves &&
        points == main_shape.points) {
      rows.push_back(
          {curves, points, main_calls, main.execute.median(), main.execute_replay.median()});
      continue;
    }
    BlockShape shape = main_shape;
    shape.hot_curves = shape.cold_curves = curves;
    shape.points = points;
    shape.name = "PHE-" + std::to_string(curves) + "X" + std::to_string(points);
    shape.case_file = "S" + std::to_string(curves) + "X" + std::to_string(points) + ".QXN";
    BenchBlock b;
    if (const std::string error = SetUpBlock(library, work, o.case_file, shape, b);
        !error.empty()) {
      std::printf("  %d curves of %d points: %s\n", curves, points, error.c_str());
      continue;
    }
    b.road->Execute();
    b.road->Output(b.block->output_mode);
    const RecordedCycle r = RecordCycle(*b.road, b.block->output_mode);
    bench::ServerReplay replay({ReadCalls(r.execute_log), ReadCalls(r.output_log)});
    if (const std::string error = CheckReplay(replay, r); !error.empty()) {
      std::printf("  %d curves of %d points: %s\n", curves, points, error.c_str());
      continue;
    }
    const SideBySide t =
        RunCycles(&*b.road, b.block->output_mode, replay, o.scaling_cycles, 1, [](int64_t) {});
    replay.Close();
    rows.push_back(
        {curves, points, r.execute_log.size(), t.execute.median(), t.execute_replay.median()});
  }
  std::printf(
      "\nexecute as the block grows (%lld cycles a row, medians)\n"
      "  curves a side  points a curve  curves x points  server calls  execute ms  replay ms"
      "  ratio  execute us a call  replay us a call\n",
      static_cast<long long>(o.scaling_cycles));
  for (const Row& r : rows) {
    const double calls = static_cast<double>(r.calls);
    std::printf("  %13d  %14d  %15d  %12zu  %10.3f  %9.3f  %5.2f  %17.3f  %16.3f\n", r.curves,
                r.points, r.curves * r.points, r.calls, r.execute * 1e3, r.replay * 1e3,
                r.replay > 0 ? r.execute / r.replay : 0.0, r.execute * 1e6 / calls,
                r.replay * 1e6 / calls);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ReadOptions(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: zovkbench --case FILE [--cycles N] [--replay-every K]\n"
                 "                 [--scaling-cycles S] [--work FOLDER]\n"
                 "       zovkbench --write-block FILE [HOT COLD]\n");
    return 2;
  }
  if (!o.write_block.empty()) return WriteBlock(o);

  // The replay creates a server of its own on this thread.
  OleInitialize(nullptr);
  const bool bstr_cache_off = bench::TurnOffBstrCache();
  if (FAILED(RegisterCaseServerDll())) return Fail("cannot register the case server");
  VodiLibrary library;
  if (!library.loaded()) return Fail(library.error());

  const std::string work =
      FullPath(o.work_folder.empty() ? ScratchFolder("zovkbench") : o.work_folder);
  if (!MakeFolders(work)) return Fail("cannot make the work folder " + work);
  const BlockShape shape = ShapeOf(o);
  BenchBlock main_block;
  if (const std::string error = SetUpBlock(library, work, o.case_file, shape, main_block);
      !error.empty())
    return Fail(error);
  HostRoad& road = *main_block.road;
  const int64_t output_mode = main_block.block->output_mode;
  std::printf("block: %d hot and %d cold curves of %d points; case %s\n", shape.hot_curves,
              shape.cold_curves, shape.points, road.case_path().c_str());

  // A first cycle loads what a run needs once; the second records the
  // server calls of one execute and one output call.
  road.Execute();
  road.Output(output_mode);
  const RecordedCycle recorded = RecordCycle(road, output_mode);
  if (!road.ReadPerformance()) return Fail("the execute call wrote no DOVI_PERFORMANCE record");
  const std::vector<bench::ServerCall> execute_calls = ReadCalls(recorded.execute_log);
  bench::ServerReplay replay({execute_calls, ReadCalls(recorded.output_log)});
  const std::string differs = CheckReplay(replay, recorded);

  ProcessMemory early{};
  const int64_t early_at = std::min<int64_t>(100, o.cycles);
  const SideBySide t = RunCycles(o.replay_only ? nullptr : &road, output_mode, replay, o.cycles,
                                 o.replay_every, [&](int64_t cycle) {
                                   if (cycle == early_at) early = bench::MeasureProcessMemory();
                                 });
  const ProcessMemory late = bench::MeasureProcessMemory();
  replay.Close();

  if (o.replay_only)
    std::printf("\n%lld cycles of the bare replay alone\n", static_cast<long long>(o.cycles));
  else
    std::printf(
        "\n%lld execute and output cycles, each %lldth followed by the replay of its calls\n",
        static_cast<long long>(o.cycles), static_cast<long long>(o.replay_every));
  if (!o.replay_only) PrintTiming("execute call", t.execute);
  PrintTiming("bare replay of its calls", t.execute_replay);
  if (!o.replay_only) PrintTiming("output call", t.output);
  PrintTiming("bare replay of its calls", t.output_replay);
  if (differs.empty())
    std::printf("the replays made the %zu and %zu recorded calls exactly\n",
                recorded.execute_log.size(), recorded.output_log.size());
  else
    std::printf("%s\n", differs.c_str());
  if (!o.replay_only) {
    PrintRatio("execute", t.execute, t.execute_replay);
    PrintRatio("output", t.output, t.output_replay);
  }

  std::printf("\ncase server calls per execute call: %zu (messages %lld)\n",
              recorded.execute_log.size(), static_cast<long long>(recorded.messages));
  for (const auto& [name, count] : bench::CountByOperation(execute_calls))
    std::printf("  %-34s %6lld\n", name.c_str(), static_cast<long long>(count));
  std::printf("repository calls per execute call: %lld\n",
              static_cast<long long>(recorded.repository_calls));
  std::printf("case server calls per output call: %zu\n", recorded.output_log.size());

  std::printf(
      "\nmemory (%s; the BSTR cache %s)\n",
      o.replay_only ? "the bare replay alone, no library call" : "execute and output cycles",
      bstr_cache_off ? "off" : "on");
  char early_label[32], late_label[32];
  std::snprintf(early_label, sizeof early_label, "after %lld", static_cast<long long>(early_at));
  std::snprintf(late_label, sizeof late_label, "after %lld", static_cast<long long>(o.cycles));
  bench::PrintMemoryTable(early_label, early, late_label, late);
  const double grown =
      static_cast<double>(late.private_bytes) - static_cast<double>(early.private_bytes);
  const double heap_grown =
      static_cast<double>(late.heap_in_use) - static_cast<double>(early.heap_in_use);
  const int64_t between = o.cycles - early_at;
  std::printf("growth between them: private bytes %+.1f KiB, heap in use %+.1f KiB", grown / 1024.0,
              heap_grown / 1024.0);
  if (between > 0) std::printf(" (%+.1f heap bytes a cycle)", heap_grown / between);
  std::printf("\n");

  if (o.scaling_cycles > 0 && !o.replay_only)
    PrintScaling(library, o, work, shape, recorded.execute_log.size(), t);
  road.Exit();
  return differs.empty() ? 0 : 1;
}
