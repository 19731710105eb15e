// A run of the program through the case server's interfaces: the inputs put
// as the library puts them, RunProgram("Vodi"), the results read back.
#include <gtest/gtest.h>

#include <charconv>
#include <string>

#include "include/case_server.h"
#include "include/holders.h"
#include "standins/caseserver/case_server_probe.h"
#include "tests/common/case_server_registration.h"

namespace {

double Number(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  double v = -1;
  if (first != std::string::npos)
    std::from_chars(text.data() + first, text.data() + text.size(), v);
  return v;
}

class RatingRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(RegisterCaseServer());
    ASSERT_HRESULT_SUCCEEDED(OleInitialize(nullptr));
    CaseProbeReset();
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_CaseServer, nullptr, kCaseServerContext,
                                              IID_CaseServer,
                                              reinterpret_cast<void**>(server.out())));
    ASSERT_HRESULT_SUCCEEDED(server->OpenProgramCase(Bstr("Vodi").get(), 1, 1, data.out()));
    ASSERT_HRESULT_SUCCEEDED(data->GetArrayInputs(array_inputs.out()));
    ASSERT_HRESULT_SUCCEEDED(data->GetScalarInputs(scalar_inputs.out()));
    ASSERT_HRESULT_SUCCEEDED(data->GetArrayResults(array_results.out()));
    ASSERT_HRESULT_SUCCEEDED(data->GetScalarResults(scalar_results.out()));
  }
  void TearDown() override {
    array_inputs.reset();
    scalar_inputs.reset();
    array_results.reset();
    scalar_results.reset();
    data.reset();
    if (server) server->ShutDown();
    server.reset();
    OleUninitialize();
  }

  void Put(const char* name, short index, const char* text) {
    ComPtr<ArrayVariable> v;
    ASSERT_EQ(array_inputs->Item(Bstr(name).get(), v.out()), S_OK) << name;
    ASSERT_HRESULT_SUCCEEDED(v->PutValue(index, Bstr(text).get()));
    ASSERT_HRESULT_SUCCEEDED(v->PutFlag(index, 1));
  }
  void PutScalar(const char* name, const char* text) {
    ComPtr<ScalarVariable> v;
    ASSERT_EQ(scalar_inputs->Item(Bstr(name).get(), v.out()), S_OK) << name;
    ASSERT_HRESULT_SUCCEEDED(v->PutValue(Bstr(text).get()));
    ASSERT_HRESULT_SUCCEEDED(v->PutFlag(1));
  }
  double Result(const char* name, short index) {
    ComPtr<ArrayVariable> v;
    array_results->Item(Bstr(name).get(), v.out());
    Bstr text;
    if (!v || FAILED(v->GetValue(index, text.out()))) return -1;
    return Number(text.ansi());
  }
  double ScalarResult(const char* name) {
    ComPtr<ScalarVariable> v;
    scalar_results->Item(Bstr(name).get(), v.out());
    Bstr text;
    if (!v || FAILED(v->GetValue(text.out()))) return -1;
    return Number(text.ansi());
  }
  std::vector<std::string> Messages() {
    ComPtr<ArrayVariable> v;
    array_results->Item(Bstr("arTavikMsgs").get(), v.out());
    std::vector<std::string> lines;
    short count = 0;
    if (!v || FAILED(v->GetCount(&count))) return lines;
    for (short i = 1; i <= count; ++i) {
      Bstr text;
      v->GetText(i, text.out());
      lines.push_back(text.ansi());
    }
    return lines;
  }

  // Hot water 2 kg/s from 90 and cold water 3 kg/s from 15 on straight
  // curves of 4180 J/(kg K) from 10 to 100, hot curve 1 and cold curve 1.
  void PutWaterStreams() {
    const char* flows[] = {"   2.00000000000000", "   3.00000000000000"};
    const char* inlets[] = {"   90.0000000000000", "   15.0000000000000"};
    for (short side = 1; side <= 2; ++side) {
      Put("FlowRate", side, flows[side - 1]);
      Put("InletTemperature", side, inlets[side - 1]);
      Put("InletPressure", side, "   200000.000000000");
      Put("InletMassQuality", side, "  0.000000000000000E+000");
      Put("DBToBeUsed", side, "4");
      Put("NumberofCurves", side, "                     1");
      Put("NumberOfPointsOnCurve", side, "                     2");
      const short first = static_cast<short>(120 * (side - 1) + 1);
      Put("Temperature", first, "   10.0000000000000");
      Put("SpecificEnthalpy", first, "   41800.0000000000");
      Put("Temperature", first + 1, "   100.000000000000");
      Put("SpecificEnthalpy", first + 1, "   418000.000000000");
      for (short p = first; p <= first + 1; ++p) {
        Put("VaporMassFraction", p, "  0.000000000000000E+000");
        Put("LiquidDensity", p, "   990.000000000000");
        Put("LiquidViscosity", p, "  6.000000000000000E-004");
        Put("LiquidThermalConductivity", p, "  0.630000000000000");
        Put("LiquidSpecificHeat", p, "   4180.00000000000");
      }
    }
  }

  ComPtr<CaseServer> server;
  ComPtr<CaseData> data;
  ComPtr<ArrayVariables> array_inputs;
  ComPtr<ScalarVariables> scalar_inputs;
  ComPtr<ArrayVariables> array_results;
  ComPtr<ScalarVariables> scalar_results;
};

