// The exit driver: every connection shut down, OLE uninitialised.
#include <ole2.h>
#include <windows.h>

#include "drivers/connection_table_face.h"
#include "drivers/drivers_face.h"
#include "drivers/runs_awaiting_output.h"
#include "exchange/case_variables_face.h"

void HANDLE_EXIT() {
  CaseData* case_data = nullptr;
  const int64_t release_all = CONNECTION_RELEASE_ALL;
  GET_CASE_CONNECTION("", 0, &case_data, &release_all, CASE_PROGRAM_NAME.data(),
                      static_cast<int64_t>(CASE_PROGRAM_NAME.size()));
  // The servers that held the runs are gone; their backups stay on disk.
  ForgetAllRuns();
  FreeVariableNames();
  FreeValueText();
  OleUninitialize();
  CONNECTION_TABLE.OLE_INITIALISED = false;
}
