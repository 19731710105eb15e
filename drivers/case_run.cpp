// RUN_CASE: one run of the plate program for the block, from the backup of
// the case file to the message codes that make the case be saved.
#include <algorithm>

#include "drivers/case_backup.h"
#include "drivers/case_link_face.h"
#include "drivers/case_save.h"
#include "drivers/connection_table_face.h"
#include "drivers/drivers_face.h"
#include "drivers/runs_awaiting_output.h"
#include "drivers/side_curves.h"
#include "exchange/exchange_face.h"
#include "include/holders.h"

// The codes after which the run's case is saved and closed, in the order tested.
inline constexpr int64_t CASE_SAVE_MESSAGES[] = {6, 53, 17, 40, 39};

namespace {

constexpr int64_t kProgramNameLength = static_cast<int64_t>(CASE_PROGRAM_NAME.size());
constexpr int64_t kTransferAll = 2;  // every value goes in as given
constexpr int64_t kBeforeRun = 1;
constexpr int64_t kAfterRun = 2;

CaseCallState RUN_STATE;

bool IsSaveMessage(int64_t code) {
  return std::find(std::begin(CASE_SAVE_MESSAGES), std::end(CASE_SAVE_MESSAGES), code) !=
         std::end(CASE_SAVE_MESSAGES);
}

}  // namespace

void RUN_CASE(const char* connection_key, int64_t key_len, char* case_path, int64_t case_path_len,
              const char* result_id, int64_t result_id_len, const char* unit_id,
              int64_t unit_id_len, const char* hot_in, int64_t hot_in_len, const char* hot_out,
              int64_t hot_out_len, const char* cold_in, int64_t cold_in_len, const char* cold_out,
              int64_t cold_out_len, const char* hot_curves, int64_t hot_curve_len,
              const char* cold_curves, int64_t cold_curve_len, const int64_t* hot_property,
              const int64_t* cold_property, const int64_t* nhot, const int64_t* ncold,
              int64_t* message_count, int64_t* message_codes) {
  CaseCallState& s = RUN_STATE;
  // A call that does not run the program leaves the host what every refused
  // execute leaves: the result object rebuilt as before a run, without
  // performance, and no message (the entry point cleared the count). The case
  // file and its backup stay as they were.
  auto refuse = [&] {
    REBUILD_RESULT_OBJECT(result_id, result_id_len, &kBeforeRun, &s.case_data, &s.error_word);
  };
  auto* server = static_cast<CaseServer*>(
      GET_CASE_CONNECTION(connection_key, key_len, &s.case_data, &CONNECTION_FIND_OR_CREATE,
                          CASE_PROGRAM_NAME.data(), kProgramNameLength));
  // Without a server or its case there is nothing to run the block in.
  if (!server || !s.case_data) return refuse();
  // From here on the server's case is this call's, whatever becomes of it:
  // no earlier run of the connection can be saved from it any more.
  LetGoOfServerRuns(server);

  // The case file is copied before the server sees it; the copy becomes the
  // backup only once the program has run on the case.
  const std::string path = CaseFilePath(case_path, case_path_len);
  const std::string backup = CaseBackupPath(path);
  const bool copied = CopyCaseFileForBackup(path, backup);
  const bool no_case_file = !copied && !CaseFileExists(path);
  long status = -1;
  // A case the server did not load is not this call's: the program would run
  // on whatever the server holds instead (a new case, or the case before),
  // its results would pass for this block's and a save would put them over
  // the user's file. Only a case file that is not there at all makes a new
  // case of the block; one the server finds no case file in, or cannot read
  // (another program holds it), is a load that failed.
  const bool answered = SUCCEEDED(server->LoadCaseFile(Bstr(path).get(), 0, &status));
  const bool new_case = status == CASE_LOAD_NO_FILE && NothingAtPath(path);
  if (!answered || (status != CASE_LOAD_DONE && !new_case)) {
    DiscardBackupCopy();
    return refuse();
  }

  REBUILD_RESULT_OBJECT(result_id, result_id_len, &kBeforeRun, &s.case_data, &s.error_word);
  PUT_STREAM_INLETS(&kTransferAll, hot_in, hot_in_len, hot_out, hot_out_len, &kTransferAll, cold_in,
                    cold_in_len, cold_out, cold_out_len, &s.case_data, &s.error_word);
  MARK_PROPERTY_INPUTS(hot_property, cold_property, &s.case_data, &s.error_word);
  READ_SIDE_CURVES(&kTransferAll, hot_property, nhot, CURVE_IDS_PER_SIDE, hot_curves, hot_curve_len,
                   &s.case_data, &s.error_word);
  READ_SIDE_CURVES(&kTransferAll, cold_property, ncold, CURVE_IDS_PER_SIDE, cold_curves,
                   cold_curve_len, &s.case_data, &s.error_word);
  PUT_UNIT_OPTIONS(&kTransferAll, unit_id, unit_id_len, &s.case_data, &s.unit_mode, &s.error_word);

  // A program that did not run leaves only the results of an earlier run in
  // the case; the result object stays as rebuilt above, without performance.
  if (FAILED(server->RunProgram(Bstr(CASE_PROGRAM_NAME).get(), 0))) {
    DiscardBackupCopy();
    return;
  }
  EXECUTE_PROGRESS.PROGRAM_RAN = true;
  const bool backed_up = copied && PutBackupCopyInPlace();
  // A case file that exists but could not be backed up is not saved over by
  // this call: the user would have neither it nor a backup if the save failed.
  const bool may_save = backed_up || no_case_file;
  // The run an output call of the block may keep or discard, known before
  // anything is saved, so that a save cut short can still be discarded.
  RecordRun(server, path, backed_up ? backup : std::string(), !may_save);

  GET_CASE_CONNECTION(connection_key, key_len, &s.case_data, &CONNECTION_STORE_CASE_DATA,
                      CASE_PROGRAM_NAME.data(), kProgramNameLength);
  REBUILD_RESULT_OBJECT(result_id, result_id_len, &kAfterRun, &s.case_data, &s.error_word);
  GET_PROGRAM_MESSAGES(&s.case_data, message_count, message_codes);

  // Every matching code saves and closes the case once more.
  if (!may_save) return;
  const int64_t n = *message_count;
  for (int64_t i = 0; i < n; ++i)
    if (IsSaveMessage(message_codes[i])) SaveAndCloseCase(server, case_path, case_path_len);
}
