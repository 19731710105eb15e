// A case and a repository for the curve tests, the curve ids of CASE_LINK
// set, and a curve written into the repository from a few values.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "drivers/case_link_face.h"
#include "exchange/arrays_face.h"
#include "exchange/exchange_face.h"
#include "include/fixed_text.h"
#include "include/test_seams.h"
#include "tests/common/exchange_case.h"
#include "tests/common/loader_raise_fake.h"

inline const char* const kCurveRecords[] = {"STHE_HRC_POINT", "STHE_HRC_THERMODYNAMIC",
                                            "STHE_HRC_PHASE", "STHE_HRC_PHASE_COMPOSITION",
                                            "STHE_HRC_COMPONENT_PROPERTIES"};

// The values of one curve's records; the composition and component records
// are those of two components.
struct CurveData {
  std::vector<int64_t> entries;  // phase entries of each point
  std::vector<double> thermo;    // four values a point
  std::vector<int64_t> codes;    // phase code of each entry
  std::vector<double> phase;     // ten values an entry
};

// n points without phase entries: temperature 100p, pressure 2.5E5 at point
// 1 (1.0E5 after), enthalpy 1000p and vapour fraction 0.5.
inline CurveData PlainCurve(int n) {
  CurveData c;
  for (int p = 1; p <= n; ++p) {
    c.entries.push_back(0);
    c.thermo.insert(c.thermo.end(), {100.0 * p, p == 1 ? 2.5E5 : 1.0E5, 1000.0 * p, 0.5});
  }
  return c;
}

// Adds a phase entry whose value j is base + j.
inline void AddEntry(CurveData& c, int64_t code, double base) {
  c.codes.push_back(code);
  for (int j = 1; j <= 10; ++j) c.phase.push_back(base + j);
}

// The curve as a repository object in the stand-in's text form.
inline std::string CurveObject(std::string_view id, const CurveData& c) {
  auto array = [](const char* kind, const auto& values) {
    if (values.empty()) return std::string();
    std::ostringstream s;
    s.precision(17);
    s << "    " << kind << " " << values.size();
    for (const auto& v : values) s << " " << v;
    return s.str() + "\n";
  };
  auto record = [](const char* name, const std::string& body) {
    return std::string("  record \"") + name + "\"\n" + body + "  end\n";
  };
  return "object \"" + std::string(id) + "\" class \"CURVE_OBJECT\"\n" +
         record(kCurveRecords[0], array("ivals", c.entries)) +
         record(kCurveRecords[1],
                array("ivals", std::vector<int64_t>{99999999}) + array("rvals", c.thermo)) +
         record(kCurveRecords[2], array("ivals", c.codes) + array("rvals", c.phase)) +
         record(kCurveRecords[3], array("rvals", std::vector<double>{0.4, 0.6})) +
         record(kCurveRecords[4], array("ivals", std::vector<int64_t>{7, 2}) +
                                      array("rvals", std::vector<double>(14, 1.0))) +
         "end\n";
}

class CurveTest : public ExchangeCaseTest {
 protected:
  void SetUp() override {
    ExchangeCaseTest::SetUp();
    FailArrayAllocation(0);
    LOADER_RAISE_LOG = {};
    for (auto& id : CASE_LINK.HOTCURVE) id.clear();
    for (auto& id : CASE_LINK.COLDCURVE) id.clear();
    CASE_LINK.HOTCURVE[1] = "CURVE-A";
    CASE_LINK.COLDCURVE[1] = "CURVE-B";
  }
  // A reading that runs through frees whatever an earlier raised one left.
  void TearDown() override {
    FailArrayAllocation(0);
    LumbraProbeReset();
    EXPECT_EQ(Transfer("ANY", 1), 0);
    EXPECT_EQ(LiveArrayCount(), 0);
    ExchangeCaseTest::TearDown();
  }

  static void LoadCurve(std::string_view id, const CurveData& c) {
    LoadRepository(CurveObject(id, c));
  }

  // Reads and transfers a curve as the drivers do; answers the code raised, 0 for none.
  int64_t Transfer(std::string_view id, int64_t curve_number, int64_t transfer_flag = 2) {
    const FixedText<128> curve_id(id);
    const int64_t reserved = 0;
    int64_t error_word = 0;
    try {
      READ_HEAT_RELEASE_CURVE(&transfer_flag, &case_data, &curve_number, curve_id.data(),
                              curve_id.length(), &reserved, &error_word);
      return 0;
    } catch (const LoaderRaised& raised) {
      return raised.code;
    }
  }
};
