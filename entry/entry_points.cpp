// The six entry points that the host calls.
//
// Each guarded entry point names the module to the loader, then runs its
// steps inside a structured exception guard; a failure anywhere inside ends
// the steps at once and the loader's fault code is mapped onto the host's
// status word after the guard.
#include "include/entry_points.h"

#include <windows.h>

#include <cstdint>

#include "drivers/connection_table_face.h"
#include "drivers/drivers_face.h"
#include "entry/exception_filters.h"
#include "entry/module_handle.h"
#include "entry/run_setup.h"
#include "entry/status_mapping.h"
#include "include/loader.h"
#include "runenv/run_services_face.h"

namespace {

using Filter = LONG (*)(EXCEPTION_POINTERS*, uint32_t*);

// What input and output report when the case path is too long to be used
// whole: the case file cannot be made (input), the run failed (output).
constexpr int64_t kInputCasePathRefused = 8;
constexpr int64_t kOutputCasePathRefused = HOST_STATUS_FAILED;

constexpr char kProgramName[] = "Vodi";

// Runs the steps inside the guard with the call's FAULT_CODE; answers
// FAULT_CODE after the guard, whether the steps ended normally or a failure
// cut them short.
template <class Steps>
uint32_t Guarded(Filter filter, const Steps& steps) {
  uint32_t FAULT_CODE = 0;
  __try {
    RunGuardedSteps([&] { steps(FAULT_CODE); });
  } __except (filter(GetExceptionInformation(), &FAULT_CODE)) {
  }
  return FAULT_CODE;
}

// Names the module to the loader (outside the guard), then runs the steps
// guarded.
template <class Steps>
uint32_t RunGuarded(Filter filter, const Steps& steps) {
  LoaderEnterModule(MODULE_HANDLE);
  return Guarded(filter, steps);
}

// Names the module to the loader, outside the guard: a failure there goes on
// to the host, and cut_short runs as it passes.
template <class CutShort>
void EnterModule(const CutShort& cut_short) {
  __try {
    LoaderEnterModule(MODULE_HANDLE);
  } __finally {
    if (AbnormalTermination()) cut_short();
  }
}

}  // namespace

ZOVK_API void ZOVK_VODI_INPUT(int64_t* ids_count, char* host_ids, int64_t* option_count,
                              int64_t* host_options, int64_t* real_count, double* host_reals,
                              void* further, char* case_path, char* connection_key,
                              int64_t* host_status, int64_t ids_len, int64_t case_path_len,
                              int64_t key_len) {
  const uint32_t fault = RunGuarded(FilterInputException, [&](uint32_t& FAULT_CODE) {
    if (!SetUpRun(EntryKind::kInput, case_path, case_path_len)) {
      *host_status = kInputCasePathRefused;
      // The connections open whatever the case path: they, and OLE with the
      // first of them, serve every later call of the block.
      OPEN_CONNECTIONS(connection_key, key_len);
      return;
    }
    *host_status = 0;
    FAULT_CODE = 0;
    HANDLE_INPUT(ids_count, host_ids, ids_len, option_count, host_options, real_count, host_reals,
                 further, case_path, case_path_len, connection_key, key_len, host_status);
  });
  *host_status = MapFaultCode(EntryKind::kInput, fault, *host_status);
}

ZOVK_API void ZOVK_VODI_HCURVE(int64_t* side, int64_t* ids_count, char* host_ids,
                               int64_t* request_count, int64_t* hcurve_request,
                               int64_t* value_count, double* hcurve_values, int64_t* count,
                               char* text, int64_t* host_status, int64_t ids_len,
                               int64_t text_len) {
  const uint32_t fault = RunGuarded(FilterHcurveException, [&](uint32_t& FAULT_CODE) {
    FAULT_CODE = 0;
    HANDLE_HCURVE(side, ids_count, host_ids, ids_len, request_count, hcurve_request, value_count,
                  hcurve_values, count, text, text_len, host_status);
  });
  *host_status = MapFaultCode(EntryKind::kHcurve, fault, *host_status);
}

