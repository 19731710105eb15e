// Test probe of the case server stand-in (casesrv.dll), exported by name.
//
// Tests link the stand-in's import library, register the server once
// (tests/common/case_server_registration.h) and let the library create its
// servers with CoCreateInstance as usual; the same loaded module serves both,
// so the probe sees every object the library works with.
//
// SERVERS. Every case server object created since the last reset has a number,
// 1, 2, ... in creation order. The variable and multi-case calls below work on
// the selected server: by default (selection 0) the one created last. A
// server's record stays readable after the library has shut it down and
// released it.
//
// CASES. A server holds no case until CaseServer::OpenProgramCase("Vodi") gives
// it a new case of the program's catalogue (standins/caseserver/
// program_catalogue.cpp) or CaseServer::LoadCaseFile loads one. A case has
// four collections (CASE_PROBE_ARRAY_INPUTS ...); each variable has entries
// counted from 1 (a scalar exactly one, index 1), and each entry a value text,
// a given flag (64-bit, kept as it came: 1 given, 0 not given) and a text line
// (what ArrayVariable::GetText answers). A variable also counts the marks
// (ArrayVariable::Mark) it has received. Names are case-sensitive. Texts are in
// the ANSI code page.
//
// TEXT ANSWERS. A function that answers a text copies it, NUL-terminated and
// cut to size - 1 characters, into buffer, and returns the text's full length;
// -1 when there is nothing to answer (no such server, case, variable, entry or
// line). The C++ helpers at the end wrap these.
//
// THE LOG. Every operation that arrives through the case server's interfaces
// is one line, in arrival order, in the form
//     Operation|field|field...
// with the operation named Interface::Method and these fields (numbers in
// decimal, texts exactly as they arrived, not escaped):
//     ClassFactory::CreateInstance
//     CaseServer::SetServerMode|mode
//     CaseServer::ShutDown
//     CaseServer::OpenProgramCase|program|first|second
//     CaseServer::SaveCaseFile|path|option
//     CaseServer::LoadCaseFile|path|option
//     CaseServer::RunProgram|program|option
//     CaseServer::CloseCase
//     CaseServer::SetMultiCaseData|first|second
//     CaseServer::Release               (once: when its last reference goes)
//     CaseData::GetArrayInputs          (and GetScalarInputs, GetArrayResults,
//                                        GetScalarResults)
//     ArrayVariables::Item|collection|name|found     (or |absent)
//     ScalarVariables::Item|collection|name|found    (or |absent)
//     ArrayVariable::GetValue|collection|name|index
//     ArrayVariable::PutValue|collection|name|index|text
//     ArrayVariable::GetText|collection|name|index
//     ArrayVariable::PutFlag|collection|name|index|flag
//     ArrayVariable::Mark|collection|name|index|option
//     ArrayVariable::GetCount|collection|name
//     ScalarVariable::GetValue|collection|name
//     ScalarVariable::PutValue|collection|name|text
//     ScalarVariable::PutFlag|collection|name|flag
// where collection is ArrayInputs, ScalarInputs, ArrayResults or
// ScalarResults. For example
//     ArrayVariable::PutValue|ArrayInputs|FlowRate|1|   1.00000000000000
//     ArrayVariable::PutFlag|ArrayInputs|FlowRate|1|1
// A line is written when the call arrives, also when the call then fails
// (bad index, absent variable, planned failure). AddRef and QueryInterface
// are not logged; releases have a log of their own.
//
// THE RELEASE LOG. Every Release that a caller makes of an object the server
// handed out (the server, its case data object, the collections and the
// variables) is one line, in arrival order, apart from the log above:
//     CaseServer::Release|left
//     CaseData::Release|left
//     ArrayVariables::Release|collection|left   (and ScalarVariables::)
//     ArrayVariable::Release|collection|name|left   (and ScalarVariable::)
// where left is what Release answers: the references that remain, the one
// the server keeps of each object it handed out (until the server is gone)
// included. The server's own releases of that reference are not callers'
// and are not logged.
//
// HOW THE SERVER ANSWERS (beyond storing and returning values):
//   - ArrayVariables::Item / ScalarVariables::Item of an absent name: S_FALSE
//     and a null variable. Asking again for a name gives the same object.
//   - An index outside 1..count: DISP_E_BADINDEX, nothing stored. An operation
//     on a variable the case no longer holds: HRESULT_FROM_WIN32(ERROR_NOT_FOUND).
//   - ArrayVariable::Mark(-1, option) resets every entry (blank value, flag 0,
//     no text line), Mark(i, option) entry i alone; both count one mark.
//   - After CaseServer::ShutDown every operation of that server answers
//     E_UNEXPECTED and does nothing.
//   - OpenProgramCase of a program other than "Vodi" (any letter case):
//     E_INVALIDARG and a null case data object.
//   - LoadCaseFile: status CASE_LOAD_* below; SaveCaseFile: CASE_SAVE_*; the
//     saved path comes back made absolute.
//   - RunProgram("Vodi"): runs the rating model (standins/caseserver/README.md,
//     "Rating model"), which replaces every result and message of the case,
//     then the probe's run hook.
//   - SetMultiCaseData: keeps both texts as they came and answers each in upper
//     case (a-z only) followed by "/1" for the first and "/2" for the second:
//     "batch a" comes back as "BATCH A/1".
//   - Once the module has been detached (FreeLibrary of casesrv.dll, or the
//     end of the process), an AddRef or Release of any of its objects ends the
//     process with the exit code CASE_SERVER_CALLED_AFTER_DETACH: on the
//     platform such a call runs into a module that is gone.
#pragma once

