// The block's unit options, from the host's record "PLATE_QUOR_UNIT_INPUT"
// into the case: the program mode, the option values the host gave, the
// heat-balance setting with the variables it frees, and the marks that
// leave outlet conditions and duty to the program. A first remark line
// beginning with "RPDUMP" also dumps the repository, for looking into a case
// by hand.
#include <cstdint>
#include <string_view>

#include "drivers/unit_factors_face.h"
#include "exchange/arrays_face.h"
#include "exchange/case_variables_face.h"
#include "exchange/exchange_face.h"
#include "include/markers.h"
#include "include/repository.h"

namespace {

constexpr std::string_view kUnitRecord = "PLATE_QUOR_UNIT_INPUT";
constexpr std::string_view kDumpFile = "Plate_Tavik.RPO";
constexpr std::string_view kDumpRequest = "RPDUMP";

// Option values at or above this are ones the host did not give.
constexpr double kNotGivenReal = 1.0E34;

// The record's arrays; kept here so that the arrays of a call cut short by
// the no-memory raise are freed by the next call.
RecordArrays UNIT_RECORD(32);

// Where option value k of the record goes: up to three variables at the
// side's index, each divided by the factor (none: nullptr).
struct OptionTarget {
  std::string_view names[3];
  float UnitFactors::*factor;
};
// Elements 2 to 7 are the hot side's; 8 to 13 carry the cold side's values of
// the same variables.
constexpr OptionTarget kSideOptions[6] = {
    {{"FoulingResistance"}, &UnitFactors::F_FOULING},
    {{"LiquidHeatTrCoeff", "VaporHeatTrCoeff", "TwoPhaseHeatTrCoeff"}, &UnitFactors::F_HTC},
    {{"LiquidHTCMultiplier", "VaporHTCMultiplier", "TwoPhaseHTCMultiplier"}, nullptr},
    {{"PressureDropMultiplier"}, nullptr},
    {{"AllowablePressureDrop"}, &UnitFactors::F_PRESSURE},
    {{"EstimatedPressureDrop"}, &UnitFactors::F_PRESSURE},
};
constexpr OptionTarget kHeatLoadOption = {{"HeatLoad"}, &UnitFactors::F_HEAT_DUTY};
constexpr int kOptionValues = 13;
constexpr int kHeatBalanceValue = 14;

// What the heat-balance value specifies: it is put at one side of a
// variable, the other outlet variable is marked, the other side of the same
// variable is blanked (for an outlet condition), and "HeatLoad" is marked.
struct HeatBalanceTarget {
  std::string_view name;
  int16_t side;
  std::string_view marked;
  bool outlet;  // an outlet condition rather than the heat load
};
constexpr HeatBalanceTarget kHeatLoad = {"HeatLoad", HOT_SIDE, "OutletTemperature", false};
constexpr HeatBalanceTarget kHotOutletTemperature = {"OutletTemperature", HOT_SIDE,
                                                     "OutletMassQuality", true};
constexpr HeatBalanceTarget kColdOutletTemperature = {"OutletTemperature", COLD_SIDE,
                                                      "OutletMassQuality", true};
constexpr HeatBalanceTarget kHotOutletQuality = {"OutletMassQuality", HOT_SIDE, "OutletTemperature",
                                                 true};
constexpr HeatBalanceTarget kColdOutletQuality = {"OutletMassQuality", COLD_SIDE,
                                                  "OutletTemperature", true};
constexpr int kHeatBalanceSpecs = 12;
// By HEAT_BALANCE_SPEC 1 to 12.
constexpr const HeatBalanceTarget* kHeatBalanceTargets[kHeatBalanceSpecs] = {
    &kHeatLoad,
    &kHotOutletTemperature,
    &kColdOutletTemperature,
    &kHotOutletTemperature,
    &kColdOutletTemperature,
    &kHotOutletQuality,
    &kColdOutletQuality,
    &kHotOutletTemperature,
    &kColdOutletTemperature,
    &kHotOutletTemperature,
    &kColdOutletTemperature,
    &kHotOutletTemperature,
};

void PutOption(ArrayVariables* inputs, const OptionTarget& target, int16_t side, double value,
               int64_t given_flag) {
  if (target.factor) value /= static_cast<double>(UNIT_FACTORS.*target.factor);
  for (std::string_view name : target.names)
    if (!name.empty()) PutIndexedReal(inputs, name, side, value, given_flag);
}

// The option values 1 to 13 that the record holds and the host gave.
void PutOptionValues(ArrayVariables* inputs, int64_t real_count, int64_t given_flag) {
  for (int k = 1; k <= kOptionValues && k <= real_count; ++k) {
    const double value = UNIT_RECORD.RVALS[k - 1];
    if (!(value < kNotGivenReal)) continue;  // not given, or not a number
    if (k == 1)
      PutOption(inputs, kHeatLoadOption, HOT_SIDE, value, given_flag);
    else if (k <= 7)
      PutOption(inputs, kSideOptions[k - 2], HOT_SIDE, value, given_flag);
    else
      PutOption(inputs, kSideOptions[k - 8], COLD_SIDE, value, given_flag);
  }
}

// The heat-balance value goes in as the host wrote it: no factor, no test.
void PutHeatBalance(ArrayVariables* inputs, const HeatBalanceTarget& t, double value) {
  PutIndexedReal(inputs, t.name, t.side, value, 1);
  MarkVariable(inputs, t.marked);
  if (t.outlet) {
    BlankEntry(inputs, t.name, t.side == HOT_SIDE ? COLD_SIDE : HOT_SIDE);
    MarkVariable(inputs, "HeatLoad");
  } else {
    MarkVariable(inputs, "OutletMassQuality");
  }
}

bool DumpRequested(ArrayVariables* inputs) {
  const ComPtr<ArrayVariable> remarks = FindVariable(inputs, "Remarks");
  if (!remarks || GetCount(remarks.get()) <= 0) return false;
  return GetTextLine(remarks.get(), 1).view().starts_with(kDumpRequest);
}

}  // namespace

