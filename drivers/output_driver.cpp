// HANDLE_OUTPUT: one output call fills CASE_LINK again, hands the case path to
// the loader, selects the unit set and keeps or discards the run.
#include "drivers/case_link_face.h"
#include "drivers/drivers_face.h"
#include "drivers/unit_factors_face.h"
#include "include/loader.h"

namespace {

// HOST_OPTIONS(8) is the output mode, (11) and (12) the sides' property words.
constexpr int64_t kOutputModeOption = 8;
constexpr int64_t kHotPropertyOption = 11;
constexpr int64_t kColdPropertyOption = 12;

// The output call's own property words; CASE_LINK's stay the execute call's.
struct OutputProperties {
  int64_t hot = 0;
  int64_t cold = 0;
};
OutputProperties OUTPUT_PROPERTIES;

}  // namespace

void HANDLE_OUTPUT(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* option_count,
                   int64_t* host_options, int64_t* /*real_count*/, double* /*host_reals*/,
                   void* /*further*/, char* case_path, int64_t case_path_len, char* connection_key,
                   int64_t key_len, int64_t* host_status) {
  *host_status = 0;
  // A block whose ids or options cannot hold what the call reads is refused
  // before anything touches the case, its file or its backup.
  const bool linked = LINK_OUTPUT_BLOCK(ids_count, host_ids, ids_len, option_count, host_options);
  if (!linked || *ids_count < HOST_UNIT_INPUT_ID || *option_count < kColdPropertyOption) {
    CASE_LINK.NHOT = 0;
    CASE_LINK.NCOLD = 0;
    *host_status = HOST_STATUS_REFUSED;
    return;
  }
  OutputProperties& p = OUTPUT_PROPERTIES;
  p.hot = host_options[kHotPropertyOption - 1];
  p.cold = host_options[kColdPropertyOption - 1];

  const int64_t path_length = case_path_len;
  LoaderSetCasePath(case_path, case_path_len, &path_length);
  SET_UNIT_FACTORS(&HOST_UNIT_SET);

  CaseLink& l = CASE_LINK;
  const int64_t len = ids_len;
  constexpr int64_t kIdLength = decltype(l.HOTIN)::length();
  if (!FINISH_CASE(connection_key, key_len, case_path, case_path_len,
                   host_ids + (HOST_RESULT_ID - 1) * len, len,
                   host_ids + (HOST_UNIT_INPUT_ID - 1) * len, len, l.HOTIN.data(), kIdLength,
                   l.HOTOUT.data(), kIdLength, l.COLDIN.data(), kIdLength, l.COLDOUT.data(),
                   kIdLength, l.HOTCURVE[0].data(), kIdLength, l.COLDCURVE[0].data(), kIdLength,
                   &p.hot, &p.cold, &l.NHOT, &l.NCOLD, &host_options[kOutputModeOption - 1]))
    *host_status = HOST_STATUS_REFUSED;
}
