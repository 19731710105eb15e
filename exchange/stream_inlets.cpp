// The hot and cold inlet streams' conditions, from the host's stream records
// into the case's inlet variables.
#include <cstdint>
#include <string_view>

#include "drivers/unit_factors_face.h"
#include "exchange/case_variables_face.h"
#include "exchange/exchange_face.h"
#include "include/fixed_record.h"
#include "include/markers.h"
#include "include/repository.h"

namespace {

constexpr std::string_view kStreamRecord = "KVEM_MS_DATA";
constexpr int64_t kStreamTextLength = 32;

// The stream record is read into buffers of a fixed size. The host writes far
// fewer elements than they hold, but the record's own counts decide nothing
// here: no more is read into a buffer than it holds.
using StreamBuffers = FixedRecord<9, 5, 150, 5, 100, kStreamTextLength, 5>;
StreamBuffers STREAM_BUFFERS;

// What a stream gives the case, in the order it is put: the element of the
// record's reals and the factor that brings it into the case's units.
struct InletValue {
  std::string_view name;
  int real;  // 1 to 4
  float UnitFactors::*factor;
};
constexpr InletValue kInletValues[] = {
    {"FlowRate", 1, &UnitFactors::F_MASS_FLOW},
    {"InletTemperature", 2, nullptr},
    {"InletPressure", 3, &UnitFactors::F_PRESSURE},
    {"InletMassQuality", 4, nullptr},
};

// Reads the stream's record into the buffers. Reals the record does not hold
// count as 0, like those the host marked as not given.
void ReadStreamRecord(const char* id, int64_t id_len, int64_t* error_word) {
  StreamBuffers& b = STREAM_BUFFERS;
  b.Read(id, id_len, kStreamRecord, error_word);
  // Only the exact marker means "not given"; the count is the one RPGETD read.
  for (int64_t k = 0; k < b.counts[2]; ++k)
    if (b.rvals[k] == MISSING_REAL) b.rvals[k] = 0.0;
}

void PutInlet(ArrayVariables* inputs, const char* id, int64_t id_len, int16_t side,
              int64_t given_flag, int64_t* error_word) {
  ReadStreamRecord(id, id_len, error_word);
  for (const InletValue& v : kInletValues) {
    double value = STREAM_BUFFERS.rvals[v.real - 1];
    if (v.factor) value /= static_cast<double>(UNIT_FACTORS.*v.factor);
    PutIndexedReal(inputs, v.name, side, value, given_flag);
  }
}

}  // namespace

void PUT_STREAM_INLETS(const int64_t* hot_transfer_flag, const char* hot_inlet,
                       int64_t hot_inlet_len, const char* /*hot_outlet*/,
                       int64_t /*hot_outlet_len*/, const int64_t* cold_transfer_flag,
                       const char* cold_inlet, int64_t cold_inlet_len, const char* /*cold_outlet*/,
                       int64_t /*cold_outlet_len*/, CaseData** case_data, int64_t* error_word) {
  const int64_t hot_given = *hot_transfer_flag - 1;
  const int64_t cold_given = *cold_transfer_flag - 1;

  const ComPtr<ArrayVariables> inputs = GetArrayInputs(case_data);
  if (hot_given != 0)
    PutInlet(inputs.get(), hot_inlet, hot_inlet_len, HOT_SIDE, hot_given, error_word);
  if (cold_given != 0)
    PutInlet(inputs.get(), cold_inlet, cold_inlet_len, COLD_SIDE, cold_given, error_word);
}