ZOVK_API void ZOVK_VODI_EXECUTE(int64_t* ids_count, char* host_ids, int64_t* option_count,
                                int64_t* host_options, int64_t* real_count, double* host_reals,
                                void* further, char* case_path, char* connection_key,
                                int64_t* message_count, int64_t* message_codes, int64_t ids_len,
                                int64_t case_path_len, int64_t key_len) {
  // Execute has no status word: a failure shows only in the messages that
  // did not come and the performance that is not there, so its fault code is
  // not mapped.
  EXECUTE_PROGRESS.PROGRAM_RAN = false;
  // Cleared before anything that may fail, the loader's naming of the module
  // included, so that no failure leaves the host's own count standing as this
  // call's.
  *message_count = 0;
  // A failure that cut the call short before the program ran leaves no
  // earlier run's performance either. Guarded in turn: the host gets no
  // failure of its own from it.
  const auto end_cut_short = [&] {
    Guarded(FilterExecuteException,
            [&](uint32_t&) { END_CUT_SHORT_EXECUTE(ids_count, host_ids, ids_len); });
  };
  EnterModule(end_cut_short);
  bool ended = false;
  Guarded(FilterExecuteException, [&](uint32_t& FAULT_CODE) {
    const bool ready = SetUpRun(EntryKind::kExecute, case_path, case_path_len);
    FAULT_CODE = 0;
    // A refused case path ends the call with no messages and no performance
    // under the result object; the run's temporary files are those of an
    // earlier call and stay.
    if (ready) {
      HANDLE_EXECUTE(ids_count, host_ids, ids_len, option_count, host_options, real_count,
                     host_reals, further, case_path, case_path_len, connection_key, key_len,
                     message_count, message_codes);
      CloseValueFile();
      DeleteRunTempFiles();
    } else {
      RESET_RESULT_OBJECT(ids_count, host_ids, ids_len);
    }
    ended = true;
  });
  if (!ended) end_cut_short();
}

ZOVK_API void ZOVK_VODI_OUTPUT(int64_t* ids_count, char* host_ids, int64_t* option_count,
                               int64_t* host_options, int64_t* real_count, double* host_reals,
                               void* further, char* case_path, char* connection_key,
                               int64_t* host_status, int64_t ids_len, int64_t case_path_len,
                               int64_t key_len) {
  const uint32_t fault = RunGuarded(FilterOutputException, [&](uint32_t& FAULT_CODE) {
    if (!SetUpRun(EntryKind::kOutput, case_path, case_path_len)) {
      *host_status = kOutputCasePathRefused;
      return;
    }
    *host_status = 0;
    FAULT_CODE = 0;
    HANDLE_OUTPUT(ids_count, host_ids, ids_len, option_count, host_options, real_count, host_reals,
                  further, case_path, case_path_len, connection_key, key_len, host_status);
    DeleteRunTempFiles();
  });
  *host_status = MapFaultCode(EntryKind::kOutput, fault, *host_status);
}

ZOVK_API void ZOVK_SETMULTICASEINFO(char* first, char* second, char* connection_key,
                                    int64_t* host_status, int64_t first_len, int64_t second_len,
                                    int64_t key_len) {
  const uint32_t fault = RunGuarded(FilterSetMultiCaseInfoException, [&](uint32_t& FAULT_CODE) {
    FAULT_CODE = 0;
    HANDLE_SETMULTICASEINFO(first, first_len, second, second_len, connection_key, key_len,
                            kProgramName, sizeof kProgramName - 1);
  });
  *host_status = MapFaultCode(EntryKind::kMultiCase, fault, *host_status);
}

// Exit makes no loader call and has no guard: a failure while shutting the
// connections down reaches the host.
ZOVK_API void ZOVK_VODI_EXIT() { HANDLE_EXIT(); }
