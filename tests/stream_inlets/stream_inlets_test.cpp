#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "exchange/exchange_face.h"
#include "include/markers.h"
#include "tests/common/exchange_case.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const std::string kHotIn = "S-HOT-IN", kHotOut = "S-HOT-OUT";
const std::string kColdIn = "S-COLD-IN", kColdOut = "S-COLD-OUT";

// A stream object whose record holds these reals (and a few integers and
// texts the transfer has no use for).
std::string Stream(const std::string& id, const std::string& reals) {
  return "object \"" + id + "\" class \"stream\"\n  record \"KVEM_MS_DATA\"\n    ivals 2 1 2\n" +
         "    svals 1 \"water\"\n    rvals " + reals + "\n  end\nend\n";
}

class StreamInletsTest : public ExchangeCaseTest {
 protected:
  void Put(int64_t hot_flag, int64_t cold_flag) {
    int64_t error_word = 0;
    PUT_STREAM_INLETS(&hot_flag, kHotIn.data(), static_cast<int64_t>(kHotIn.size()), kHotOut.data(),
                      static_cast<int64_t>(kHotOut.size()), &cold_flag, kColdIn.data(),
                      static_cast<int64_t>(kColdIn.size()), kColdOut.data(),
                      static_cast<int64_t>(kColdOut.size()), &case_data, &error_word);
  }
  static std::vector<std::string> Inlet(int side, double flow, double temperature, double pressure,
                                        double quality, int64_t flag) {
    std::vector<std::string> calls;
    Append(calls, PutReal("FlowRate", side, flow, flag));
    Append(calls, PutReal("InletTemperature", side, temperature, flag));
    Append(calls, PutReal("InletPressure", side, pressure, flag));
    Append(calls, PutReal("InletMassQuality", side, quality, flag));
    return calls;
  }
  void SetUp() override {
    ExchangeCaseTest::SetUp();
    LoadRepository(Stream(kHotIn, "5 2.5 90 300000 0 1.1") +
                   Stream(kColdIn, "5 4 15 250000 0.25 1.2"));
    LumbraProbeClearCalls();
  }
};

TEST_F(StreamInletsTest, BothInletsGoToTheirSideInOrder) {
  Put(2, 2);
  std::vector<std::string> expected = Inlet(1, 2.5, 90, 300000, 0, 1);
  Append(expected, Inlet(2, 4, 15, 250000, 0.25, 1));
  EXPECT_THAT(VariableCalls(), ElementsAreArray(expected));
  // The value text as the server receives it: list-directed, trailing blanks dropped.
  EXPECT_EQ(VariableCalls()[0], "PutValue|FlowRate|1|   2.50000000000000");
  EXPECT_EQ(case_probe::Value(AI, "InletMassQuality", 2), "  0.250000000000000");
  EXPECT_EQ(case_probe::Flag(AI, "InletPressure", 2), 1);
  EXPECT_THAT(
      RepositoryCalls(),
      ElementsAre("RPGETS|S-HOT-IN|KVEM_MS_DATA", "RPGETD|S-HOT-IN|KVEM_MS_DATA|2 0 5 0 1 0|32",
                  "RPGETS|S-COLD-IN|KVEM_MS_DATA", "RPGETD|S-COLD-IN|KVEM_MS_DATA|2 0 5 0 1 0|32"));
}

TEST_F(StreamInletsTest, TransferFlagDecidesEachSideAndItsGivenFlag) {
  Put(1, 3);  // hot not transferred; cold given with flag 2
  EXPECT_THAT(VariableCalls(), ElementsAreArray(Inlet(2, 4, 15, 250000, 0.25, 2)));
  EXPECT_THAT(RepositoryCalls(), ElementsAre("RPGETS|S-COLD-IN|KVEM_MS_DATA",
                                             "RPGETD|S-COLD-IN|KVEM_MS_DATA|2 0 5 0 1 0|32"));

  CaseProbeClearLog();
  LumbraProbeClearCalls();
  Put(1, 1);  // output mode 1: neither side
  EXPECT_THAT(VariableCalls(), IsEmpty());
  EXPECT_THAT(RepositoryCalls(), IsEmpty());
}

