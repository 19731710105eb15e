#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/caseserver/case_server_fixture.h"

namespace {

using case_probe::Entry;
using ::testing::ElementsAre;

constexpr int AI = CASE_PROBE_ARRAY_INPUTS;
constexpr int SI = CASE_PROBE_SCALAR_INPUTS;
constexpr int AR = CASE_PROBE_ARRAY_RESULTS;
constexpr int SR = CASE_PROBE_SCALAR_RESULTS;

TEST_F(CaseServerTest, PutsReachTheCaseAndTheLogInOrder) {
  auto flow = ArrayInput("FlowRate");
  ASSERT_TRUE(flow);
  EXPECT_HRESULT_SUCCEEDED(flow->PutValue(2, Bstr("   1.00000000000000").get()));
  EXPECT_HRESULT_SUCCEEDED(flow->PutFlag(2, 1));
  auto mode = ScalarInput("PlateProgMode");
  ASSERT_TRUE(mode);
  EXPECT_HRESULT_SUCCEEDED(mode->PutValue(Bstr("                     1").get()));
  EXPECT_HRESULT_SUCCEEDED(mode->PutFlag(1));

  EXPECT_EQ(case_probe::EntryAt(AI, "FlowRate", 2), (Entry{"   1.00000000000000", 1, ""}));
  EXPECT_EQ(case_probe::EntryAt(AI, "FlowRate", 1), Entry{});
  EXPECT_EQ(case_probe::EntryAt(SI, "PlateProgMode"), (Entry{"                     1", 1, ""}));
  EXPECT_THAT(
      case_probe::Log(),
      ElementsAre("CaseData::GetArrayInputs", "ArrayVariables::Item|ArrayInputs|FlowRate|found",
                  "ArrayVariable::PutValue|ArrayInputs|FlowRate|2|   1.00000000000000",
                  "ArrayVariable::PutFlag|ArrayInputs|FlowRate|2|1", "CaseData::GetScalarInputs",
                  "ScalarVariables::Item|ScalarInputs|PlateProgMode|found",
                  "ScalarVariable::PutValue|ScalarInputs|PlateProgMode|                     1",
                  "ScalarVariable::PutFlag|ScalarInputs|PlateProgMode|1"));
}

TEST_F(CaseServerTest, GetsAnswerWhatTheCaseHolds) {
  CaseProbeSetEntry(AR, "DPTotal", 2, " 0.25", 1, nullptr);
  CaseProbeSetEntry(SR, "HTCDirty", 1, "1234.5", 1, nullptr);
  CaseProbeDefineVariable(AR, "arTavikMsgs", 3);
  CaseProbeSetEntry(AR, "arTavikMsgs", 1, "", 0, " 6");
  CaseProbeSetEntry(AR, "arTavikMsgs", 3, "", 0, "53");

  ComPtr<ArrayVariables> arrays;
  ComPtr<ScalarVariables> scalars;
  ASSERT_HRESULT_SUCCEEDED(data->GetArrayResults(arrays.out()));
  ASSERT_HRESULT_SUCCEEDED(data->GetScalarResults(scalars.out()));
  ComPtr<ArrayVariable> dp, msgs;
  ComPtr<ScalarVariable> htc;
  arrays->Item(Bstr("DPTotal").get(), dp.out());
  arrays->Item(Bstr("arTavikMsgs").get(), msgs.out());
  scalars->Item(Bstr("HTCDirty").get(), htc.out());
  ASSERT_TRUE(dp && msgs && htc);

  Bstr text;
  EXPECT_HRESULT_SUCCEEDED(dp->GetValue(2, text.out()));
  EXPECT_EQ(text.ansi(), " 0.25");
  EXPECT_HRESULT_SUCCEEDED(htc->GetValue(text.out()));
  EXPECT_EQ(text.ansi(), "1234.5");
  short count = 0;
  EXPECT_HRESULT_SUCCEEDED(msgs->GetCount(&count));
  EXPECT_EQ(count, 3);
  const char* lines[] = {" 6", "", "53"};
  for (short i = 1; i <= 3; ++i) {
    EXPECT_HRESULT_SUCCEEDED(msgs->GetText(i, text.out()));
    EXPECT_EQ(text.ansi(), lines[i - 1]);
  }
}

TEST_F(CaseServerTest, FlagsAreKeptAsTheyCame) {
  auto flow = ArrayInput("FlowRate");
  flow->PutFlag(1, 2);
  flow->PutFlag(2, 0);
  EXPECT_EQ(case_probe::Flag(AI, "FlowRate", 1), 2);
  EXPECT_EQ(case_probe::Flag(AI, "FlowRate", 2), 0);
}

TEST_F(CaseServerTest, IndicesOutsideTheVariableAreRefused) {
  const struct {
    const char* name;
    short index;
    bool taken;
  } cases[] = {
      {"FlowRate", 0, false},           {"FlowRate", 1, true},      {"FlowRate", 2, true},
      {"FlowRate", 3, false},           {"FlowRate", -1, false},    {"PressureReference", 10, true},
      {"PressureReference", 11, false}, {"Temperature", 240, true}, {"Temperature", 241, false},
      {"Comp50VapMoleFrc", 240, true},
  };
  for (const auto& c : cases) {
    auto v = ArrayInput(c.name);
    ASSERT_TRUE(v) << c.name;
    const HRESULT put = v->PutValue(c.index, Bstr("x").get());
    Bstr back;
    const HRESULT get = v->GetValue(c.index, back.out());
    if (c.taken) {
      EXPECT_EQ(put, S_OK) << c.name << " " << c.index;
      EXPECT_EQ(back.ansi(), "x") << c.name << " " << c.index;
    } else {
      EXPECT_EQ(put, DISP_E_BADINDEX) << c.name << " " << c.index;
      EXPECT_EQ(get, DISP_E_BADINDEX) << c.name << " " << c.index;
      EXPECT_EQ(v->PutFlag(c.index, 1), DISP_E_BADINDEX) << c.name << " " << c.index;
    }
  }
  // Refused calls are logged all the same.
  EXPECT_EQ(case_probe::Log().back(), "ArrayVariable::GetValue|ArrayInputs|Comp50VapMoleFrc|240");
}

TEST_F(CaseServerTest, AbsentNamesGiveNullAndEveryNameOneObject) {
  ComPtr<ArrayVariables> inputs, results;
  data->GetArrayInputs(inputs.out());
  data->GetArrayResults(results.out());
  for (const char* name : {"NoSuchVariable", "FlowRate ", "flowrate", ""}) {
    ComPtr<ArrayVariable> v;
    EXPECT_EQ(inputs->Item(Bstr(name).get(), v.out()), S_FALSE) << '"' << name << '"';
    EXPECT_FALSE(v) << '"' << name << '"';
  }
  ComPtr<ArrayVariable> in_results;
  results->Item(Bstr("FlowRate").get(), in_results.out());
  EXPECT_FALSE(in_results);
  EXPECT_EQ(case_probe::Log().back(), "ArrayVariables::Item|ArrayResults|FlowRate|absent");

  // Asking again and again gives the same objects: nothing piles up for a
  // caller that never releases them.
  ComPtr<ArrayVariables> inputs_again;
  data->GetArrayInputs(inputs_again.out());
  EXPECT_EQ(inputs_again.get(), inputs.get());
  ArrayVariable* first = ArrayInput("InletPortPoint").get();
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(ArrayInput("InletPortPoint").get(), first);
  ComPtr<ArrayVariable> result_port;
  results->Item(Bstr("InletPortPoint").get(), result_port.out());
  ASSERT_TRUE(result_port);
  EXPECT_NE(result_port.get(), first);  // the input and the result are two variables
}

TEST_F(CaseServerTest, MarkResetsTheWholeVariableAndIsCounted) {
  CaseProbeSetEntry(AI, "Temperature", 1, "300", 1, "line");
  CaseProbeSetEntry(AI, "Temperature", 240, "400", 2, nullptr);
  auto t = ArrayInput("Temperature");
  EXPECT_EQ(CaseProbeMarkCount(AI, "Temperature"), 0);
  EXPECT_HRESULT_SUCCEEDED(t->Mark(-1, 0));
  EXPECT_EQ(case_probe::EntryAt(AI, "Temperature", 1), Entry{});
  EXPECT_EQ(case_probe::EntryAt(AI, "Temperature", 240), Entry{});
  EXPECT_EQ(CaseProbeMarkCount(AI, "Temperature"), 1);
  EXPECT_HRESULT_SUCCEEDED(t->Mark(-1, 0));
  EXPECT_EQ(CaseProbeMarkCount(AI, "Temperature"), 2);

  // A single entry, and an index the variable lacks.
  CaseProbeSetEntry(AI, "Temperature", 1, "300", 1, nullptr);
  CaseProbeSetEntry(AI, "Temperature", 2, "310", 1, nullptr);
  EXPECT_HRESULT_SUCCEEDED(t->Mark(2, 0));
  EXPECT_EQ(case_probe::Value(AI, "Temperature", 1), "300");
  EXPECT_EQ(case_probe::EntryAt(AI, "Temperature", 2), Entry{});
  EXPECT_EQ(t->Mark(241, 0), DISP_E_BADINDEX);
  EXPECT_EQ(CaseProbeMarkCount(AI, "Temperature"), 3);
  EXPECT_EQ(case_probe::Log().back(), "ArrayVariable::Mark|ArrayInputs|Temperature|241|0");
}

TEST_F(CaseServerTest, AVariableRemovedFromTheCaseIsNoLongerServed) {
  auto flow = ArrayInput("FlowRate");
  ASSERT_EQ(CaseProbeRemoveVariable(AI, "FlowRate"), 1);
  EXPECT_EQ(flow->PutValue(1, Bstr("1").get()), HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
  short count = 5;
  EXPECT_EQ(flow->GetCount(&count), HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
  EXPECT_FALSE(ArrayInput("FlowRate"));
  // Defined again, the same object serves it.
  CaseProbeDefineVariable(AI, "FlowRate", 4);
  EXPECT_EQ(ArrayInput("FlowRate").get(), flow.get());
  EXPECT_HRESULT_SUCCEEDED(flow->PutValue(4, Bstr("4").get()));
}

TEST_F(CaseServerTest, ANewCaseHoldsTheProgramsCatalogue) {
  const struct {
    int collection;
    const char* name;
    int count;
  } samples[] = {
      {AI, "FlowRate", 2},
      {AI, "InletMassQuality", 2},
      {AI, "DBToBeUsed", 2},
      {AI, "NumberofCurves", 2},
      {AI, "NumberOfPointsOnCurve", 2},
      {AI, "PressureReference", 10},
      {AI, "Diffusivity", 240},
      {AI, "Liquid2MassFraction", 240},
      {AI, "Comp01LiqMoleFrc", 240},
      {AI, "Comp09VapMoleFrc", 240},
      {AI, "Comp50VapMoleFrc", 240},
      {AI, "HeatLoad", 2},
      {AI, "ReviseForHeatBalance", 2},
      {AI, "NumberofChannelsInPass5", 2},
      {SI, "PlateProgMode", 1},
      {SI, "AreaOfPlateS", 1},
      {SI, "ChevronAngleToHorizontal", 1},
      {AR, "arReqArea", 2},
      {AR, "arTavikMsgs", 0},
      {AR, "NumberofPasses", 2},
      {SR, "AreaOfPlate", 1},
      {SR, "VerticalPortCentreDistance", 1},
      {SR, "TotalHeatExchanged", 1},
  };
  for (const auto& s : samples)
    EXPECT_EQ(CaseProbeEntryCount(s.collection, s.name), s.count) << s.name;
  EXPECT_EQ(CaseProbeEntryCount(AI, "Comp51LiqMoleFrc"), -1);
  EXPECT_EQ(CaseProbeEntryCount(AI, "Comp00LiqMoleFrc"), -1);
  EXPECT_GT(CaseProbeEntryCount(AI, "Remarks"), 0);
}

TEST_F(CaseServerTest, OnlyThePlateProgramOpens) {
  ComPtr<CaseData> other;
  EXPECT_EQ(server->OpenProgramCase(Bstr("Other").get(), 1, 1, other.out()), E_INVALIDARG);
  EXPECT_FALSE(other);
  EXPECT_HRESULT_SUCCEEDED(server->OpenProgramCase(Bstr("VODI").get(), 1, 1, other.out()));
  EXPECT_EQ(other.get(), data.get());
  EXPECT_THAT(case_probe::Log(), ElementsAre("CaseServer::OpenProgramCase|Other|1|1",
                                             "CaseServer::OpenProgramCase|VODI|1|1"));
}

TEST_F(CaseServerTest, OpeningAgainStartsANewCase) {
  CaseProbeSetEntry(AI, "FlowRate", 1, "5", 1, nullptr);
  ComPtr<CaseData> again;
  server->OpenProgramCase(Bstr("Vodi").get(), 1, 1, again.out());
  EXPECT_EQ(case_probe::EntryAt(AI, "FlowRate", 1), Entry{});
}

TEST_F(CaseServerTest, MultiCaseTextsComeBackChanged) {
  Bstr first("batch a"), second("Case-2");
  EXPECT_HRESULT_SUCCEEDED(server->SetMultiCaseData(first.inout(), second.inout()));
  EXPECT_EQ(first.ansi(), "BATCH A/1");
  EXPECT_EQ(second.ansi(), "CASE-2/2");
  EXPECT_EQ(case_probe::MultiCaseText(1), "batch a");
  EXPECT_EQ(case_probe::MultiCaseText(2), "Case-2");
  EXPECT_EQ(case_probe::Log().back(), "CaseServer::SetMultiCaseData|batch a|Case-2");
}

struct HookCalls {
  int calls = 0;
};

void WriteResults(void* context) {
  ++static_cast<HookCalls*>(context)->calls;
  CaseProbeDefineVariable(CASE_PROBE_ARRAY_RESULTS, "arTavikMsgs", 1);
  CaseProbeSetEntry(CASE_PROBE_ARRAY_RESULTS, "arTavikMsgs", 1, "", 0, "17");
}

TEST_F(CaseServerTest, RunningTheProgramCallsTheRunHook) {
  HookCalls hook;
  CaseProbeSetRunHook(&WriteResults, &hook);
  EXPECT_EQ(server->RunProgram(Bstr("Other").get(), 0), E_INVALIDARG);
  EXPECT_EQ(hook.calls, 0);
  EXPECT_HRESULT_SUCCEEDED(server->RunProgram(Bstr("Vodi").get(), 0));
  EXPECT_EQ(hook.calls, 1);
  EXPECT_EQ(case_probe::Text(AR, "arTavikMsgs", 1), "17");
  EXPECT_EQ(case_probe::Server().runs, 1);
  EXPECT_EQ(case_probe::Log().back(), "CaseServer::RunProgram|Vodi|0");
}

TEST_F(CaseServerTest, PlannedFailuresFailOnceEachAndStoreNothing) {
  auto flow = ArrayInput("FlowRate");
  CaseProbeFailOperation("ArrayVariable::PutValue", 1);
  EXPECT_EQ(flow->PutValue(1, Bstr("1").get()), E_FAIL);
  EXPECT_EQ(case_probe::Value(AI, "FlowRate", 1), "");
  EXPECT_HRESULT_SUCCEEDED(flow->PutValue(1, Bstr("2").get()));
  EXPECT_EQ(case_probe::Value(AI, "FlowRate", 1), "2");

  CaseProbeFailOperation("ArrayVariables::Item", 2);
  EXPECT_FALSE(ArrayInput("FlowRate"));
  EXPECT_FALSE(ArrayInput("FlowRate"));
  EXPECT_TRUE(ArrayInput("FlowRate"));

  // A failing call with in-and-out texts answers them empty.
  CaseProbeFailOperation("CaseServer::SetMultiCaseData", 1);
  Bstr first("a"), second("b");
  EXPECT_EQ(server->SetMultiCaseData(first.inout(), second.inout()), E_FAIL);
  EXPECT_EQ(first.get(), nullptr);
  EXPECT_EQ(second.get(), nullptr);
  EXPECT_EQ(case_probe::MultiCaseText(1), std::nullopt);

  CaseProbeFailOperation("ClassFactory::CreateInstance", 1);
  EXPECT_FALSE(NewServer());
  EXPECT_EQ(CaseProbeServerCount(), 1);
  EXPECT_EQ(case_probe::Log().back(), "ClassFactory::CreateInstance");
  EXPECT_TRUE(NewServer());
  EXPECT_EQ(CaseProbeServerCount(), 2);
}

TEST_F(CaseServerTest, AShutDownServerDoesNothingMore) {
  EXPECT_HRESULT_SUCCEEDED(server->SetServerMode(3));
  EXPECT_EQ(case_probe::Server().server_mode, 3);
  auto flow = ArrayInput("FlowRate");
  EXPECT_EQ(server->ShutDown(), S_OK);
  EXPECT_TRUE(case_probe::Server().shut_down);
  EXPECT_EQ(flow->PutValue(1, Bstr("1").get()), E_UNEXPECTED);
  EXPECT_EQ(server->RunProgram(Bstr("Vodi").get(), 0), E_UNEXPECTED);
  EXPECT_EQ(case_probe::Value(AI, "FlowRate", 1), "");
  EXPECT_TRUE(case_probe::Server().alive);

  // Released, the server is gone; what it handed out still answers safely.
  server.reset();
  EXPECT_FALSE(case_probe::Server().alive);
  EXPECT_EQ(case_probe::Log().back(), "CaseServer::Release");
  EXPECT_EQ(flow->PutValue(1, Bstr("1").get()), E_UNEXPECTED);
  ComPtr<ArrayVariables> inputs;
  EXPECT_EQ(data->GetArrayInputs(inputs.out()), E_UNEXPECTED);
  EXPECT_FALSE(inputs);
}

TEST_F(CaseServerTest, EveryReleaseOfACallerIsInTheReleaseLog) {
  CaseProbeClearLog();
  ArrayInput("FlowRate").reset();
  ScalarInput("PlateProgMode").reset();
  data.reset();
  // Each object the server handed out keeps the server's own reference.
  EXPECT_THAT(
      case_probe::Releases(),
      ElementsAre("ArrayVariables::Release|ArrayInputs|1",
                  "ArrayVariable::Release|ArrayInputs|FlowRate|1",
                  "ScalarVariables::Release|ScalarInputs|1",
                  "ScalarVariable::Release|ScalarInputs|PlateProgMode|1", "CaseData::Release|1"));
  EXPECT_THAT(case_probe::Log(),
              ::testing::Each(::testing::Not(::testing::HasSubstr("::Release"))));

  // The server's last reference ends it, and with it the references it kept
  // of what it handed out: those are its own, not a caller's.
  CaseProbeClearLog();
  server.reset();
  EXPECT_THAT(case_probe::Releases(), ElementsAre("CaseServer::Release|0"));
  EXPECT_THAT(case_probe::Log(), ElementsAre("CaseServer::Release"));
  EXPECT_EQ(CaseProbeReleaseCount(1), 1);
  EXPECT_EQ(CaseProbeReleaseCount(2), 0);
}

TEST_F(CaseServerTest, APlannedRaiseFaultsTheCallOnceAfterItsLogLine) {
  CaseProbeRaiseInOperation("CaseServer::LoadCaseFile", 0xE0001234);
  long status = -1;
  DWORD raised = 0;
  const Bstr path("X.QXN");
  CaseServer* const s = server.get();
  [&] {
    __try {
      s->LoadCaseFile(path.get(), 0, &status);
    } __except (raised = GetExceptionCode(), EXCEPTION_EXECUTE_HANDLER) {
    }
  }();
  EXPECT_EQ(raised, 0xE0001234u);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(case_probe::Log().back(), "CaseServer::LoadCaseFile|X.QXN|0");
  EXPECT_HRESULT_SUCCEEDED(s->LoadCaseFile(path.get(), 0, &status));
  EXPECT_EQ(status, CASE_LOAD_NO_FILE);
}

TEST_F(CaseServerTest, TheProbeTellsServersApart) {
  auto second = NewServer();
  ComPtr<CaseData> second_data;
  second->OpenProgramCase(Bstr("Vodi").get(), 1, 1, second_data.out());
  EXPECT_EQ(CaseProbeServerCount(), 2);
  second->SetServerMode(3);
  server->SetServerMode(1);
  CaseProbeSetEntry(AI, "FlowRate", 1, "second", 1, nullptr);  // the last created
  ASSERT_EQ(CaseProbeSelectServer(1), 1);
  EXPECT_EQ(case_probe::Value(AI, "FlowRate", 1), "");
  EXPECT_EQ(CaseProbeSelectServer(3), 0);
  EXPECT_THAT(case_probe::Log(1), ElementsAre("CaseServer::SetServerMode|1"));
  EXPECT_THAT(case_probe::Log(2),
              ElementsAre("ClassFactory::CreateInstance", "CaseServer::OpenProgramCase|Vodi|1|1",
                          "CaseServer::SetServerMode|3"));
  EXPECT_EQ(case_probe::Log(0).size(), 4u);
  second->ShutDown();
}

TEST_F(CaseServerTest, DispatchIsMinimal) {
  UINT count = 7;
  EXPECT_EQ(server->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
  EXPECT_EQ(server->GetTypeInfo(0, 0, &info), DISP_E_BADINDEX);
  EXPECT_EQ(info, nullptr);
  wchar_t name[] = L"RunProgram";
  LPOLESTR names[] = {name};
  DISPID id = 0;
  EXPECT_EQ(data->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
  EXPECT_EQ(data->GetIDsOfNames(IID_CaseData, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
  DISPPARAMS none{};
  EXPECT_EQ(server->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(server->Invoke(1, IID_CaseServer, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);

  ComPtr<IDispatch> dispatch;
  EXPECT_EQ(data->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.out())), S_OK);
  ComPtr<CaseServer> not_a_server;
  EXPECT_EQ(data->QueryInterface(IID_CaseServer, reinterpret_cast<void**>(not_a_server.out())),
            E_NOINTERFACE);
}

}  // namespace
