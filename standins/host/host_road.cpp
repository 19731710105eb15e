#include "host_road.h"

#include <algorithm>
#include <utility>

namespace host {

HostRoad::HostRoad(const VodiLibrary& library, HostBlock block, std::string case_path)
    : library_(library), block_(std::move(block)), case_path_(std::move(case_path)) {}

int64_t HostRoad::KeepUnitOptions() {
  RecordArrays arrays;
  const int64_t err = ReadRecord(block_.unit_id, kUnitOptionsRecord, kRecordTextLength, arrays);
  if (err == 0) unit_options_ = std::move(arrays);
  return err;
}

int64_t HostRoad::WriteUnitOptions() {
  if (!unit_options_) return 3;
  return PutRecord(block_.unit_id, kUnitOptionsRecord, *unit_options_, kRecordTextLength);
}

int64_t HostRoad::Input() {
  HostIds ids = RunIds(block_);
  int64_t option_count = 0, real_count = 0, options[1] = {0}, further = 0;
  double reals[1] = {0.0};
  HostText path = CasePathText(case_path_);
  HostText key = KeyText(block_.connection_key);
  int64_t status = -1;
  library_.input(ids.count(), ids.data(), &option_count, options, &real_count, reals, &further,
                 path.data(), key.data(), &status, ids.length(), path.length(), key.length());
  return status;
}

HcurveAnswer HostRoad::Hcurve(int64_t side) {
  HcurveAnswer answer;
  answer.side = side;
  answer.request[19] = block_.levels_asked;
  answer.values.fill(MISSING_REAL);
  const auto& levels = side == 2 ? block_.cold_levels : block_.hot_levels;
  std::copy(levels.begin(), levels.end(), answer.values.begin() + 2);
  HostIds ids = HcurveIds(block_, side);
  int64_t request_count = kRequestWords, value_count = kRequestValues, count = 0;
  char text[1] = {' '};
  library_.hcurve(&answer.side, ids.count(), ids.data(), &request_count, answer.request.data(),
                  &value_count, answer.values.data(), &count, text, &answer.status, ids.length(),
                  1);
  answer.side = side;
  return answer;
}

ExecuteAnswer HostRoad::Execute() {
  HostIds ids = RunIds(block_);
  std::vector<int64_t> options = ExecuteOptions(block_);
  int64_t option_count = static_cast<int64_t>(options.size()), real_count = 0, further = 0;
  double reals[1] = {0.0};
  HostText path = CasePathText(case_path_);
  HostText key = KeyText(block_.connection_key);
  ExecuteAnswer answer;
  std::vector<int64_t> codes(kMessageCapacity, 0);
  library_.execute(ids.count(), ids.data(), &option_count, options.data(), &real_count, reals,
                   &further, path.data(), key.data(), &answer.message_count, codes.data(),
                   ids.length(), path.length(), key.length());
  const int64_t shown = std::clamp<int64_t>(answer.message_count, 0, kMessageCapacity);
  answer.message_codes.assign(codes.begin(), codes.begin() + shown);
  return answer;
}

int64_t HostRoad::Output(int64_t output_mode) {
  HostIds ids = RunIds(block_);
  std::vector<int64_t> options = OutputOptions(block_, output_mode);
  int64_t option_count = static_cast<int64_t>(options.size()), real_count = 0, further = 0;
  double reals[1] = {0.0};
  HostText path = CasePathText(case_path_);
  HostText key = KeyText(block_.connection_key);
  int64_t status = -1;
  library_.output(ids.count(), ids.data(), &option_count, options.data(), &real_count, reals,
                  &further, path.data(), key.data(), &status, ids.length(), path.length(),
                  key.length());
  return status;
}

void HostRoad::Exit() { library_.exit(); }

std::optional<Performance> HostRoad::ReadPerformance() const {
  RecordArrays arrays;
  if (ReadRecord(block_.result_id, kPerformanceRecord, kRecordTextLength, arrays) != 0)
    return std::nullopt;
  Performance p;
  p.marker = arrays.ivals.empty() ? 0 : arrays.ivals[0];
  p.reals = std::move(arrays.rvals);
  return p;
}

bool InputFailed(int64_t status) { return status != 0 && status != 1; }
bool StatusFailed(int64_t status) { return status != 0; }

}  // namespace host
