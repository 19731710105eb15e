// The run that report tests write into: a program folder and a case folder of
// their own, a run name, and the rich-text library stand-in off with an empty
// log; everything as it was when the object goes.
#pragma once

#include <cstring>
#include <string>

#include "rich_text_probe.h"
#include "run_folders.h"
#include "scratch_folder.h"

class ReportRun {
 public:
  explicit ReportRun(const char* run_name = "ZOVK1") {
    saved_ = FOLDER_BUFFERS;
    SetRunName(run_name);
    std::strcpy(FOLDER_BUFFERS.program_folder, program_.path().c_str());
    std::strcpy(FOLDER_BUFFERS.case_folder, case_.path().c_str());
    OstrinProbeReset();
  }
  ~ReportRun() {
    FOLDER_BUFFERS = saved_;
    OstrinProbeReset();
  }
  ReportRun(const ReportRun&) = delete;
  ReportRun& operator=(const ReportRun&) = delete;

  void SetRunName(const char* run_name) { std::strcpy(FOLDER_BUFFERS.run_name, run_name); }

  const ScratchFolder& program() const { return program_; }
  const ScratchFolder& cases() const { return case_; }
  // A file of the program's "DAT\LAN\".
  std::string lan(const std::string& name) const { return program_ / ("DAT\\LAN\\" + name); }
  // The run's report file and its bytes.
  std::string report() const {
    return case_ /
           (std::string(FOLDER_BUFFERS.run_name[0] ? FOLDER_BUFFERS.run_name : "OUTPUT") + ".DQO");
  }
  std::string report_bytes() const { return ReadBytes(report()); }

 private:
  FolderBuffers saved_;
  ScratchFolder program_;
  ScratchFolder case_;
};
