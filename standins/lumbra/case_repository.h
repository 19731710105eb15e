// The one case repository of the process: the store that the nine calls work
// on, and what tests and the host stand-in read back through the probe.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "standins/lumbra/repository_store.h"

namespace lumbra {

struct CaseRepository {
  Store store;
  // One entry per call, "NAME|argument|argument...", in the order made.
  std::vector<std::string> calls;
  // File names whose next RPREAD answers 1 without reading.
  std::vector<std::string> failing_reads;
  // What the last failed call found wrong, with the file's line for RPREAD.
  std::string last_error;

  void log(std::initializer_list<std::string_view> parts);
  Error fail(Error error, std::string message);
  // True, and forgets it, when a failure of this file's read was asked for.
  bool take_failing_read(std::string_view path);
  void reset();
};

extern CaseRepository CASE_REPOSITORY;

// RPREAD's work: loads the file into the store whole, or nothing of it.
Error ReadRepositoryFile(CaseRepository& repository, const std::string& path);
// RPDUMP's work: writes every class, object and record to the file.
Error DumpRepositoryFile(CaseRepository& repository, const std::string& path);

}  // namespace lumbra
