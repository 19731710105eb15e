// One case server connection per connection key, from first use to exit.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "include/case_server.h"
#include "include/fixed_text.h"
#include "include/holders.h"

inline constexpr int64_t CONNECTION_KEY_LENGTH = 20;
using ConnectionKey = FixedText<CONNECTION_KEY_LENGTH>;

// The key under which every input call opens a connection of its own.
inline constexpr std::string_view VIZUR_CONNECTION_KEY = "VIZUR";
// The program every connection opens a case of.
inline constexpr std::string_view CASE_PROGRAM_NAME = "Vodi";

// CONNECTION_MODE; any other value acts as CONNECTION_FIND_OR_CREATE.
inline constexpr int64_t CONNECTION_FIND_OR_CREATE = 0;
inline constexpr int64_t CONNECTION_RELEASE_ALL = 1;
inline constexpr int64_t CONNECTION_ANY_ENTRIES = 2;
inline constexpr int64_t CONNECTION_FIND_ONLY = 3;
inline constexpr int64_t CONNECTION_STORE_CASE_DATA = 4;
// What CONNECTION_ANY_ENTRIES answers for a table that holds entries.
inline constexpr intptr_t CONNECTION_TABLE_FILLED = 10;

// Entry i of the three arrays belongs together; entries keep their creation
// order. The table holds one reference to each server and each case data
// object and releases both at exit, and only there: it is never destroyed,
// so neither unloading the library nor the end of the process calls a server.
struct ConnectionTable {
  std::vector<ComPtr<CaseServer>> SERVER_OBJECTS;
  std::vector<ComPtr<CaseData>> CASE_OBJECTS;
  std::vector<ConnectionKey> CONNECTION_KEYS;
  // OPEN_CONNECTIONS has initialised OLE since the last exit.
  bool OLE_INITIALISED = false;
};
extern ConnectionTable& CONNECTION_TABLE;

// Returns the connection's CaseServer object, null, or in CONNECTION_ANY_ENTRIES
// mode CONNECTION_TABLE_FILLED. The key is its first 20 characters, padded with
// blanks; keys match byte for byte. The caller's case data variable receives
// the connection's CaseData object (not in CONNECTION_RELEASE_ALL, nor when
// CONNECTION_STORE_CASE_DATA finds the key: then it is stored instead).
//
// A server that cannot be created, or that opens no case, leaves no entry: the
// result is null and so is the caller's case data variable, and callers must
// cope with both. The failure goes to the debugger output.
void* GET_CASE_CONNECTION(const char* key, int64_t key_len, CaseData** case_data,
                          const int64_t* mode, const char* program, int64_t program_len);

// Initialises OLE when the table is empty (once until the next exit, however
// often creation fails), then opens the "VIZUR" connection and the host key's.
void OPEN_CONNECTIONS(const char* key, int64_t key_len);