TEST_F(RatingRun, ADesignRunGivesItsDutyAndTheGeometryToCopyBack) {
  PutWaterStreams();
  PutScalar("PlateProgMode", "                     1");
  // The heat balance fixes the hot outlet at 60: 250.8 kW.
  Put("OutletTemperature", 1, "   60.0000000000000");
  Put("ReviseForHeatBalance", 1, "                     2");
  Put("ReviseForHeatBalance", 2, "                     2");
  ASSERT_HRESULT_SUCCEEDED(server->RunProgram(Bstr("Vodi").get(), 0));

  EXPECT_EQ(Messages(), std::vector<std::string>{"1"});
  const double duty = ScalarResult("TotalHeatExchanged");
  EXPECT_NEAR(duty, 2 * 4180.0 * 30, 1e-6);
  const double cold_out = Result("arOutletTemperature", 2);
  EXPECT_NEAR(Result("arOutletTemperature", 1), 60, 1e-9);
  EXPECT_NEAR(3 * 4180.0 * (cold_out - 15), duty, 1e-6);
  // A design: effective area at least what the duty needs when fouled.
  const double effective = ScalarResult("EffSurfTotal");
  EXPECT_GE(effective, Result("arReqArea", 2));
  EXPECT_GE(Result("arReqArea", 2), Result("arReqArea", 1));
  EXPECT_NEAR(ScalarResult("HTCDirty") * Result("arReqArea", 2) * ScalarResult("MTDCorrected"),
              duty, 1e-6 * duty);
  EXPECT_GT(ScalarResult("HTCHotSide"), 0);
  EXPECT_GT(ScalarResult("HTCColdSide"), 0);
  EXPECT_GT(Result("DPTotal", 1), 0);
  EXPECT_EQ(Result("arFoulResistance", 2), 0);
  const double channels = Result("TotalNumberChannels", 1);
  EXPECT_GE(channels, 1);
  EXPECT_EQ(Result("TotalNumberChannels", 2), channels);
  EXPECT_EQ(Result("NumberofPasses", 1), 1);
  EXPECT_EQ(Result("NumberofChannelsInPass1", 2), channels);
  EXPECT_EQ(ScalarResult("AreaOfPlate"), 0.5);
  EXPECT_NEAR(effective, 0.5 * (2 * channels - 1), 1e-12);
  EXPECT_GT(ScalarResult("PortDiameter"), 0);
}

TEST_F(RatingRun, ARunOfACaseWithoutInletsSaysSo) {
  ASSERT_HRESULT_SUCCEEDED(server->RunProgram(Bstr("Vodi").get(), 0));
  EXPECT_EQ(Messages(), (std::vector<std::string>{"111", "121", "112", "122", "39"}));
  EXPECT_EQ(ScalarResult("TotalHeatExchanged"), -1);  // blank: nothing to read
}

TEST_F(RatingRun, WithoutTheModelARunLeavesTheResultsToTheTest) {
  CaseProbeSetEntry(CASE_PROBE_SCALAR_RESULTS, "HTCDirty", 1, "1234.5", 1, nullptr);
  CaseProbeSetRatingModel(0);
  ASSERT_HRESULT_SUCCEEDED(server->RunProgram(Bstr("Vodi").get(), 0));
  EXPECT_EQ(ScalarResult("HTCDirty"), 1234.5);
  EXPECT_TRUE(Messages().empty());
  // A reset has runs rate the case again, replacing every result.
  CaseProbeReset();
  ASSERT_HRESULT_SUCCEEDED(server->RunProgram(Bstr("Vodi").get(), 0));
  EXPECT_EQ(ScalarResult("HTCDirty"), -1);
  EXPECT_EQ(Messages().back(), "39");
}

}  // namespace
