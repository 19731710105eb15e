// READ_HEAT_RELEASE_CURVE: one of the host's heat-release curves, read whole
// from its five repository records and handed to the curve transfer.
#include <array>
#include <string_view>

#include "exchange/arrays_face.h"
#include "exchange/curve_points.h"
#include "exchange/exchange_face.h"  // READ_HEAT_RELEASE_CURVE
#include "include/repository.h"

namespace {

enum CurveRecord { kPoint, kThermodynamic, kPhase, kComposition, kComponents, kRecords };

constexpr std::array<std::string_view, kRecords> kRecordNames = {
    "STHE_HRC_POINT", "STHE_HRC_THERMODYNAMIC", "STHE_HRC_PHASE", "STHE_HRC_PHASE_COMPOSITION",
    "STHE_HRC_COMPONENT_PROPERTIES"};

// The curve being read. Process-wide, because an allocation failure leaves
// the call without unwinding it: what such a call left is freed when the next
// one begins.
struct HeatReleaseCurve {
  std::array<RecordArrays, kRecords> records;
  int64_t found = 0;
  int64_t given_flag = 0;
};
HeatReleaseCurve HEAT_RELEASE_CURVE;

void FreeRecords() {
  for (RecordArrays& r : HEAT_RELEASE_CURVE.records) r.Free();
}

// False when the arrays could not be had; the raise has then ended the call
// already, unless a loader let it come back.
bool ReadRecord(const char* id, int64_t id_len, std::string_view name, RecordArrays& r,
                int64_t* error_word) {
  const auto name_len = static_cast<int64_t>(name.size());
  RPGETS(id, id_len, name.data(), name_len, &r.N1, &r.N2, &r.N3, &r.N4, &r.N5, &r.N6, error_word);
  if (!r.Allocate()) return false;
  RPGETD(id, id_len, name.data(), name_len, &r.N1, r.IVALS.data(), &r.N2, r.XVALS2.data(), &r.N3,
         r.RVALS.data(), &r.N4, r.XVALS4.data(), &r.N5, r.SVALS.data(), r.TEXT_LENGTH, &r.N6,
         r.XVALS6.data(), error_word);
  return true;
}

}  // namespace

void READ_HEAT_RELEASE_CURVE(const int64_t* transfer_flag, CaseData** case_data,
                             const int64_t* curve_number, const char* curve_id,
                             int64_t curve_id_len, const int64_t* reserved, int64_t* error_word) {
  HeatReleaseCurve& c = HEAT_RELEASE_CURVE;
  FreeRecords();

  // The records are read whether or not the object exists: the repository
  // answers empty records for one it does not hold.
  c.found = 0;
  RPFIND(curve_id, curve_id_len, &c.found, error_word);
  for (int r = 0; r < kRecords; ++r) {
    if (!ReadRecord(curve_id, curve_id_len, kRecordNames[r], c.records[r], error_word)) {
      FreeRecords();
      return;
    }
  }

  RecordArrays& point = c.records[kPoint];
  RecordArrays& thermo = c.records[kThermodynamic];
  RecordArrays& phase = c.records[kPhase];
  RecordArrays& composition = c.records[kComposition];
  RecordArrays& components = c.records[kComponents];
  // The component count is the record's second integer; a record holding one
  // integer gives none.
  const int64_t component_count = components.N1 >= 2 ? components.IVALS[1] : 0;
  const int64_t component_first = components.IVALS[0];

  c.given_flag = *transfer_flag - 1;
  PUT_CURVE_POINTS(&c.given_flag, case_data, curve_number, curve_id, curve_id_len, reserved,
                   &point.N1, point.IVALS.data(), &thermo.N1, thermo.IVALS.data(), &phase.N1,
                   phase.IVALS.data(), &thermo.N3, thermo.RVALS.data(), &phase.N3,
                   phase.RVALS.data(), &composition.N3, composition.RVALS.data(), &components.N3,
                   components.RVALS.data(), &component_count, &component_first);
  FreeRecords();
}
