// PUT_CURVE_POINTS: one heat-release curve into the case's property inputs.
// Where each value goes is decided by the curve layout; this file hands the
// values to the case, each followed by the given flag at its index.
#include "exchange/curve_points.h"

#include <span>
#include <string_view>

#include "drivers/case_link_face.h"
#include "drivers/unit_factors_face.h"
#include "exchange/case_variables_face.h"
#include "exchange/curve_layout.h"

static_assert(HOT_CURVE_SIDE == HOT_SIDE && COLD_CURVE_SIDE == COLD_SIDE);

namespace {

// The elements a record holds: none behind a null address or a count below 1.
template <class T>
std::span<T> Held(T* array, const int64_t* count) {
  if (!array || !count || *count < 1) return {};
  return {array, static_cast<std::size_t>(*count)};
}

class CaseInputs final : public CurvePutSink {
 public:
  CaseInputs(ArrayVariables* inputs, int64_t given_flag)
      : inputs_(inputs), given_flag_(given_flag) {}

  void Put(const CurvePut& put) override {
    switch (put.kind) {
      case CurvePut::Kind::kText:
        PutIndexedText(inputs_, put.variable, put.index, put.text, given_flag_);
        break;
      case CurvePut::Kind::kReal:
        PutIndexedReal(inputs_, put.variable, put.index, put.real, given_flag_);
        break;
      case CurvePut::Kind::kInteger:
        PutIndexedInteger(inputs_, put.variable, put.index, put.integer, given_flag_);
        break;
    }
  }

 private:
  ArrayVariables* inputs_;
  int64_t given_flag_;
};

}  // namespace

// The composition and component records and the reserved word come along
// with the curve, but nothing of them goes into the case.
void PUT_CURVE_POINTS(const int64_t* given_flag, CaseData** case_data, const int64_t* curve_number,
                      const char* curve_id, int64_t curve_id_len, const int64_t* /*reserved*/,
                      const int64_t* point_count, int64_t* point_entries,
                      const int64_t* thermo_int_count, int64_t* thermo_ints,
                      const int64_t* phase_code_count, int64_t* phase_codes,
                      const int64_t* thermo_real_count, double* thermo_reals,
                      const int64_t* phase_real_count, double* phase_reals,
                      const int64_t* /*composition_count*/, const double* /*compositions*/,
                      const int64_t* /*component_real_count*/, const double* /*component_reals*/,
                      const int64_t* /*component_count*/, const int64_t* /*component_first*/) {
  const CurveRecords records{Held(point_entries, point_count), Held(thermo_ints, thermo_int_count),
                             Held(phase_codes, phase_code_count),
                             Held(thermo_reals, thermo_real_count),
                             Held(phase_reals, phase_real_count)};
  CleanCurveRecords(records);

  const ComPtr<ArrayVariables> inputs = GetArrayInputs(case_data);
  const std::string_view id =
      curve_id && curve_id_len > 0
          ? std::string_view(curve_id, static_cast<std::size_t>(curve_id_len))
          : std::string_view();
  CaseInputs sink(inputs.get(), *given_flag);
  PlanCurvePuts(CASE_LINK, UNIT_FACTORS, *curve_number, id, records, sink);
}
