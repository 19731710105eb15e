// The report samples of examples/report/ (copied next to the tests at every
// build) put into a test's program folder, as an installation holds them.
#pragma once

#include <string>

#include "tests/common/report_run.h"
#include "tests/common/scratch_folder.h"

namespace report_test {

inline std::string SampleBytes(const std::string& name) {
  return ReadBytes("examples\\report\\" + name);
}

inline void InstallSamples(const ReportRun& run) {
  for (const char* name : {"P012.ENG", "P012INDX.ENG", "P012.FRE", "P012INDX.FRE", "P012.RENG"})
    WriteBytes(run.lan(name), SampleBytes(std::string("DAT\\LAN\\") + name));
  for (const char* name : {"G_ENGLIS.PDA", "G_FRENCH.PDA"})
    WriteBytes(run.program() / (std::string("DAT\\PDA\\") + name),
               SampleBytes(std::string("DAT\\PDA\\") + name));
}

}  // namespace report_test
