// The drivers behind the entry points. They take the host's arguments in the
// host's order, with every text followed directly by its length.
#pragma once

#include <cstdint>

#include "include/case_server.h"

// The status a driver answers when the host's arrays cannot hold what the call
// reads or writes, or when the call could not do its work; the host knows it
// as the status of a failed call.
inline constexpr int64_t HOST_STATUS_REFUSED = 39;

void HANDLE_INPUT(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* option_count,
                  int64_t* host_options, int64_t* real_count, double* host_reals, void* further,
                  char* case_path, int64_t case_path_len, char* connection_key, int64_t key_len,
                  int64_t* host_status);

void HANDLE_HCURVE(int64_t* side, int64_t* ids_count, char* host_ids, int64_t ids_len,
                   int64_t* request_count, int64_t* hcurve_request, int64_t* value_count,
                   double* hcurve_values, int64_t* count, char* text, int64_t text_len,
                   int64_t* host_status);

void HANDLE_EXECUTE(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* option_count,
                    int64_t* host_options, int64_t* real_count, double* host_reals, void* further,
                    char* case_path, int64_t case_path_len, char* connection_key, int64_t key_len,
                    int64_t* message_count, int64_t* message_codes);

// What an execute call that does not run the program leaves the host: the
// result object rebuilt as before a run, with its three member records and
// no "DOVI_PERFORMANCE", so that no earlier run's performance reads as this
// call's. Ids that do not hold HOST_IDS(1) (no element, or elements of no
// length) touch nothing; nothing past the first element is read.
void RESET_RESULT_OBJECT(const int64_t* ids_count, const char* host_ids, int64_t ids_len);

// How far the execute call now running has come, for its entry point:
// PROGRAM_RAN is cleared by the entry point before anything else of the call
// and set by RUN_CASE once the case server answered that the program ran on
// this call's case.
struct ExecuteProgress {
  bool PROGRAM_RAN = false;
};
extern ExecuteProgress EXECUTE_PROGRESS;

// What an execute call that a failure cut short leaves the host; its entry
// point calls it after the guard, under a guard of its own. Unless the
// program had run on this call's case, the result object is rebuilt as
// RESET_RESULT_OBJECT does, so that no earlier run's performance is left as
// this call's, and a backup copy the call had begun is removed, so that the
// backup stays as it was.
void END_CUT_SHORT_EXECUTE(const int64_t* ids_count, const char* host_ids, int64_t ids_len);

void HANDLE_OUTPUT(int64_t* ids_count, char* host_ids, int64_t ids_len, int64_t* option_count,
                   int64_t* host_options, int64_t* real_count, double* host_reals, void* further,
                   char* case_path, int64_t case_path_len, char* connection_key, int64_t key_len,
                   int64_t* host_status);

void HANDLE_SETMULTICASEINFO(char* first, int64_t first_len, char* second, int64_t second_len,
                             char* connection_key, int64_t key_len, const char* program,
                             int64_t program_len);

void HANDLE_EXIT();

// Where the host's ids array holds the result object and the unit input
// object (counted from 1), and the unit set in which the host's values cross
// into the case unchanged.
inline constexpr int64_t HOST_RESULT_ID = 1;
inline constexpr int64_t HOST_UNIT_INPUT_ID = 20;
inline constexpr float HOST_UNIT_SET = 4.0f;

// What the execute and output workers each keep from one call to the next:
// the connection's case data, the program mode the unit options last gave
// (0 at load), and the exchange's repository word, which nothing reads.
struct CaseCallState {
  CaseData* case_data = nullptr;
  int64_t unit_mode = 0;
  int64_t error_word = 0;
};

// The workers of the execute and output drivers. Curve lists are runs of
// curve_len-character ids, CURVE_IDS_PER_SIDE of them.
void RUN_CASE(const char* connection_key, int64_t key_len, char* case_path, int64_t case_path_len,
              const char* result_id, int64_t result_id_len, const char* unit_id,
              int64_t unit_id_len, const char* hot_in, int64_t hot_in_len, const char* hot_out,
              int64_t hot_out_len, const char* cold_in, int64_t cold_in_len, const char* cold_out,
              int64_t cold_out_len, const char* hot_curves, int64_t hot_curve_len,
              const char* cold_curves, int64_t cold_curve_len, const int64_t* hot_property,
              const int64_t* cold_property, const int64_t* nhot, const int64_t* ncold,
              int64_t* message_count, int64_t* message_codes);

// Keeps or discards only the run that the connection's execute made on this
// case file since the last output (drivers/runs_awaiting_output.h). Answers
// false when there is none, or the run could be neither kept nor discarded as
// asked; the case file or its backup is then still there.
bool FINISH_CASE(const char* connection_key, int64_t key_len, char* case_path,
                 int64_t case_path_len, const char* result_id, int64_t result_id_len,
                 const char* unit_id, int64_t unit_id_len, const char* hot_in, int64_t hot_in_len,
                 const char* hot_out, int64_t hot_out_len, const char* cold_in, int64_t cold_in_len,
                 const char* cold_out, int64_t cold_out_len, const char* hot_curves,
                 int64_t hot_curve_len, const char* cold_curves, int64_t cold_curve_len,
                 const int64_t* hot_property, const int64_t* cold_property, const int64_t* nhot,
                 const int64_t* ncold, const int64_t* output_mode);

// The input driver's worker: deletes the unit input object with everything
// under it and creates it empty again.
void CREATE_UNIT_OBJECT(const char* id, int64_t id_len, int64_t* error_word);
