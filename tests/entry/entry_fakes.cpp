// The fakes of entry_fakes.h, under the names the entry points call.
#include "tests/entry/entry_fakes.h"

#include <algorithm>
#include <stdexcept>
#include <type_traits>

#include "drivers/connection_table_face.h"
#include "drivers/drivers_face.h"
#include "include/loader.h"
#include "runenv/run_folders_face.h"
#include "runenv/run_services_face.h"
#include "standins/pravel/loader_probe.h"

EntryFakes FAKES;

namespace {

void LogLoader(const char* operation, void*) {
  FAKES.calls.emplace_back(operation);
  if (!FAKES.loader_raises.empty() && FAKES.loader_raises == operation) {
    FAKES.loader_raises.clear();
    RaiseException(0xE0000042, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  }
}

struct CountsCleanup {
  ~CountsCleanup() { ++FAKES.cleanups_run; }
};

template <class T>
uintptr_t AsWord(T value) {
  if constexpr (std::is_pointer_v<T>)
    return reinterpret_cast<uintptr_t>(value);
  else
    return static_cast<uintptr_t>(value);
}

template <class... Args>
void Record(const char* name, Args... args) {
  FAKES.calls.emplace_back(name);
  FAKES.driver_args = {AsWord(args)...};
}

// What every fake driver does after recording its call.
void ActAsPlanned(int64_t* status_word) {
  if (status_word) {
    FAKES.status_seen = *status_word;
    if (FAKES.plan.leave_status) *status_word = *FAKES.plan.leave_status;
  }
  switch (FAKES.plan.fault) {
    case DriverFault::kNone:
      break;
    case DriverFault::kRaise:
      LoaderRaiseError(&FAKES.plan.raise_code);
      break;
    case DriverFault::kAccessViolation: {
      int* volatile nowhere = nullptr;
      *nowhere = 1;
      break;
    }
    case DriverFault::kCxxException: {
      CountsCleanup cleanup;
      throw std::runtime_error("driver failed");
    }
  }
}

}  // namespace

void ResetFakes() {
  FAKES = EntryFakes{};
  PravelProbeReset();
  PravelProbeSetObserver(LogLoader, nullptr);
}

bool Called(const std::string& name) {
  return std::find(FAKES.calls.begin(), FAKES.calls.end(), name) != FAKES.calls.end();
}

void SetRunFolders(const char* program_folder, const char* case_path, const char* run_digit,
                   const char* run_switch, const char* run_name) {
  FAKES.calls.emplace_back("SetRunFolders");
  FAKES.run_folders.push_back({program_folder, case_path, run_digit, run_switch, run_name});
}

void SetScreenWindow(HWND window) {
  FAKES.calls.emplace_back("SetScreenWindow");
  FAKES.screen_windows.push_back(window);
}

void CloseValueFile() { FAKES.calls.emplace_back("CloseValueFile"); }

int DeleteRunTempFiles() {
  FAKES.calls.emplace_back("DeleteRunTempFiles");
  return -1;
}

void HANDLE_INPUT(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* option_count,
                  int64_t* host_options, int64_t* real_count, double* host_reals, void* further,
                  char* case_path, int64_t case_path_len, char* connection_key, int64_t key_len,
                  int64_t* host_status) {
  Record("HANDLE_INPUT", ids_count, host_ids, ids_len, option_count, host_options, real_count,
         host_reals, further, case_path, case_path_len, connection_key, key_len, host_status);
  ActAsPlanned(host_status);
}

void HANDLE_HCURVE(int64_t* side, int64_t* ids_count, char* host_ids, int64_t ids_len,
                   int64_t* request_count, int64_t* hcurve_request, int64_t* value_count,
                   double* hcurve_values, int64_t* count, char* text, int64_t text_len,
                   int64_t* host_status) {
  Record("HANDLE_HCURVE", side, ids_count, host_ids, ids_len, request_count, hcurve_request,
         value_count, hcurve_values, count, text, text_len, host_status);
  ActAsPlanned(host_status);
}

void HANDLE_EXECUTE(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* option_count,
                    int64_t* host_options, int64_t* real_count, double* host_reals, void* further,
                    char* case_path, int64_t case_path_len, char* connection_key, int64_t key_len,
                    int64_t* message_count, int64_t* message_codes) {
  Record("HANDLE_EXECUTE", ids_count, host_ids, ids_len, option_count, host_options, real_count,
         host_reals, further, case_path, case_path_len, connection_key, key_len, message_count,
         message_codes);
  ActAsPlanned(message_count);
}

void OPEN_CONNECTIONS(const char* key, int64_t key_len) {
  Record("OPEN_CONNECTIONS", key, key_len);
}

ExecuteProgress EXECUTE_PROGRESS;

void END_CUT_SHORT_EXECUTE(const int64_t* ids_count, const char* host_ids, int64_t ids_len) {
  Record("END_CUT_SHORT_EXECUTE", ids_count, host_ids, ids_len);
  if (FAKES.cut_short_end_fails) {
    int* volatile nowhere = nullptr;
    *nowhere = 1;
  }
}

void RESET_RESULT_OBJECT(const int64_t* ids_count, const char* host_ids, int64_t ids_len) {
  Record("RESET_RESULT_OBJECT", ids_count, host_ids, ids_len);
}

void HANDLE_OUTPUT(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* option_count,
                   int64_t* host_options, int64_t* real_count, double* host_reals, void* further,
                   char* case_path, int64_t case_path_len, char* connection_key, int64_t key_len,
                   int64_t* host_status) {
  Record("HANDLE_OUTPUT", ids_count, host_ids, ids_len, option_count, host_options, real_count,
         host_reals, further, case_path, case_path_len, connection_key, key_len, host_status);
  ActAsPlanned(host_status);
}

void HANDLE_SETMULTICASEINFO(char* first, int64_t first_len, char* second, int64_t second_len,
                             char* connection_key, int64_t key_len, const char* program,
                             int64_t program_len) {
  Record("HANDLE_SETMULTICASEINFO", first, first_len, second, second_len, connection_key, key_len);
  FAKES.program_name.assign(program, static_cast<std::size_t>(program_len));
  ActAsPlanned(nullptr);
}

void HANDLE_EXIT() {
  FAKES.calls.emplace_back("HANDLE_EXIT");
  ActAsPlanned(nullptr);
}
