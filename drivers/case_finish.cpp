// FINISH_CASE: the end of the block's run, kept (the host's final data go into
// the case and the case file is saved) or discarded (the case file is copied
// back from the backup that the execute call made).
#include <optional>

#include "drivers/case_backup.h"
#include "drivers/case_save.h"
#include "drivers/connection_table_face.h"
#include "drivers/drivers_face.h"
#include "drivers/runs_awaiting_output.h"
#include "drivers/side_curves.h"
#include "exchange/exchange_face.h"

namespace {

constexpr int64_t kProgramNameLength = static_cast<int64_t>(CASE_PROGRAM_NAME.size());
constexpr int64_t kKeepRun = 2;
constexpr int64_t kDesignMode = 1;  // the unit mode whose geometry comes back
// An output call puts at most four curves a side into the case.
constexpr int64_t kOutputCurvesPerSide = 4;

CaseCallState FINISH_STATE;

}  // namespace

bool FINISH_CASE(const char* connection_key, int64_t key_len, char* case_path,
                 int64_t case_path_len, const char* /*result_id*/, int64_t /*result_id_len*/,
                 const char* unit_id, int64_t unit_id_len, const char* hot_in, int64_t hot_in_len,
                 const char* hot_out, int64_t hot_out_len, const char* cold_in, int64_t cold_in_len,
                 const char* cold_out, int64_t cold_out_len, const char* hot_curves,
                 int64_t hot_curve_len, const char* cold_curves, int64_t cold_curve_len,
                 const int64_t* hot_property, const int64_t* cold_property, const int64_t* nhot,
                 const int64_t* ncold, const int64_t* output_mode) {
  CaseCallState& s = FINISH_STATE;
  auto* server = static_cast<CaseServer*>(
      GET_CASE_CONNECTION(connection_key, key_len, &s.case_data, &CONNECTION_FIND_OR_CREATE,
                          CASE_PROGRAM_NAME.data(), kProgramNameLength));
  // Without a server or its case the run can be neither kept nor discarded;
  // the case file and its backup stay as they are.
  if (!server || !s.case_data) return false;

  // Only the run that this connection's execute made on this case file since
  // the last output is kept or discarded, and kept only while the server
  // still holds its case. Anything else the server holds (the new case of the
  // input call, a case it did not load, another file's run) would be saved
  // over the user's file; a file at the backup's path that is no backup of
  // the run would be copied back over it. Nothing then reaches the case, and
  // the case file and any backup stay as they are.
  const bool keep = *output_mode == kKeepRun;
  const std::string path = CaseFilePath(case_path, case_path_len);
  const std::optional<RunAwaitingOutput> run = FindRun(server, path);
  if (!run || (keep && !run->held)) return false;

  // The host's final data go into the run's case only; a discarded run whose
  // case the server no longer holds leaves the case it holds alone.
  if (run->held) {
    PUT_STREAM_INLETS(output_mode, hot_in, hot_in_len, hot_out, hot_out_len, output_mode, cold_in,
                      cold_in_len, cold_out, cold_out_len, &s.case_data, &s.error_word);
    MARK_PROPERTY_INPUTS(hot_property, cold_property, &s.case_data, &s.error_word);
    if (keep) {
      READ_SIDE_CURVES(output_mode, hot_property, nhot, kOutputCurvesPerSide, hot_curves,
                       hot_curve_len, &s.case_data, &s.error_word);
      READ_SIDE_CURVES(output_mode, cold_property, ncold, kOutputCurvesPerSide, cold_curves,
                       cold_curve_len, &s.case_data, &s.error_word);
    }
    PUT_UNIT_OPTIONS(output_mode, unit_id, unit_id_len, &s.case_data, &s.unit_mode, &s.error_word);
    if (keep && s.unit_mode == kDesignMode) COPY_DESIGN_GEOMETRY(&s.case_data, &s.error_word);
  }

  // The backup goes only once the case file is known good: the save left one,
  // or the backup has been copied back over it. Otherwise it stays, so the
  // user keeps either the case file or its backup, and the run stays to be
  // kept or discarded by a later output.
  if (keep) {
    if (!SaveAndCloseCase(server, case_path, case_path_len)) return false;
  } else {
    if (run->held) server->CloseCase();
    // A run that made no backup left the case file as it found it: there was
    // none, or the run did not save over the one it could not copy.
    if (!run->backup.empty() && !RestoreCaseFile(run->backup, path)) return false;
  }
  if (!run->backup.empty()) DeleteCaseBackup(run->backup);
  SettleRun(path);
  return true;
}
