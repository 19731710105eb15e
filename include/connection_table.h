// One case server connection per connection key, from first use to exit.
#pragma once

#include <cstdint>
#include <vector>

#include "case_server.h"
#include "fixed_text.h"
#include "holders.h"

inline constexpr int64_t CONNECTION_KEY_LENGTH = 20;

struct ConnectionTable {
  std::vector<ComPtr<CaseServer>> SERVER_OBJECTS;
  std::vector<CaseData*> CASE_OBJECTS;
  std::vector<FixedText<20>> CONNECTION_KEYS;
};
extern ConnectionTable CONNECTION_TABLE;

// Modes: 0 find or create, 1 shut down and release all, 2 any entries (10),
// 3 find only, 4 find or create and store the caller's case data.
void* GET_CASE_CONNECTION(const char* key, int64_t key_len, CaseData** case_data,
                          const int64_t* mode, const char* program, int64_t program_len);

void OPEN_CONNECTIONS(const char* key, int64_t key_len);
