// HANDLE_EXECUTE: one execute call copies the block's description into
// CASE_LINK, selects the unit set and runs the case.
#include "drivers/case_backup.h"
#include "drivers/case_link_face.h"
#include "drivers/drivers_face.h"
#include "drivers/unit_factors_face.h"
#include "exchange/exchange_face.h"

namespace {

constexpr int64_t kBeforeRun = 1;
int64_t RESET_ERROR_WORD = 0;

}  // namespace

ExecuteProgress EXECUTE_PROGRESS;

void RESET_RESULT_OBJECT(const int64_t* ids_count, const char* host_ids, int64_t ids_len) {
  if (!ids_count || *ids_count < HOST_RESULT_ID || !host_ids || ids_len < 1) return;
  // The rebuild before a run reads nothing of the case.
  CaseData* no_case = nullptr;
  REBUILD_RESULT_OBJECT(host_ids + (HOST_RESULT_ID - 1) * ids_len, ids_len, &kBeforeRun, &no_case,
                        &RESET_ERROR_WORD);
}

void END_CUT_SHORT_EXECUTE(const int64_t* ids_count, const char* host_ids, int64_t ids_len) {
  if (EXECUTE_PROGRESS.PROGRAM_RAN) return;
  DiscardBackupCopy();
  RESET_RESULT_OBJECT(ids_count, host_ids, ids_len);
}

void HANDLE_EXECUTE(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* option_count,
                    int64_t* host_options, int64_t* /*real_count*/, double* /*host_reals*/,
                    void* /*further*/, char* case_path, int64_t case_path_len, char* connection_key,
                    int64_t key_len, int64_t* message_count, int64_t* message_codes) {
  // A block whose ids or options cannot hold what it names is not run: the
  // host gets no message, CASE_LINK names no curve and the case file stays as
  // it is; its result object holds no performance. Besides the curves, the
  // ids must hold the unit input object.
  const bool linked = LINK_EXECUTE_BLOCK(ids_count, host_ids, ids_len, option_count, host_options);
  if (!linked || *ids_count < HOST_UNIT_INPUT_ID) {
    CASE_LINK.NHOT = 0;
    CASE_LINK.NCOLD = 0;
    RESET_RESULT_OBJECT(ids_count, host_ids, ids_len);
    return;
  }
  SET_UNIT_FACTORS(&HOST_UNIT_SET);

  CaseLink& l = CASE_LINK;
  const int64_t len = ids_len;
  constexpr int64_t kIdLength = decltype(l.HOTIN)::length();
  RUN_CASE(connection_key, key_len, case_path, case_path_len, host_ids + (HOST_RESULT_ID - 1) * len,
           len, host_ids + (HOST_UNIT_INPUT_ID - 1) * len, len, l.HOTIN.data(), kIdLength,
           l.HOTOUT.data(), kIdLength, l.COLDIN.data(), kIdLength, l.COLDOUT.data(), kIdLength,
           l.HOTCURVE[0].data(), kIdLength, l.COLDCURVE[0].data(), kIdLength, &l.HOTPROP,
           &l.COLDPROP, &l.NHOT, &l.NCOLD, message_count, message_codes);
}
