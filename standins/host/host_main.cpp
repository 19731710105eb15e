// zovkhost: plays the host for one exchanger block. It registers the case
// server, loads zovkvodi.dll as the host does, puts the block's streams,
// heat-release curves and unit options into the case repository, and calls
// input, hcurve for both sides, execute, output and exit, printing what each
// call answers.
//
//   zovkhost [--no-exit] BLOCK_FOLDER [WORK_FOLDER]
//
// The case file is copied into the work folder (by default a scratch folder
// under the system temporary folder) and the run works on that copy, so the
// block folder stays as it is. With --no-exit the host ends its process after
// output without calling exit, the library still loaded and its connections
// open, as a host that is closed in the middle of its work does. The exit
// code is 0 when every call succeeded, 1 when one reported a failure, 2 for
// a wrong command line.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "standins/host/host_files.h"
#include "standins/host/host_road.h"
#include "standins/host/road_report.h"
#include "standins/lumbra/repository_probe.h"

using namespace host;

namespace {

std::string Hex(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

std::string Status(int64_t status) { return "status " + std::to_string(status); }

std::string RepositoryError() {
  char text[512] = "";
  LumbraProbeLastError(text, sizeof text);
  return text;
}

void Print(const std::string& text) { std::fputs(text.c_str(), stdout); }

// The calls after input: unit options, both curve requests, execute, output.
// Answers true when each of them succeeded.
bool RunBlock(HostRoad& road) {
  const int64_t written = road.WriteUnitOptions();
  Print(CallLine("unit options written", "repository error " + std::to_string(written)));
  if (written != 0) return false;

  for (int64_t side : {1, 2}) {
    const HcurveAnswer answer = road.Hcurve(side);
    Print(CallLine(side == 1 ? "ZOVK_VODI_HCURVE hot side" : "ZOVK_VODI_HCURVE cold side",
                   Status(answer.status)));
    Print(FormatHcurve(answer));
    if (StatusFailed(answer.status)) return false;
  }

  const ExecuteAnswer executed = road.Execute();
  Print(CallLine("ZOVK_VODI_EXECUTE", "messages " + std::to_string(executed.message_count)));
  Print(FormatMessages(executed));
  const auto performance = road.ReadPerformance();
  if (!performance) {
    Print("  the result object holds no DOVI_PERFORMANCE record: the run did not finish\n");
    return false;
  }
  Print(FormatPerformance(*performance));

  const int64_t mode = road.block().output_mode;
  const int64_t status = road.Output(mode);
  Print(CallLine("ZOVK_VODI_OUTPUT mode " + std::to_string(mode), Status(status)));
  return !StatusFailed(status);
}

}  // namespace

int main(int argc, char** argv) {
  const bool no_exit = argc > 1 && std::string(argv[1]) == "--no-exit";
  if (no_exit) {
    --argc;
    ++argv;
  }
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: zovkhost [--no-exit] BLOCK_FOLDER [WORK_FOLDER]\n");
    return 2;
  }
  const std::string block_folder = FullPath(argv[1]);
  const std::string work_folder = FullPath(argc == 3 ? argv[2] : ScratchFolder(block_folder));
  Print("block folder: " + block_folder + "\nwork folder:  " + work_folder + "\n\n");

  const HRESULT registered = RegisterCaseServerDll();
  Print(CallLine("register case server", Hex(registered)));
  if (FAILED(registered)) return 1;

  VodiLibrary library;
  Print(CallLine("load zovkvodi.dll", library.loaded() ? "done" : library.error()));
  if (!library.loaded()) return 1;

  const std::string block_file = JoinPath(block_folder, kBlockFileName);
  const int64_t loaded = LoadRepositoryFile(block_file);
  Print(CallLine("load block file", "repository error " + std::to_string(loaded)));
  if (loaded != 0) {
    Print("  " + RepositoryError() + "\n");
    return 1;
  }
  std::string error;
  const auto block = TakeHostBlock(kHostIdLength, error);
  if (!block) {
    Print("  the block description is wrong: " + error + "\n");
    return 1;
  }

  if (!MakeFolders(work_folder)) {
    Print("cannot make the work folder\n");
    return 1;
  }
  const std::string source_case = JoinPath(block_folder, block->case_file);
  const std::string case_path = JoinPath(work_folder, block->case_file);
  if (FileExists(source_case)) {
    const bool copied = CopyFileOver(source_case, case_path);
    Print(CallLine("copy case file", copied ? case_path : "failed"));
    if (!copied) return 1;
  } else {
    Print(CallLine("copy case file", "the block has none; the run starts a new case"));
  }

  HostRoad road(library, *block, case_path);
  Print(
      CallLine("unit options kept", "repository error " + std::to_string(road.KeepUnitOptions())));

  const int64_t input = road.Input();
  Print(CallLine("ZOVK_VODI_INPUT", Status(input) + (input == 1 ? " (new case file)" : "")));
  const bool succeeded = !InputFailed(input) && RunBlock(road);
  if (no_exit) {
    // The process ends here, the library loaded and its connections open:
    // nothing of this host unloads it before the process's own end does.
    Print(succeeded ? "every call succeeded; the host ends without ZOVK_VODI_EXIT\n"
                    : "a call reported a failure; the host ends without ZOVK_VODI_EXIT\n");
    std::fflush(stdout);
    std::exit(succeeded ? 0 : 1);
  }
  road.Exit();
  Print(CallLine("ZOVK_VODI_EXIT", "done"));

  Print("\ncase file: " + case_path + (FileExists(case_path) ? "" : " (missing)") + "\n");
  Print(succeeded ? "every call succeeded\n" : "a call reported a failure\n");
  return succeeded ? 0 : 1;
}