TEST_F(StreamInletsTest, OnlyTheExactMissingMarkerBecomesZero) {
  LumbraProbeReset();
  LoadRepository(Stream(kHotIn, "4 1e35 90 2e35 1e35") + Stream(kColdIn, "4 1e35 1e35 1e35 0.5"));
  Put(2, 2);
  std::vector<std::string> expected = Inlet(1, 0, 90, 2.0E35, 0, 1);
  Append(expected, Inlet(2, 0, 0, 0, 0.5, 1));
  EXPECT_THAT(VariableCalls(), ElementsAreArray(expected));
  EXPECT_EQ(VariableCalls()[0], "PutValue|FlowRate|1|  0.000000000000000E+000");
}

TEST_F(StreamInletsTest, InputsAreDividedByTheirFactors) {
  SelectUnitSet(1.0f);
  const UnitFactors f = UNIT_FACTORS;
  Put(2, 1);
  EXPECT_THAT(VariableCalls(),
              ElementsAreArray(Inlet(1, 2.5 / static_cast<double>(f.F_MASS_FLOW), 90,
                                     300000 / static_cast<double>(f.F_PRESSURE), 0, 1)));
}

TEST_F(StreamInletsTest, ARecordLargerThanTheBuffersIsReadOnlyAsFarAsTheyHold) {
  // 400 reals and texts: more than the buffers hold, so no more is asked for.
  std::string reals = "400 7 60 200000 0.5";
  for (int i = 5; i <= 400; ++i) reals += " " + std::to_string(i);
  std::string object =
      "object \"" + kHotIn + "\" class \"stream\"\n  record \"KVEM_MS_DATA\"\n" + "    ivals 20";
  for (int i = 0; i < 20; ++i) object += " 1";
  object += "\n    svals 120";
  for (int i = 0; i < 120; ++i) object += " \"t\"";
  object += "\n    rvals " + reals + "\n  end\nend\n";
  LumbraProbeReset();
  LoadRepository(object + Stream(kColdIn, "5 4 15 250000 0.25 1.2"));
  // And a record whose counts claim far more than it holds.
  const int64_t huge = int64_t{1} << 62;
  const int64_t counts[6] = {huge, huge, huge, huge, huge, huge};
  ASSERT_EQ(LumbraProbeSetCounts(kColdIn.c_str(), "KVEM_MS_DATA", counts), 0);

  Put(2, 2);
  std::vector<std::string> expected = Inlet(1, 7, 60, 200000, 0.5, 1);
  Append(expected, Inlet(2, 4, 15, 250000, 0.25, 1));
  EXPECT_THAT(VariableCalls(), ElementsAreArray(expected));
  const std::vector<std::string> calls = RepositoryCalls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[1], "RPGETD|S-HOT-IN|KVEM_MS_DATA|9 0 150 0 100 0|32");
  EXPECT_EQ(calls[3], "RPGETD|S-COLD-IN|KVEM_MS_DATA|9 5 150 5 100 5|32");
}

TEST_F(StreamInletsTest, RealsTheRecordDoesNotHoldAreZeroNotTheLastStreamsValues) {
  Put(2, 1);
  LumbraProbeReset();
  LoadRepository(Stream(kHotIn, "2 3 70"));  // flow and temperature only
  CaseProbeClearLog();
  Put(2, 1);
  EXPECT_THAT(VariableCalls(), ElementsAreArray(Inlet(1, 3, 70, 0, 0, 1)));
}

TEST_F(StreamInletsTest, AStreamOrAnInletVariableThatIsNotThereIsNoFailure) {
  LumbraProbeReset();  // no stream objects at all
  ASSERT_TRUE(CaseProbeRemoveVariable(AI, "InletPressure"));
  Put(2, 2);
  std::vector<std::string> expected;
  for (int side : {1, 2}) {
    Append(expected, PutReal("FlowRate", side, 0, 1));
    Append(expected, PutReal("InletTemperature", side, 0, 1));
    Append(expected, PutReal("InletMassQuality", side, 0, 1));
  }
  EXPECT_THAT(VariableCalls(), ElementsAreArray(expected));
}

}  // namespace
