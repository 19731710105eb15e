// The doubles of driver_doubles.h: the connection table's lookup, the
// exchange routines and a case server, each logging what it was given.
#include "tests/common/driver_doubles.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "drivers/connection_table_face.h"
#include "exchange/exchange_face.h"
#include "include/fixed_text.h"
#include "include/holders.h"
#include "tests/common/file_text.h"

namespace driver_test {

Doubles DOUBLES;

namespace {

std::string Text(const char* text, int64_t len) {
  return std::string(fixed::Trimmed(std::string_view(text, static_cast<std::size_t>(len))));
}

void Log(std::string entry) {
  const bool fails =
      !DOUBLES.fails_in.empty() && entry.substr(0, entry.find('|')) == DOUBLES.fails_in;
  DOUBLES.log.push_back(std::move(entry));
  if (fails) throw std::runtime_error("failed in " + DOUBLES.fails_in);
}

struct OpaqueData : DispatchStub<CaseData> {
  HRESULT STDMETHODCALLTYPE GetArrayInputs(ArrayVariables**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetScalarInputs(ScalarVariables**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetArrayResults(ArrayVariables**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetScalarResults(ScalarVariables**) override { return E_NOTIMPL; }
};

}  // namespace

void Doubles::Reset() { *this = Doubles{}; }

CaseData* OpaqueCaseData() {
  static OpaqueData data;
  return &data;
}

std::vector<std::string> EntriesStartingWith(const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& e : DOUBLES.log)
    if (e.compare(0, prefix.size(), prefix) == 0) found.push_back(e);
  return found;
}

HRESULT FakeCaseServer::SetServerMode(short mode) {
  Log("SetServerMode|" + std::to_string(mode));
  return S_OK;
}

HRESULT FakeCaseServer::ShutDown() {
  Log("ShutDown");
  return S_OK;
}

HRESULT FakeCaseServer::OpenProgramCase(BSTR program, long, long, CaseData** data) {
  Log("OpenProgramCase|" + Bstr::ToAnsi(program));
  *data = DOUBLES.case_data;
  return S_OK;
}

HRESULT FakeCaseServer::SaveCaseFile(BSTR* path, short* option, long* status) {
  const std::string given = Bstr::ToAnsi(*path);
  Log("SaveCaseFile|" + given + "|" + std::to_string(*option));
  *status = 0;
  if (save_fails) {
    if (save_breaks_file) DeleteFileA(given.c_str());
    return E_FAIL;
  }
  if (save_status != 0) {
    *status = save_status;
    return S_OK;
  }
  const std::string target = answered_path.empty() ? given : answered_path;
  if (!WriteWholeFile(target, save_text)) return E_FAIL;
  if (!answered_path.empty()) {
    SysFreeString(*path);
    *path = Bstr(answered_path).release();
  }
  return S_OK;
}

HRESULT FakeCaseServer::LoadCaseFile(BSTR path, long option, long* status) {
  Log("LoadCaseFile|" + Bstr::ToAnsi(path) + "|" + std::to_string(option));
  *status = load_status;
  return load_answer;
}

HRESULT FakeCaseServer::RunProgram(BSTR program, short option) {
  Log("RunProgram|" + Bstr::ToAnsi(program) + "|" + std::to_string(option));
  return run_answer;
}

HRESULT FakeCaseServer::CloseCase() {
  Log("CloseCase");
  return S_OK;
}

HRESULT FakeCaseServer::SetMultiCaseData(BSTR*, BSTR*) {
  Log("SetMultiCaseData");
  return S_OK;
}

}  // namespace driver_test

using driver_test::DOUBLES;
using driver_test::Log;
using driver_test::Text;

void* GET_CASE_CONNECTION(const char* key, int64_t key_len, CaseData** case_data,
                          const int64_t* mode, const char* program, int64_t program_len) {
  Log("GET_CASE_CONNECTION|" + Text(key, std::min<int64_t>(key_len, 20)) + "|" +
      std::to_string(*mode) + "|" + Text(program, program_len));
  if (*mode == 4)
    DOUBLES.stored_case_data = *case_data;
  else
    *case_data = DOUBLES.case_data;
  return DOUBLES.server;
}

void OPEN_CONNECTIONS(const char* key, int64_t key_len) {
  Log("OPEN_CONNECTIONS|" + Text(key, std::min<int64_t>(key_len, 20)));
}

void REBUILD_RESULT_OBJECT(const char* id, int64_t id_len, const int64_t* pass, CaseData**,
                           int64_t*) {
  Log("REBUILD_RESULT_OBJECT|" + Text(id, id_len) + "|" + std::to_string(*pass));
}

void PUT_PERFORMANCE_RECORD(const char* id, int64_t id_len, CaseData**) {
  Log("PUT_PERFORMANCE_RECORD|" + Text(id, id_len));
}

void PUT_STREAM_INLETS(const int64_t* hot_flag, const char* hot_in, int64_t hot_in_len,
                       const char* hot_out, int64_t hot_out_len, const int64_t* cold_flag,
                       const char* cold_in, int64_t cold_in_len, const char* cold_out,
                       int64_t cold_out_len, CaseData**, int64_t*) {
  Log("PUT_STREAM_INLETS|" + std::to_string(*hot_flag) + "|" + Text(hot_in, hot_in_len) + "|" +
      Text(hot_out, hot_out_len) + "|" + std::to_string(*cold_flag) + "|" +
      Text(cold_in, cold_in_len) + "|" + Text(cold_out, cold_out_len));
}

void MARK_PROPERTY_INPUTS(const int64_t* hot_property, const int64_t* cold_property, CaseData**,
                          int64_t*) {
  Log("MARK_PROPERTY_INPUTS|" + std::to_string(*hot_property) + "|" +
      std::to_string(*cold_property));
}

void PUT_UNIT_OPTIONS(const int64_t* transfer_flag, const char* unit_id, int64_t unit_id_len,
                      CaseData**, int64_t* unit_mode, int64_t*) {
  Log("PUT_UNIT_OPTIONS|" + std::to_string(*transfer_flag) + "|" + Text(unit_id, unit_id_len));
  DOUBLES.unit_modes_given.push_back(*unit_mode);
  if (DOUBLES.unit_mode >= 0) *unit_mode = DOUBLES.unit_mode;
}

void GET_PROGRAM_MESSAGES(CaseData**, int64_t* message_count, int64_t* message_codes) {
  Log("GET_PROGRAM_MESSAGES");
  *message_count = static_cast<int64_t>(DOUBLES.messages.size());
  for (std::size_t i = 0; i < DOUBLES.messages.size(); ++i) message_codes[i] = DOUBLES.messages[i];
}

void READ_HEAT_RELEASE_CURVE(const int64_t* transfer_flag, CaseData**, const int64_t* curve_number,
                             const char* curve_id, int64_t curve_id_len, const int64_t*, int64_t*) {
  Log("READ_HEAT_RELEASE_CURVE|" + std::to_string(*transfer_flag) + "|" +
      std::to_string(*curve_number) + "|" + Text(curve_id, curve_id_len));
}

void COPY_DESIGN_GEOMETRY(CaseData**, int64_t*) { Log("COPY_DESIGN_GEOMETRY"); }
