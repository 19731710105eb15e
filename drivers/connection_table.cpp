// The connection table: one case server per connection key.
#include "drivers/connection_table_face.h"

#include <ole2.h>
#include <windows.h>

#include <cstdio>
#include <new>

namespace {

// The table is never destroyed. Its destructor would release the servers from
// the module's detach: under the loader lock when the host unloads the
// library without calling exit, or after the server's own module is gone at
// the end of the process. Exit is the one place that shuts down and releases;
// what exit never released is left to the process's end.
alignas(ConnectionTable) unsigned char CONNECTION_TABLE_STORAGE[sizeof(ConnectionTable)];

}  // namespace

ConnectionTable& CONNECTION_TABLE = *new (CONNECTION_TABLE_STORAGE) ConnectionTable();

namespace {

std::string_view HostText(const char* text, int64_t length) {
  return text && length > 0 ? std::string_view(text, static_cast<std::size_t>(length))
                            : std::string_view();
}

void ReportNoConnection(const ConnectionKey& key, const char* what, HRESULT hr) {
  char line[160];
  std::snprintf(line, sizeof line,
                "zovkvodi: no case server for connection key \"%.*s\": %s (0x%08lX)\n",
                static_cast<int>(key.trimmed().size()), key.trimmed().data(), what,
                static_cast<unsigned long>(hr));
  OutputDebugStringA(line);
}

// Entry by entry: the connection's case data goes first, while its server is
// still up to take the release, then the server is shut down and released.
// The arrays' own memory goes too, so that an unload after exit leaves
// nothing behind.
void ReleaseAll(ConnectionTable& table) {
  for (std::size_t i = 0; i < table.SERVER_OBJECTS.size(); ++i) {
    table.CASE_OBJECTS[i].reset();
    if (CaseServer* server = table.SERVER_OBJECTS[i].get()) server->ShutDown();
    table.SERVER_OBJECTS[i].reset();
  }
  table.SERVER_OBJECTS = {};
  table.CASE_OBJECTS = {};
  table.CONNECTION_KEYS = {};
}

// Creates the key's server and opens the program's case in it; the new entry
// goes to the end of the table. Null, and no entry, when either step fails.
CaseServer* CreateConnection(ConnectionTable& table, const ConnectionKey& key,
                             std::string_view program, CaseData** case_data) {
  try {
    // Room first, so that a table that cannot grow never strands a new server.
    const std::size_t n = table.SERVER_OBJECTS.size() + 1;
    table.SERVER_OBJECTS.reserve(n);
    table.CASE_OBJECTS.reserve(n);
    table.CONNECTION_KEYS.reserve(n);
  } catch (const std::bad_alloc&) {
    ReportNoConnection(key, "the connection table cannot grow", E_OUTOFMEMORY);
    return nullptr;
  }

  ComPtr<CaseServer> server;
  HRESULT hr = CoCreateInstance(CLSID_CaseServer, nullptr, kCaseServerContext, IID_CaseServer,
                                reinterpret_cast<void**>(server.out()));
  if (FAILED(hr) || !server) {
    ReportNoConnection(key, "the server cannot be created", hr);
    return nullptr;
  }
  server->SetServerMode(3);
  ComPtr<CaseData> data;
  hr = server->OpenProgramCase(Bstr(fixed::Trimmed(program.substr(0, 4))).get(), 1, 1, data.out());
  if (FAILED(hr) || !data) {
    ReportNoConnection(key, "the server opens no case", hr);
    server->ShutDown();
    return nullptr;
  }
  *case_data = data.get();
  table.SERVER_OBJECTS.push_back(std::move(server));
  table.CASE_OBJECTS.push_back(std::move(data));
  table.CONNECTION_KEYS.push_back(key);
  return table.SERVER_OBJECTS.back().get();
}

}  // namespace

void* GET_CASE_CONNECTION(const char* key, int64_t key_len, CaseData** case_data,
                          const int64_t* mode, const char* program, int64_t program_len) {
  ConnectionTable& table = CONNECTION_TABLE;
  const int64_t m = mode ? *mode : CONNECTION_FIND_OR_CREATE;
  const std::size_t n = table.SERVER_OBJECTS.size();
  // Without a variable of the caller's, the connection still works; only the
  // case data object has nowhere to go.
  CaseData* ignored = nullptr;
  CaseData*& caller = case_data ? *case_data : ignored;

  if (m == CONNECTION_RELEASE_ALL) {
    ReleaseAll(table);
    return nullptr;
  }
  if (m != CONNECTION_STORE_CASE_DATA) caller = nullptr;
  if (m == CONNECTION_ANY_ENTRIES)
    return n >= 1 ? reinterpret_cast<void*>(CONNECTION_TABLE_FILLED) : nullptr;

  const ConnectionKey wanted(HostText(key, key_len));
  for (std::size_t i = 0; i < n; ++i) {
    if (table.CONNECTION_KEYS[i].view() != wanted.view()) continue;
    if (m != CONNECTION_STORE_CASE_DATA)
      caller = table.CASE_OBJECTS[i].get();
    else if (caller)  // a null object would cut the connection off its case
      table.CASE_OBJECTS[i] = ComPtr<CaseData>::Share(caller);
    return table.SERVER_OBJECTS[i].get();
  }
  if (m == CONNECTION_FIND_ONLY && n >= 1) return nullptr;

  caller = nullptr;
  return CreateConnection(table, wanted, HostText(program, program_len), &caller);
}

void OPEN_CONNECTIONS(const char* key, int64_t key_len) {
  const ConnectionKey vizur(VIZUR_CONNECTION_KEY);
  CaseData* case_data = nullptr;
  const int64_t any_entries = CONNECTION_ANY_ENTRIES;
  const int64_t open = CONNECTION_FIND_OR_CREATE;
  const char* program = CASE_PROGRAM_NAME.data();
  const int64_t program_len = static_cast<int64_t>(CASE_PROGRAM_NAME.size());

  const void* filled = GET_CASE_CONNECTION(vizur.data(), vizur.length(), &case_data, &any_entries,
                                           program, program_len);
  // A table left empty by a failed creation does not initialise OLE a second
  // time: one exit has to balance it.
  if (filled != reinterpret_cast<void*>(CONNECTION_TABLE_FILLED) &&
      !CONNECTION_TABLE.OLE_INITIALISED) {
    OleInitialize(nullptr);
    CONNECTION_TABLE.OLE_INITIALISED = true;
  }
  GET_CASE_CONNECTION(vizur.data(), vizur.length(), &case_data, &open, program, program_len);
  GET_CASE_CONNECTION(key, key_len, &case_data, &open, program, program_len);
}
