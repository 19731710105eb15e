// The run that report tests write into: a program folder and a case folder of
// their own, a run name, and the rich-text library stand-in off with an empty
// log; everything as it was when the object goes. And a file held open by
// another without sharing, as a user's program may hold one.
#pragma once

#include <cstring>
#include <string>

#include "runenv/run_folders_face.h"
#include "standins/ostrin/rich_text_probe.h"
#include "tests/common/scratch_folder.h"

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
  std::string report() const { return case_ / RunFile(".DQO"); }
  std::string report_bytes() const { return ReadBytes(report()); }
  // How many picture lines of the report show the run's drawing container.
  std::size_t container_lines() const {
    const std::string report = report_bytes();
    const std::string line = "$$$" + RunFile(".ZFD") + " ";
    std::size_t count = 0;
    for (std::size_t at = report.find(line); at != std::string::npos;
         at = report.find(line, at + 1))
      ++count;
    return count;
  }

 private:
  // A file named after the run, or "OUTPUT" without a run name.
  static std::string RunFile(const char* extension) {
    return std::string(FOLDER_BUFFERS.run_name[0] ? FOLDER_BUFFERS.run_name : "OUTPUT") + extension;
  }

  FolderBuffers saved_;
  ScratchFolder program_;
  ScratchFolder case_;
};

// A file held open by another without sharing: no one else can open it.
class HeldOpen {
 public:
  explicit HeldOpen(const std::string& path)
      : file_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;
  bool held() const { return file_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE file_;
};
