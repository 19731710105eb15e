// A registered case server with an open case of the plate program, created as
// the library creates it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "include/case_server.h"
#include "include/holders.h"
#include "standins/caseserver/case_server_probe.h"
#include "tests/common/case_server_registration.h"

class CaseServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(RegisterCaseServer());
    ASSERT_HRESULT_SUCCEEDED(OleInitialize(nullptr));
    CaseProbeReset();
    HRESULT created = E_FAIL;
    server = NewServer(&created);
    ASSERT_HRESULT_SUCCEEDED(created);
    ASSERT_TRUE(server);
    ASSERT_HRESULT_SUCCEEDED(server->OpenProgramCase(Bstr("Vodi").get(), 1, 1, data.out()));
    ASSERT_TRUE(data);
    CaseProbeClearLog();
  }
  void TearDown() override {
    data.reset();
    if (server) server->ShutDown();
    server.reset();
    OleUninitialize();
  }

  static ComPtr<CaseServer> NewServer(HRESULT* created = nullptr) {
    ComPtr<CaseServer> s;
    const HRESULT hr = CoCreateInstance(CLSID_CaseServer, nullptr, kCaseServerContext,
                                        IID_CaseServer, reinterpret_cast<void**>(s.out()));
    if (created) *created = hr;
    return s;
  }

  ComPtr<ArrayVariable> ArrayInput(const char* name) const {
    return Item<ArrayVariable>(&CaseData::GetArrayInputs, name);
  }
  ComPtr<ScalarVariable> ScalarInput(const char* name) const {
    return Item<ScalarVariable>(&CaseData::GetScalarInputs, name);
  }
  template <class Variable, class Variables>
  ComPtr<Variable> Item(HRESULT (STDMETHODCALLTYPE CaseData::*collection)(Variables**),
                        const char* name) const {
    ComPtr<Variables> variables;
    (data.get()->*collection)(variables.out());
    ComPtr<Variable> v;
    variables->Item(Bstr(name).get(), v.out());
    return v;
  }

  ComPtr<CaseServer> server;
  ComPtr<CaseData> data;
};
