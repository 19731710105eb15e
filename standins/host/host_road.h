// The host's road through one block: input, the unit options written, an
// hcurve request for each side, execute, output and exit, each call made as
// the host makes it and its answer kept for the report.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "standins/host/host_arrays.h"
#include "standins/host/host_block.h"
#include "standins/host/host_repository.h"
#include "standins/host/vodi_library.h"

namespace host {

inline constexpr char kUnitOptionsRecord[] = "PLATE_QUOR_UNIT_INPUT";
inline constexpr char kPerformanceRecord[] = "DOVI_PERFORMANCE";
inline constexpr int64_t kRecordTextLength = 32;

struct HcurveAnswer {
  int64_t side = 0;
  std::array<int64_t, kRequestWords> request{};
  std::array<double, kRequestValues> values{};
  int64_t status = 0;
};

struct ExecuteAnswer {
  int64_t message_count = 0;
  std::vector<int64_t> message_codes;  // the first message_count of the host's array
};

struct Performance {
  int64_t marker = 0;         // IVALS(1)
  std::vector<double> reals;  // RVALS, 24 of them
};

class HostRoad {
 public:
  // The block's case file is at case_path (the host's working copy).
  HostRoad(const VodiLibrary& library, HostBlock block, std::string case_path);

  // Takes the unit options record that the block file brought, before the
  // input call recreates the unit input object empty. Answers the error word.
  int64_t KeepUnitOptions();
  // Writes the kept unit options under the recreated unit input object; does
  // nothing and answers 3 when the block brought none.
  int64_t WriteUnitOptions();

  int64_t Input();
  // Side 1 hot, 2 cold; the host's levels of that side go into values (3) to (6).
  HcurveAnswer Hcurve(int64_t side);
  ExecuteAnswer Execute();
  int64_t Output(int64_t output_mode);
  void Exit();

  // The result object's "DOVI_PERFORMANCE" record; nothing when it is absent.
  std::optional<Performance> ReadPerformance() const;

  const HostBlock& block() const { return block_; }
  const std::string& case_path() const { return case_path_; }

 private:
  const VodiLibrary& library_;
  HostBlock block_;
  std::string case_path_;
  std::optional<RecordArrays> unit_options_;
};

// Whether a call's status word reports a failure. Input's 1 tells that the
// case file is new, which is no failure.
bool InputFailed(int64_t status);
bool StatusFailed(int64_t status);

}  // namespace host
