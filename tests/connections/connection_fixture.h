// A process with the case server registered, an empty connection table and no
// OLE on the thread, as the host starts; every test ends with the host's exit.
#pragma once

#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "drivers/connection_table_face.h"
#include "drivers/drivers_face.h"
#include "standins/caseserver/case_server_probe.h"
#include "tests/common/case_server_registration.h"

inline bool OleInitialisedHere() {
  APTTYPE type;
  APTTYPEQUALIFIER qualifier;
  return SUCCEEDED(CoGetApartmentType(&type, &qualifier));
}

class ConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(RegisterCaseServer());
    ASSERT_TRUE(CONNECTION_TABLE.SERVER_OBJECTS.empty());
    ASSERT_FALSE(OleInitialisedHere());
    CaseProbeReset();
  }
  void TearDown() override {
    HANDLE_EXIT();
    while (OleInitialisedHere()) OleUninitialize();  // whatever a failed test left
  }

  // A driver's call with the program name every driver passes.
  static void* Connect(std::string_view key, int64_t mode, CaseData** case_data) {
    return GET_CASE_CONNECTION(key.data(), static_cast<int64_t>(key.size()), case_data, &mode,
                               "Vodi", 4);
  }
  static void Open(std::string_view key) {
    OPEN_CONNECTIONS(key.data(), static_cast<int64_t>(key.size()));
  }
  static std::size_t Entries() { return CONNECTION_TABLE.SERVER_OBJECTS.size(); }
  static std::string Key(std::size_t i) {
    return std::string(CONNECTION_TABLE.CONNECTION_KEYS[i].view());
  }

  // A value no connection ever hands out, to see whether a call wrote the
  // caller's variable.
  static CaseData* Untouched() { return reinterpret_cast<CaseData*>(0x5a5a); }
};