#include <stdint.h>

#include "include/case_server.h"  // the load and save status words

#ifdef CASESRV_BUILD
#define CASE_PROBE_API extern "C"
#elif defined(__cplusplus)
#define CASE_PROBE_API extern "C" __declspec(dllimport)
#else
#define CASE_PROBE_API __declspec(dllimport)
#endif

// The exit code of a process that called an object after the module's detach.
enum { CASE_SERVER_CALLED_AFTER_DETACH = 0xDE7AC4 };

// Collections of a case.
enum {
  CASE_PROBE_ARRAY_INPUTS = 0,
  CASE_PROBE_SCALAR_INPUTS = 1,
  CASE_PROBE_ARRAY_RESULTS = 2,
  CASE_PROBE_SCALAR_RESULTS = 3
};

// Forgets every server (objects still alive keep working, unnumbered), both
// logs, the planned failures and raises, the run hook and the selection; runs
// rate the case again.
CASE_PROBE_API void CaseProbeReset(void);

// Servers created since the last reset.
CASE_PROBE_API int CaseProbeServerCount(void);
// Selects server 1..count, or 0 for the one created last. Returns 1, or 0 for
// a number with no server (the selection stays).
CASE_PROBE_API int CaseProbeSelectServer(int server);

struct CaseProbeServer {
  int32_t alive;        // the library holds it still (not finally released)
  int32_t shut_down;    // CaseServer::ShutDown arrived
  int32_t server_mode;  // the last CaseServer::SetServerMode, -1 before any
  int32_t has_case;     // a case was opened or loaded
  int32_t case_open;    // opened or loaded, and not closed since
  int32_t runs;         // CaseServer::RunProgram calls that ran the program
  // References to the case data object that callers still held when
  // CaseServer::ShutDown arrived; -1 before a shut down or without a case
  // data object.
  int32_t case_data_held_at_shut_down;
};
// The record of server 1..count (0: the selected one). Returns 1, or 0 when
// there is no such server.
CASE_PROBE_API int CaseProbeServerInfo(int server, struct CaseProbeServer* info);

// Variables of the selected server's case. Each returns 1 when done, 0 when
// there is no case or no such variable or entry.
// Defines a variable of `count` blank entries (a scalar: 1), replacing one of
// the same name with its entries and marks.
CASE_PROBE_API int CaseProbeDefineVariable(int collection, const char* name, int count);
CASE_PROBE_API int CaseProbeRemoveVariable(int collection, const char* name);
// Sets one entry: value text, flag and text line (null: an empty text).
CASE_PROBE_API int CaseProbeSetEntry(int collection, const char* name, int index, const char* value,
                                     int64_t flag, const char* text);
CASE_PROBE_API int CaseProbeGetFlag(int collection, const char* name, int index, int64_t* flag);
// Text answers (see above).
CASE_PROBE_API int CaseProbeGetValue(int collection, const char* name, int index, char* buffer,
                                     int size);
CASE_PROBE_API int CaseProbeGetText(int collection, const char* name, int index, char* buffer,
                                    int size);
// The entry count and the mark count of a variable; -1 when absent.
CASE_PROBE_API int CaseProbeEntryCount(int collection, const char* name);
CASE_PROBE_API int CaseProbeMarkCount(int collection, const char* name);

// The selected server's last multi-case texts as they arrived (which: 1 or 2);
// a text answer, -1 before any arrived.
CASE_PROBE_API int CaseProbeGetMultiCaseText(int which, char* buffer, int size);

