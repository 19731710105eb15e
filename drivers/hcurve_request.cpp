// The heat-release-curve request: how the host is to produce the block's
// curves, with which flows and at which pressure levels.
#include <algorithm>

#include "drivers/drivers_face.h"
#include "drivers/hcurve_records.h"
#include "drivers/pressure_levels.h"
#include "include/markers.h"

namespace {

// What the request reads and writes: ids 1 to 4, request words 1 to 20,
// values 1 to 4 at the least (the flows and one pair of levels).
constexpr int64_t kIdsRead = 4;
constexpr int64_t kRequestWords = 20;
constexpr int64_t kValuesForOnePair = 4;

// Words 2 to 16 are fixed; 7 stays the host's, 1 and 10 hold the level count.
void PutFixedRequestWords(int64_t* q) {
  constexpr struct {
    int word;
    int64_t value;
  } kFixed[] = {{2, POINTS_PER_CURVE},
                {3, 1},
                {4, 2},
                {5, 2},
                {6, 1},
                {8, 1},
                {9, 2},
                {11, 1},
                {12, 2},
                {13, 1},
                {14, 2},
                {15, 2},
                {16, 1}};
  if (q[19] <= 1) {
    q[0] = 2;
    q[9] = 2;
  }
  for (const auto& f : kFixed) q[f.word - 1] = f.value;
}

}  // namespace

void HANDLE_HCURVE(int64_t* side, int64_t* ids_count, char* host_ids, int64_t ids_len,
                   int64_t* request_count, int64_t* hcurve_request, int64_t* value_count,
                   double* hcurve_values, int64_t* /*count*/, char* /*text*/, int64_t /*text_len*/,
                   int64_t* host_status) {
  // Arrays smaller than the request reads and writes are refused whole.
  if (*ids_count < kIdsRead || *request_count < kRequestWords || *value_count < kValuesForOnePair) {
    *host_status = HOST_STATUS_REFUSED;
    return;
  }
  const int64_t len = std::max<int64_t>(ids_len, 0);
  const char* unit_id = host_ids;
  const char* first_stream = host_ids + 2 * len;
  const char* second_stream = host_ids + 3 * len;

  int64_t* q = hcurve_request;
  double* v = hcurve_values;
  PutFixedRequestWords(q);

  // The pressure of every level comes from the first stream.
  double flow = 0, pressure = 0, temperature = 0, quality = 0;
  GET_STREAM_DATA(first_stream, len, &flow, &pressure, &temperature, &quality);
  v[0] = flow;
  const double inlet_pressure = pressure;
  GET_STREAM_DATA(second_stream, len, &flow, &pressure, &temperature, &quality);
  v[1] = flow;

  double hot_drop = 0, cold_drop = 0, hot_estimated = 0, cold_estimated = 0;
  GET_UNIT_PRESSURE_DROPS(unit_id, len, &hot_drop, &cold_drop, &hot_estimated, &cold_estimated,
                          host_status);
  const bool cold = *side == 2;
  const int64_t room = std::min<int64_t>(*value_count - 2, MAX_SPACED_LEVELS);
  CHOOSE_PRESSURE_LEVELS(*side, inlet_pressure, cold ? cold_drop : hot_drop,
                         cold ? cold_estimated : hot_estimated, room, q, v);
}
