// The unit's pressure drops per side for the heat-release-curve request.
#include <algorithm>

#include "drivers/hcurve_records.h"
#include "exchange/arrays_face.h"
#include "include/markers.h"
#include "include/repository.h"

namespace {

constexpr char kUnitRecord[] = "PLATE_QUOR_UNIT_INPUT";

// Reals 6 and 7 are the hot side's allowable and estimated drops, 12 and 13
// the cold side's.
constexpr int64_t kHotAllowable = 6;
constexpr int64_t kHotEstimated = 7;
constexpr int64_t kColdAllowable = 12;
constexpr int64_t kColdEstimated = 13;
constexpr int64_t kRealsRead = kColdEstimated;

RecordArrays UNIT_DROP_ARRAYS;

// The drop to step by: the allowable one when given, else the estimated one.
double DropOf(double allowable, double estimated) {
  if (allowable < MISSING_REAL) return allowable;
  if (estimated < MISSING_REAL) return estimated;
  return 0.0;
}

}  // namespace

void GET_UNIT_PRESSURE_DROPS(const char* unit_id, int64_t id_len, double* hot_drop,
                             double* cold_drop, double* hot_estimated, double* cold_estimated,
                             int64_t* error_word) {
  RecordArrays& r = UNIT_DROP_ARRAYS;
  r.N1 = r.N2 = r.N3 = r.N4 = r.N5 = r.N6 = 0;  // a missing record writes no counts
  RPGETS(unit_id, id_len, kUnitRecord, sizeof kUnitRecord - 1, &r.N1, &r.N2, &r.N3, &r.N4, &r.N5,
         &r.N6, error_word);

  // The reals are held to at least the 13 that are read; those the record
  // does not carry count as not given.
  int64_t record_reals = AtLeastOne(r.N3);
  r.N3 = std::max(record_reals, kRealsRead);
  if (!r.Allocate()) return;
  for (int64_t k = record_reals; k < r.N3; ++k) r.RVALS[k] = MISSING_REAL;

  *hot_drop = 0.0;
  *cold_drop = 0.0;
  *hot_estimated = MISSING_REAL;
  *cold_estimated = MISSING_REAL;
  RPGETD(unit_id, id_len, kUnitRecord, sizeof kUnitRecord - 1, &r.N1, r.IVALS.data(), &r.N2,
         r.XVALS2.data(), &record_reals, r.RVALS.data(), &r.N4, r.XVALS4.data(), &r.N5,
         r.SVALS.data(), r.TEXT_LENGTH, &r.N6, r.XVALS6.data(), error_word);

  const auto real = [](int64_t k) { return UNIT_DROP_ARRAYS.RVALS[k - 1]; };
  *hot_drop = DropOf(real(kHotAllowable), real(kHotEstimated));
  *cold_drop = DropOf(real(kColdAllowable), real(kColdEstimated));
  *hot_estimated = real(kHotEstimated);
  *cold_estimated = real(kColdEstimated);
  r.Free();
}