// The log: lines of server 1..count, or of all servers (0) in arrival order,
// also those created before the last reset. Lines count from 1.
CASE_PROBE_API int CaseProbeLogCount(int server);
CASE_PROBE_API int CaseProbeGetLogLine(int server, int line, char* buffer, int size);
// The release log, in the same way.
CASE_PROBE_API int CaseProbeReleaseCount(int server);
CASE_PROBE_API int CaseProbeGetReleaseLine(int server, int line, char* buffer, int size);
// Clears both logs.
CASE_PROBE_API void CaseProbeClearLog(void);

// The next `times` calls of the operation, named as in the log
// ("CaseServer::OpenProgramCase", "ClassFactory::CreateInstance", ...), fail
// with E_FAIL after their log line, doing nothing and answering null out
// objects; CaseServer::SaveCaseFile and CaseServer::SetMultiCaseData also
// answer their in-and-out texts empty (null BSTRs), as a server failing
// halfway may. times 0 cancels.
CASE_PROBE_API void CaseProbeFailOperation(const char* operation, int times);

// The next call of the operation, named as in the log, raises the structured
// exception `code` (not continuable) after its log line, as a server that
// faults inside the call does; 0 cancels.
CASE_PROBE_API void CaseProbeRaiseInOperation(const char* operation, uint32_t code);

// Called at every CaseServer::RunProgram that runs the program, after the
// rating model, with the running server selected: the test can write the
// results and messages the program would have produced. Null removes it.
typedef void (*CaseProbeRunHook)(void* context);
CASE_PROBE_API void CaseProbeSetRunHook(CaseProbeRunHook hook, void* context);

// Whether CaseServer::RunProgram runs the rating model before the run hook:
// 1 (as after a reset) it does; 0 leaves the case's results and messages as
// they are, for a test that writes a run's whole outcome itself.
CASE_PROBE_API void CaseProbeSetRatingModel(int runs);

#ifdef __cplusplus
#include <optional>
#include <string>
#include <vector>

namespace case_probe {

namespace detail {
template <class Read>
std::optional<std::string> Text(Read read) {
  const int n = read(nullptr, 0);
  if (n < 0) return std::nullopt;
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  read(s.data(), n + 1);
  s.resize(static_cast<std::size_t>(n));
  return s;
}
}  // namespace detail

struct Entry {
  std::string value;
  int64_t flag = 0;
  std::string text;
  friend bool operator==(const Entry&, const Entry&) = default;
};

inline std::optional<std::string> Value(int collection, const char* name, int index = 1) {
  return detail::Text(
      [&](char* b, int n) { return CaseProbeGetValue(collection, name, index, b, n); });
}

inline std::optional<std::string> Text(int collection, const char* name, int index = 1) {
  return detail::Text(
      [&](char* b, int n) { return CaseProbeGetText(collection, name, index, b, n); });
}

inline std::optional<int64_t> Flag(int collection, const char* name, int index = 1) {
  int64_t flag = 0;
  if (!CaseProbeGetFlag(collection, name, index, &flag)) return std::nullopt;
  return flag;
}

inline std::optional<Entry> EntryAt(int collection, const char* name, int index = 1) {
  auto value = Value(collection, name, index);
  auto flag = Flag(collection, name, index);
  auto text = Text(collection, name, index);
  if (!value || !flag || !text) return std::nullopt;
  return Entry{*value, *flag, *text};
}

inline std::optional<std::string> MultiCaseText(int which) {
  return detail::Text([&](char* b, int n) { return CaseProbeGetMultiCaseText(which, b, n); });
}

namespace detail {
inline std::vector<std::string> Lines(int server, int (*count)(int),
                                      int (*get)(int, int, char*, int)) {
  std::vector<std::string> lines;
  const int n = count(server);
  for (int i = 1; i <= n; ++i)
    lines.push_back(*Text([&](char* b, int s) { return get(server, i, b, s); }));
  return lines;
}
}  // namespace detail

inline std::vector<std::string> Log(int server = 0) {
  return detail::Lines(server, CaseProbeLogCount, CaseProbeGetLogLine);
}

inline std::vector<std::string> Releases(int server = 0) {
  return detail::Lines(server, CaseProbeReleaseCount, CaseProbeGetReleaseLine);
}

inline CaseProbeServer Server(int server = 0) {
  CaseProbeServer info{};
  CaseProbeServerInfo(server, &info);
  return info;
}

}  // namespace case_probe
#endif
