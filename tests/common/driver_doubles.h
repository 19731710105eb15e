// Test doubles around the execute and output drivers: a case server object,
// the connection table's lookup and the exchange routines, all writing one
// call log, so a test reads the road of a call in the order it was taken.
//
// Link tests/common/driver_doubles.cpp in place of the connection table and
// the exchange layer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "include/case_server.h"
#include "tests/common/fake_dispatch.h"

namespace driver_test {

// A case server that logs its operations. A save writes save_text into the
// file it is given and answers save_status, unless save_fails: it then writes
// nothing (or, with save_breaks_file, deletes the file) and answers E_FAIL;
// a save_status other than 0 writes nothing either. A load and a run answer
// load_answer and run_answer; a load's status is load_status.
class FakeCaseServer : public DispatchStub<CaseServer> {
 public:
  std::string save_text = "saved case";
  bool save_fails = false;
  bool save_breaks_file = false;
  long save_status = 0;
  std::string answered_path;  // the path the save hands back; empty: as given
  HRESULT load_answer = S_OK;
  long load_status = CASE_LOAD_DONE;
  HRESULT run_answer = S_OK;

  HRESULT STDMETHODCALLTYPE SetServerMode(short mode) override;
  HRESULT STDMETHODCALLTYPE ShutDown() override;
  HRESULT STDMETHODCALLTYPE OpenProgramCase(BSTR program, long first, long second,
                                            CaseData** data) override;
  HRESULT STDMETHODCALLTYPE SaveCaseFile(BSTR* path, short* option, long* status) override;
  HRESULT STDMETHODCALLTYPE LoadCaseFile(BSTR path, long option, long* status) override;
  HRESULT STDMETHODCALLTYPE RunProgram(BSTR program, short option) override;
  HRESULT STDMETHODCALLTYPE CloseCase() override;
  HRESULT STDMETHODCALLTYPE SetMultiCaseData(BSTR* first, BSTR* second) override;
};

// What the doubles answer and what they saw.
struct Doubles {
  std::vector<std::string> log;

  // The connection's objects; either may be null, as after a failed creation.
  CaseServer* server = nullptr;
  CaseData* case_data = nullptr;
  CaseData* stored_case_data = nullptr;  // what the last store (mode 4) handed back

  // GET_PROGRAM_MESSAGES answers these codes; PUT_UNIT_OPTIONS this mode
  // (negative: the caller's word stays as it came).
  std::vector<int64_t> messages;
  int64_t unit_mode = -1;
  std::vector<int64_t> unit_modes_given;  // the word each PUT_UNIT_OPTIONS came with

  // The double ("PUT_UNIT_OPTIONS", "LoadCaseFile", ...) that throws once it
  // has logged its call, as a failure inside it ends the call; empty: none.
  std::string fails_in;

  // Empties the log and sets every answer back.
  void Reset();
};
extern Doubles DOUBLES;

// A CaseData object that nothing calls; the drivers only hand it on.
CaseData* OpaqueCaseData();

// The log's entries that begin with prefix, in order.
std::vector<std::string> EntriesStartingWith(const std::string& prefix);

}  // namespace driver_test
