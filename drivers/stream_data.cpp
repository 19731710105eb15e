// A stream's flow and conditions for the heat-release-curve request.
#include <cstdint>

#include "drivers/hcurve_records.h"
#include "include/fixed_record.h"
#include "include/repository.h"

namespace {

constexpr char kStreamRecord[] = "KVEM_MS_DATA";
constexpr int64_t kStreamTextLength = 40;

// The stream record is read into buffers of fixed size. The repository fills
// an array up to the count it is given, so each count is cut to its buffer.
FixedRecord<150, 150, 150, 150, 100, kStreamTextLength, 150> STREAM_BUFFERS;

}  // namespace

void GET_STREAM_DATA(const char* stream_id, int64_t id_len, double* flow, double* pressure,
                     double* temperature, double* quality) {
  auto& b = STREAM_BUFFERS;
  int64_t error = 0;
  int64_t found = 0;
  RPFIND(stream_id, id_len, &found, &error);

  // A stream without a record, or with fewer reals, reads as zeros rather
  // than as whatever the previous stream left behind.
  b.Read(stream_id, id_len, kStreamRecord, &error);

  *flow = b.rvals[4] * b.rvals[0];
  *pressure = b.rvals[2];
  *temperature = b.rvals[1];
  *quality = b.rvals[3];
}
