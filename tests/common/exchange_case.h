// A plate program case in the case server stand-in and an empty repository in
// the repository stand-in, for the tests of the exchange routines: the case is
// opened the way the library's connection opens it, and the routines get the
// caller's CaseData variable just as the drivers hand it over.
//
// Link with casesrv and Lumbra (the stand-ins' own import libraries, for the
// probes) and the exchange sources under test.
//
// The case variables the exchange routines touch, by collection (AI array
// inputs, SI scalar inputs, AR array results, SR scalar results) and index:
//
//   routine                 coll. variable                                 index
//   PUT_PERFORMANCE_RECORD  SR    TotalHeatExchanged, EffSurfTotal,         -
//                                 HTCDirty, HTCClean, MTDCorrected,
//                                 HTCHotSide, HTCColdSide
//                           AR    arReqArea                                 1, 2
//                           AR    arOutletTemperature, DPTotal,             1, 2
//                                 arFoulResistance
//   PUT_STREAM_INLETS       AI    FlowRate, InletTemperature,               1, 2
//                                 InletPressure, InletMassQuality
//   MARK_PROPERTY_INPUTS    AI    PressureReference, Temperature,           whole
//                                 VaporMassFraction, SpecificEnthalpy,      variable
//                                 Vapor-/Liquid-/Liquid2- MolecularWeight,  (-1)
//                                 Density, Viscosity, ThermalConductivity,
//                                 SpecificHeat; Liquid-/Liquid2-
//                                 SurfaceTension; Liquid2MassFraction
//                                 (22 in all)
//                           AI    Comp01LiqMoleFrc .. Comp50LiqMoleFrc,     whole
//                                 Comp01VapMoleFrc .. Comp50VapMoleFrc      variable
//   PUT_UNIT_OPTIONS        SI    PlateProgMode                             -
//                           AI    HeatLoad, FoulingResistance,              1, 2
//                                 Liquid-/Vapor-/TwoPhase- HeatTrCoeff,
//                                 Liquid-/Vapor-/TwoPhase- HTCMultiplier,
//                                 PressureDropMultiplier,
//                                 AllowablePressureDrop,
//                                 EstimatedPressureDrop,
//                                 ReviseForHeatBalance,
//                                 OutletTemperature, OutletMassQuality      (and marks)
//                           AI    Remarks                                   count, line 1
//   GET_PROGRAM_MESSAGES    AR    arTavikMsgs                               count, lines
//                                                                           1..100
//   COPY_DESIGN_GEOMETRY    SR    AreaOfPlate, ChevronAngle,                -
//                                 CompressedPlatePitch, DoubleBankingOption,
//                                 HorizontalPortCentreDistance,
//                                 PlateThickness, PlateWidth, PortDiameter,
//                                 VerticalPortCentreDistance
//                           SI    AreaOfPlateS, ChevronAngleToHorizontal,   -
//                                 and the other eight by their own names
//                           AR+AI InletPortPoint, OutletPortPoint,          1, 2
//                                 TotalNumberChannels, NumberofPasses,
//                                 NumberofChannelsInPass1 .. 5
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "drivers/unit_factors_face.h"
#include "exchange/value_text.h"
#include "include/case_server.h"
#include "include/holders.h"
#include "include/repository.h"
#include "standins/caseserver/case_server_probe.h"
#include "standins/lumbra/repository_probe.h"
#include "tests/common/case_server_registration.h"

// The case's four collections, as the probe numbers them.
inline constexpr int AI = CASE_PROBE_ARRAY_INPUTS;
inline constexpr int SI = CASE_PROBE_SCALAR_INPUTS;
inline constexpr int AR = CASE_PROBE_ARRAY_RESULTS;
inline constexpr int SR = CASE_PROBE_SCALAR_RESULTS;

class ExchangeCaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(RegisterCaseServer());
    ASSERT_HRESULT_SUCCEEDED(OleInitialize(nullptr));
    CaseProbeReset();
    LumbraProbeReset();
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_CaseServer, nullptr, kCaseServerContext,
                                              IID_CaseServer,
                                              reinterpret_cast<void**>(server_.out())));
    ASSERT_HRESULT_SUCCEEDED(server_->OpenProgramCase(Bstr("Vodi").get(), 1, 1, data_.out()));
    ASSERT_TRUE(data_);
    case_data = data_.get();
    const float set4 = 4.0f;
    SET_UNIT_FACTORS(&set4);
    CaseProbeClearLog();
  }
  void TearDown() override {
    case_data = nullptr;
    data_.reset();
    if (server_) server_->ShutDown();
    server_.reset();
    OleUninitialize();
  }

 public:
  // The operations that changed or read the case's variables, in arrival
  // order, without the collection and lookup calls: "PutValue|FlowRate|1|text",
  // "PutFlag|FlowRate|1|1", "Mark|Temperature|-1|0", "GetValue|DPTotal|2" ...
  // Only the operations whose names start with one of the prefixes when given.
  static std::vector<std::string> VariableCalls(std::vector<std::string_view> prefixes = {}) {
    std::vector<std::string> calls;
    for (const std::string& line : case_probe::Log()) {
      const std::size_t op = line.find("::");
      const std::size_t bar = line.find('|');
      if (op == std::string::npos || bar == std::string::npos) continue;
      const std::string iface = line.substr(0, op);
      if (iface != "ArrayVariable" && iface != "ScalarVariable") continue;
      const std::string name = line.substr(op + 2, bar - op - 2);
      // Drop the collection field; the variable names say enough.
      const std::size_t after_collection = line.find('|', bar + 1);
      std::string call = name + line.substr(after_collection);
      bool wanted = prefixes.empty();
      for (std::string_view p : prefixes) wanted = wanted || call.starts_with(p);
      if (wanted) calls.push_back(call);
    }
    return calls;
  }

  // A value and its flag as the put sequence delivers them at an index.
  static std::vector<std::string> PutReal(std::string_view name, int index, double value,
                                          int64_t flag) {
    return Put(name, index, std::string(fixed::Trimmed(FormatRealValue(value))), flag);
  }
  static std::vector<std::string> PutInteger(std::string_view name, int index, int64_t value,
                                             int64_t flag) {
    return Put(name, index, std::string(fixed::Trimmed(FormatIntegerValue(value))), flag);
  }
  static std::vector<std::string> Put(std::string_view name, int index, std::string_view text,
                                      int64_t flag) {
    const std::string at = std::string(name) + "|" + std::to_string(index) + "|";
    return {"PutValue|" + at + std::string(text), "PutFlag|" + at + std::to_string(flag)};
  }
  static std::vector<std::string> PutScalarReal(std::string_view name, double value) {
    return PutScalar(name, std::string(fixed::Trimmed(FormatRealValue(value))));
  }
  static std::vector<std::string> PutScalar(std::string_view name, std::string_view text) {
    return {"PutValue|" + std::string(name) + "|" + std::string(text),
            "PutFlag|" + std::string(name) + "|1"};
  }
  static std::string Mark(std::string_view name) { return "Mark|" + std::string(name) + "|-1|0"; }

  // Sets entry `index` of a variable of the case: its value text, or its
  // text line for a line-read variable.
  static void SetValue(int collection, const char* name, int index, const char* value) {
    ASSERT_TRUE(CaseProbeSetEntry(collection, name, index, value, 1, nullptr)) << name;
  }
  static void SetLine(int collection, const char* name, int index, const char* line) {
    ASSERT_TRUE(CaseProbeSetEntry(collection, name, index, "", 0, line)) << name;
  }

  // Repository contents in the stand-in's text form.
  static void LoadRepository(const std::string& text) {
    ASSERT_EQ(LumbraProbeLoadText(text.c_str()), 0) << RepositoryError();
  }
  static std::string RepositoryError() {
    char buffer[512] = {};
    LumbraProbeLastError(buffer, sizeof buffer);
    return buffer;
  }
  static std::vector<std::string> RepositoryCalls() {
    std::vector<std::string> calls;
    const int64_t n = LumbraProbeCallCount();
    for (int64_t i = 1; i <= n; ++i) {
      char entry[512] = {};
      LumbraProbeCall(i, entry, sizeof entry);
      calls.emplace_back(entry);
    }
    return calls;
  }

  // A record read back whole, as the host would read it.
  struct StoredRecord {
    int64_t counts[6] = {};
    std::vector<int64_t> ivals;
    std::vector<double> rvals;
  };
  static StoredRecord ReadRecord(std::string_view id, std::string_view record) {
    StoredRecord r;
    int64_t err = 0;
    const auto id_len = static_cast<int64_t>(id.size());
    const auto record_len = static_cast<int64_t>(record.size());
    RPGETS(id.data(), id_len, record.data(), record_len, &r.counts[0], &r.counts[1], &r.counts[2],
           &r.counts[3], &r.counts[4], &r.counts[5], &err);
    int64_t n[6];
    for (int k = 0; k < 6; ++k) n[k] = r.counts[k] < 1 ? 1 : r.counts[k];
    r.ivals.assign(static_cast<std::size_t>(n[0]), 0);
    r.rvals.assign(static_cast<std::size_t>(n[2]), 0.0);
    std::vector<int64_t> x2(static_cast<std::size_t>(n[1])), x4(static_cast<std::size_t>(n[3])),
        x6(static_cast<std::size_t>(n[5]));
    std::string texts(static_cast<std::size_t>(n[4]) * 32, ' ');
    RPGETD(id.data(), id_len, record.data(), record_len, &n[0], r.ivals.data(), &n[1], x2.data(),
           &n[2], r.rvals.data(), &n[3], x4.data(), &n[4], texts.data(), 32, &n[5], x6.data(),
           &err);
    r.ivals.resize(static_cast<std::size_t>(r.counts[0]));
    r.rvals.resize(static_cast<std::size_t>(r.counts[2]));
    return r;
  }

  static void SelectUnitSet(float set) { SET_UNIT_FACTORS(&set); }

 protected:
  // The caller's variable that holds the connection's CaseData.
  CaseData* case_data = nullptr;

 private:
  ComPtr<CaseServer> server_;
  ComPtr<CaseData> data_;
};

// Appends the lines of b to a.
inline void Append(std::vector<std::string>& a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
}
