#include "standins/host/host_road.h"

#include <algorithm>
#include <utility>

namespace host {

namespace {

// What input, execute and output are handed alike: the ids, an option array,
// no reals, the case path and the connection key, each text's length last.
struct RunArguments {
  RunArguments(const HostBlock& block, const std::string& case_path, std::vector<int64_t> words)
      : ids(RunIds(block)),
        options(std::move(words)),
        option_count(static_cast<int64_t>(options.size())),
        path(CasePathText(case_path)),
        key(KeyText(block.connection_key)) {}

  // The answers are the call's own: a status word, or execute's message count and codes.
  template <class Entry, class... Answers>
  void Call(Entry* entry, Answers*... answers) {
    entry(ids.count(), ids.data(), &option_count, options.data(), &real_count, reals, &further,
          path.data(), key.data(), answers..., ids.length(), path.length(), key.length());
  }

  HostIds ids;
  std::vector<int64_t> options;
  int64_t option_count;
  int64_t real_count = 0;
  double reals[1] = {0.0};
  int64_t further = 0;
  HostText path;
  HostText key;
};

}  // namespace

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
  // Input reads no option: the host passes a count of 0.
  RunArguments a(block_, case_path_, {0});
  a.option_count = 0;
  int64_t status = -1;
  a.Call(library_.input, &status);
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
  RunArguments a(block_, case_path_, ExecuteOptions(block_));
  ExecuteAnswer answer;
  std::vector<int64_t> codes(kMessageCapacity, 0);
  a.Call(library_.execute, &answer.message_count, codes.data());
  const int64_t shown = std::clamp<int64_t>(answer.message_count, 0, kMessageCapacity);
  answer.message_codes.assign(codes.begin(), codes.begin() + shown);
  return answer;
}

int64_t HostRoad::Output(int64_t output_mode) {
  RunArguments a(block_, case_path_, OutputOptions(block_, output_mode));
  int64_t status = -1;
  a.Call(library_.output, &status);
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
