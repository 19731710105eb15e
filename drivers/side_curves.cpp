// One side's heat-release curves, read one by one into the case.
#include "drivers/side_curves.h"

#include <algorithm>

#include "drivers/case_link_face.h"
#include "exchange/exchange_face.h"

// The drivers hand a side's list on as one run of ids.
static_assert(sizeof(CaseLink::HOTCURVE) == CURVE_IDS_PER_SIDE * FixedText<128>::size());

void READ_SIDE_CURVES(const int64_t* transfer_flag, const int64_t* property, const int64_t* count,
                      int64_t limit, const char* curves, int64_t curve_len, CaseData** case_data,
                      int64_t* error_word) {
  if (*property == SIDE_NOT_TRANSFERRED) return;
  // The count is read once; the side's list never holds more than its ten ids.
  const int64_t n = std::min({*count, limit, static_cast<int64_t>(CURVE_IDS_PER_SIDE)});
  const int64_t reserved = 0;
  for (int64_t i = 1; i <= n; ++i)
    READ_HEAT_RELEASE_CURVE(transfer_flag, case_data, &i, curves + (i - 1) * curve_len, curve_len,
                            &reserved, error_word);
}
