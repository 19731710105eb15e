// Where a heat-release curve's values sit in the case's property inputs, and
// which values a curve of the repository gives. No server calls: the curve
// transfer feeds what this decides to the case.
//
// Each side holds CURVES_PER_SIDE curves of POINTS_PER_CURVE points; a point
// of curve c sits at (c - 1) * 24 + 120 * (side - 1) + p, the side header at
// the side index, a curve's reference pressure at c (hot) or 5 + c (cold).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "drivers/case_link_face.h"
#include "drivers/unit_factors_face.h"

inline constexpr int POINTS_PER_CURVE = 24;

// The side a curve's values go to, numbered as the case's side indices.
enum CurveSide : int16_t { NO_CURVE_SIDE = 0, HOT_CURVE_SIDE = 1, COLD_CURVE_SIDE = 2 };

// Phase codes of a curve's phase entries.
inline constexpr int64_t VAPOUR_PHASE = 2;
inline constexpr int64_t LIQUID_PHASE = 4;
inline constexpr int64_t SECOND_LIQUID_PHASE = 5;

// HOT_CURVE_SIDE when the id stands at the curve's place in the hot list
// (checked first), COLD_CURVE_SIDE when in the cold list, otherwise
// NO_CURVE_SIDE; a curve number outside 1 to CURVES_PER_SIDE or a blank id
// has no side.
CurveSide FindCurveSide(const CaseLink& link, int64_t curve_number, std::string_view curve_id);

// Index of point p of a curve on a side, 1 to 240.
int64_t CurvePointIndex(int64_t curve_number, CurveSide side, int64_t point);
// Index of a curve's reference pressure, 1 to 10.
int64_t ReferencePressureIndex(int64_t curve_number, CurveSide side);

// The records of one curve as the repository gave them. Each span holds what
// its record holds and no more.
struct CurveRecords {
  std::span<int64_t> point_entries;  // phase entries of each point ("STHE_HRC_POINT")
  std::span<int64_t> thermo_ints;    // "STHE_HRC_THERMODYNAMIC" integers
  std::span<int64_t> phase_codes;    // phase code of each entry ("STHE_HRC_PHASE")
  std::span<double> thermo_reals;    // four values a point ("STHE_HRC_THERMODYNAMIC")
  std::span<double> phase_reals;     // ten values an entry ("STHE_HRC_PHASE")
};

// Values the host did not give count as 0: reals at or above MISSING_REAL and
// integers equal to MISSING_INTEGER. Cleans in place.
void CleanCurveRecords(const CurveRecords& records);

// One value for the case: a text, a real or an integer at an index of a variable.
struct CurvePut {
  enum class Kind { kText, kReal, kInteger };
  std::string_view variable;
  int16_t index;
  Kind kind;
  double real = 0.0;
  int64_t integer = 0;
  std::string_view text = {};
};

class CurvePutSink {
 public:
  virtual void Put(const CurvePut& put) = 0;

 protected:
  ~CurvePutSink() = default;
};

// Hands the sink, in the case's order, every value of one cleaned curve: the
// side header, then each point's values and those of its phase entries, each
// real divided by its unit factor. A curve without a side gives nothing; at
// most POINTS_PER_CURVE points are given, and a value whose place lies beyond
// its record is left out.
void PlanCurvePuts(const CaseLink& link, const UnitFactors& factors, int64_t curve_number,
                   std::string_view curve_id, const CurveRecords& records, CurvePutSink& sink);
