// A stream's flow and conditions for the heat-release-curve request.
#include <algorithm>
#include <iterator>

#include "hcurve_records.h"
#include "repository.h"

namespace {

constexpr char kStreamRecord[] = "KVEM_MS_DATA";
constexpr int64_t kStreamReals = 150;
constexpr int64_t kStreamIntegers = 150;
constexpr int64_t kStreamTexts = 100;
constexpr int64_t kStreamTextLength = 40;
constexpr int64_t kStreamExtras = 150;

// The stream record is read into buffers of fixed size. The repository fills
// an array up to the count it is given, so each count is cut to its buffer.
struct StreamBuffers {
  int64_t ivals[kStreamIntegers];
  int64_t xvals2[kStreamExtras];
  double rvals[kStreamReals];
  int64_t xvals4[kStreamExtras];
  char svals[kStreamTexts * kStreamTextLength];
  int64_t xvals6[kStreamExtras];
};
StreamBuffers STREAM_BUFFERS;

int64_t Fit(int64_t count, int64_t room) { return std::clamp<int64_t>(count, 0, room); }

}  // namespace

void GET_STREAM_DATA(const char* stream_id, int64_t id_len, double* flow, double* pressure,
                     double* temperature, double* quality) {
  StreamBuffers& b = STREAM_BUFFERS;
  int64_t error = 0;
  int64_t found = 0;
  RPFIND(stream_id, id_len, &found, &error);

  int64_t n[6] = {};
  RPGETS(stream_id, id_len, kStreamRecord, sizeof kStreamRecord - 1, &n[0], &n[1], &n[2], &n[3],
         &n[4], &n[5], &error);
  n[0] = Fit(n[0], kStreamIntegers);
  n[1] = Fit(n[1], kStreamExtras);
  n[2] = Fit(n[2], kStreamReals);
  n[3] = Fit(n[3], kStreamExtras);
  n[4] = Fit(n[4], kStreamTexts);
  n[5] = Fit(n[5], kStreamExtras);

  // A stream without a record, or with fewer reals, reads as zeros rather
  // than as whatever the previous stream left behind.
  std::fill(std::begin(b.rvals), std::end(b.rvals), 0.0);
  RPGETD(stream_id, id_len, kStreamRecord, sizeof kStreamRecord - 1, &n[0], b.ivals, &n[1],
         b.xvals2, &n[2], b.rvals, &n[3], b.xvals4, &n[4], b.svals, kStreamTextLength, &n[5],
         b.xvals6, &error);

  *flow = b.rvals[4] * b.rvals[0];
  *pressure = b.rvals[2];
  *temperature = b.rvals[1];
  *quality = b.rvals[3];
}
