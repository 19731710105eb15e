// The block's result object in the repository and its performance record.
//
// The result object is deleted and created afresh before every run, so a run
// that stops half-way never leaves the host the performance of an earlier one;
// after the run the program's results become the record "DOVI_PERFORMANCE".
#include <cstdint>
#include <string_view>

#include "drivers/unit_factors_face.h"
#include "exchange/case_variables_face.h"
#include "exchange/exchange_face.h"
#include "include/markers.h"
#include "include/repository.h"

namespace {

constexpr std::string_view kResultClass = "plate_heat_exchanger_unit";
constexpr std::string_view kPerformanceMember = "Exchanger_performance";
constexpr std::string_view kHotMember = "hotside_performance";
constexpr std::string_view kColdMember = "coldside_performance";
constexpr std::string_view kPerformanceRecord = "DOVI_PERFORMANCE";

constexpr int64_t kPerformanceReals = 24;
constexpr int64_t kPerformanceTextLength = 32;

// The handles the repository gives the object and its three members.
struct ResultHandles {
  int64_t object = 0;
  int64_t performance = 0;
  int64_t hot = 0;
  int64_t cold = 0;
};
ResultHandles RESULT_HANDLES;

// "DOVI_PERFORMANCE" as it is stored: one integer, 24 reals, the other arrays
// empty. The empty arrays still get an element of their own, so the
// repository is never handed a null array.
struct PerformanceRecord {
  int64_t counts[6] = {1, 0, kPerformanceReals, 0, 0, 0};
  int64_t ivals[1] = {};
  int64_t xvals2[1] = {};
  double rvals[kPerformanceReals] = {};
  int64_t xvals4[1] = {};
  char svals[kPerformanceTextLength] = {};
  int64_t xvals6[1] = {};
};
PerformanceRecord PERFORMANCE_RECORD;

// One real of the record: where the case keeps it and the factor that brings
// it into the host's units (none: nullptr).
struct PerformanceSource {
  int real;  // 1 to 24
  bool indexed;
  std::string_view name;
  int16_t index;
  float UnitFactors::*factor;
};

// The reals read after the areas, in the order they are read. Reals 12, 13,
// 15, 16, 20, 21, 23 and 24 have no source in the case and stay missing.
constexpr PerformanceSource kLaterSources[] = {
    {6, false, "HTCDirty", 0, &UnitFactors::F_HTC},
    {7, false, "HTCClean", 0, &UnitFactors::F_HTC},
    {8, false, "MTDCorrected", 0, nullptr},
    {9, true, "arOutletTemperature", HOT_SIDE, nullptr},
    {10, false, "HTCHotSide", 0, &UnitFactors::F_HTC},
    {11, true, "DPTotal", HOT_SIDE, &UnitFactors::F_PRESSURE},
    {14, true, "arFoulResistance", HOT_SIDE, &UnitFactors::F_FOULING},
    {17, true, "arOutletTemperature", COLD_SIDE, nullptr},
    {18, false, "HTCColdSide", 0, &UnitFactors::F_HTC},
    {19, true, "DPTotal", COLD_SIDE, &UnitFactors::F_PRESSURE},
    {22, true, "arFoulResistance", COLD_SIDE, &UnitFactors::F_FOULING},
};

float FactorOf(float UnitFactors::*factor) { return factor ? UNIT_FACTORS.*factor : 1.0f; }

double& Real(int k) { return PERFORMANCE_RECORD.rvals[k - 1]; }

// The excess of the effective area over a required area, in percent; only
// when both areas are positive.
void PutExcessPercent(int k, double effective, double required) {
  if (effective > 0 && required > 0) Real(k) = 100.0 * (effective - required) / required;
}

}  // namespace

void REBUILD_RESULT_OBJECT(const char* id, int64_t id_len, const int64_t* pass,
                           CaseData** case_data, int64_t* error_word) {
  int64_t found = 0;
  RPFIND(id, id_len, &found, error_word);
  if (found != 0) RPDELE(id, id_len, error_word);

  RESULT_HANDLES = ResultHandles{};
  RPNEW(id, id_len, kResultClass.data(), static_cast<int64_t>(kResultClass.size()),
        &RESULT_HANDLES.object, error_word);
  RPALLO(id, id_len, kPerformanceMember.data(), static_cast<int64_t>(kPerformanceMember.size()),
         &RESULT_HANDLES.object, &RESULT_HANDLES.performance, error_word);
  RPALLO(id, id_len, kHotMember.data(), static_cast<int64_t>(kHotMember.size()),
         &RESULT_HANDLES.performance, &RESULT_HANDLES.hot, error_word);
  RPALLO(id, id_len, kColdMember.data(), static_cast<int64_t>(kColdMember.size()),
         &RESULT_HANDLES.performance, &RESULT_HANDLES.cold, error_word);

  if (*pass == 2) PUT_PERFORMANCE_RECORD(id, id_len, case_data);
}

void PUT_PERFORMANCE_RECORD(const char* id, int64_t id_len, CaseData** case_data) {
  PerformanceRecord& r = PERFORMANCE_RECORD;
  r = PerformanceRecord{};
  r.ivals[0] = MISSING_INTEGER;
  for (double& real : r.rvals) real = MISSING_REAL;

  const ComPtr<ScalarVariables> scalars = GetScalarResults(case_data);
  const ComPtr<ArrayVariables> arrays = GetArrayResults(case_data);

  GetScalarReal(scalars.get(), "TotalHeatExchanged", Real(1), UNIT_FACTORS.F_HEAT_DUTY);
  GetIndexedReal(arrays.get(), "arReqArea", 2, Real(2), UNIT_FACTORS.F_AREA);

  // The percentages compare the areas as the case holds them, unconverted.
  double effective = 0;  // "EffSurfTotal"
  double required = 0;   // "arReqArea" entry 2
  double other = 0;      // "arReqArea" entry 1
  if (GetScalarReal(scalars.get(), "EffSurfTotal", effective))
    Real(3) = effective * static_cast<double>(UNIT_FACTORS.F_AREA);
  GetIndexedReal(arrays.get(), "arReqArea", 2, required);
  GetIndexedReal(arrays.get(), "arReqArea", 1, other);
  PutExcessPercent(4, effective, required);
  PutExcessPercent(5, effective, other);

  for (const PerformanceSource& s : kLaterSources) {
    if (s.indexed)
      GetIndexedReal(arrays.get(), s.name, s.index, Real(s.real), FactorOf(s.factor));
    else
      GetScalarReal(scalars.get(), s.name, Real(s.real), FactorOf(s.factor));
  }

  int64_t store_error = 0;
  RPPUTD(id, id_len, kPerformanceRecord.data(), static_cast<int64_t>(kPerformanceRecord.size()),
         &r.counts[0], r.ivals, &r.counts[1], r.xvals2, &r.counts[2], r.rvals, &r.counts[3],
         r.xvals4, &r.counts[4], r.svals, kPerformanceTextLength, &r.counts[5], r.xvals6,
         &store_error);
}