void PUT_UNIT_OPTIONS(const int64_t* transfer_flag, const char* unit_id, int64_t unit_id_len,
                      CaseData** case_data, int64_t* unit_mode, int64_t* error_word) {
  const int64_t given_flag = *transfer_flag - 1;

  RecordArrays& r = UNIT_RECORD;
  // A repository that answers nothing for a missing record must not leave
  // the previous call's counts standing.
  r.N1 = r.N2 = r.N3 = r.N4 = r.N5 = r.N6 = 0;
  RPGETS(unit_id, unit_id_len, kUnitRecord.data(), static_cast<int64_t>(kUnitRecord.size()), &r.N1,
         &r.N2, &r.N3, &r.N4, &r.N5, &r.N6, error_word);
  // Elements past the record's own counts are not given, whatever the raised
  // counts make room for; the program mode alone keeps its preset 0.
  const int64_t integer_count = r.N1;
  const int64_t real_count = r.N3;
  if (!r.Allocate()) return;
  RPGETD(unit_id, unit_id_len, kUnitRecord.data(), static_cast<int64_t>(kUnitRecord.size()), &r.N1,
         r.IVALS.data(), &r.N2, r.XVALS2.data(), &r.N3, r.RVALS.data(), &r.N4, r.XVALS4.data(),
         &r.N5, r.SVALS.data(), r.TEXT_LENGTH, &r.N6, r.XVALS6.data(), error_word);

  const ComPtr<ScalarVariables> scalars = GetScalarInputs(case_data);
  const ComPtr<ArrayVariables> inputs = GetArrayInputs(case_data);

  const int64_t program_mode = r.IVALS[0];
  if (program_mode < MISSING_INTEGER) {
    PutScalarInteger(scalars.get(), "PlateProgMode", program_mode);
    *unit_mode = program_mode;
  }

  if (given_flag != 0) PutOptionValues(inputs.get(), real_count, given_flag);

  if (*unit_mode <= 2) {
    PutIndexedInteger(inputs.get(), "ReviseForHeatBalance", HOT_SIDE, 2, given_flag);
    PutIndexedInteger(inputs.get(), "ReviseForHeatBalance", COLD_SIDE, 2, given_flag);
    const int64_t spec = integer_count >= 2 ? r.IVALS[1] : 0;
    if (spec >= 1 && spec <= kHeatBalanceSpecs && real_count >= kHeatBalanceValue)
      PutHeatBalance(inputs.get(), *kHeatBalanceTargets[spec - 1], r.RVALS[kHeatBalanceValue - 1]);
  } else if (*unit_mode == 3) {
    MarkVariable(inputs.get(), "OutletTemperature");
    MarkVariable(inputs.get(), "OutletMassQuality");
    MarkVariable(inputs.get(), "HeatLoad");
  }

  r.Free();

  if (DumpRequested(inputs.get())) {
    int64_t one_a = 1, one_b = 1, one_c = 1;
    RPDUMP(kDumpFile.data(), static_cast<int64_t>(kDumpFile.size()), &one_a, &one_b, &one_c,
           error_word);
  }
}
