// The host's whole road on the example block: input, unit options, both curve
// requests, execute, output and exit, through the DLL's exported entry points.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "include/markers.h"
#include "tests/common/file_text.h"
#include "tests/end_to_end/host_fixture.h"

namespace {

using host::ExecuteAnswer;
using host::HcurveAnswer;

constexpr int SR = CASE_PROBE_SCALAR_RESULTS;
constexpr int AR = CASE_PROBE_ARRAY_RESULTS;
constexpr int AI = CASE_PROBE_ARRAY_INPUTS;
constexpr int SI = CASE_PROBE_SCALAR_INPUTS;

// What the program reports for the example block in these tests.
ProgramRun ExampleRun() {
  return ProgramRun{{{SR, "TotalHeatExchanged", 1, "377100.0"},
                     {AR, "arReqArea", 1, "100.0"},
                     {AR, "arReqArea", 2, "125.0"},
                     {SR, "EffSurfTotal", 1, "110.0"},
                     {SR, "HTCDirty", 1, "4500.0"},
                     {SR, "HTCClean", 1, "5200.0"},
                     {SR, "MTDCorrected", 1, "20.5"},
                     {AR, "arOutletTemperature", 1, "318.15"},
                     {SR, "HTCHotSide", 1, "9800.0"},
                     {AR, "DPTotal", 1, "35000.0"},
                     {AR, "arFoulResistance", 1, "2.0E-5"},
                     {AR, "arOutletTemperature", 2, "323.2"},
                     {SR, "HTCColdSide", 1, "9100.0"},
                     {AR, "DPTotal", 2, "42000.0"},
                     {AR, "arFoulResistance", 2, "3.0E-5"}},
                    {" 6", "41"}};
}

void ExpectClose(double actual, double expected, const std::string& what) {
  EXPECT_NEAR(actual, expected, std::abs(expected) * 1e-12) << what;
}

TEST_F(HostTest, TheExampleBlockRunsFromInputToExit) {
  SetProgramRun(ExampleRun());
  ASSERT_NO_FATAL_FAILURE(LoadExample());

  EXPECT_EQ(road_->Input(), 0);
  ASSERT_EQ(road_->WriteUnitOptions(), 0);

  // Each side's inlet pressure less its allowable drop (5.0E4 hot, 6.0E4
  // cold) gives one pair of levels; the flows are those of inlet and outlet.
  const struct {
    int64_t side;
    double flow, high, low;
  } sides[] = {{1, 2.0, 3.0e5, 2.5e5}, {2, 3.0, 4.0e5, 3.4e5}};
  for (const auto& s : sides) {
    const HcurveAnswer a = road_->Hcurve(s.side);
    SCOPED_TRACE("side " + std::to_string(s.side));
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.request[1], 24);
    EXPECT_EQ(a.request[0], 2);
    EXPECT_EQ(a.request[9], 2);
    ExpectClose(a.values[0], s.flow, "inlet flow");
    ExpectClose(a.values[1], s.flow, "outlet flow");
    ExpectClose(a.values[2], s.high, "higher level");
    ExpectClose(a.values[3], s.low, "lower level");
  }

  const ExecuteAnswer executed = road_->Execute();
  EXPECT_EQ(executed.message_count, 2);
  EXPECT_EQ(executed.message_codes, (std::vector<int64_t>{6, 41}));

  const auto performance = road_->ReadPerformance();
  ASSERT_TRUE(performance);
  EXPECT_EQ(performance->marker, MISSING_INTEGER);
  const double M = MISSING_REAL;
  // Required area from entry 2 of arReqArea, the excesses over entries 2 and 1.
  const std::vector<double> expected = {
      377100.0, 125.0,  110.0, -12.0, 10.0,  4500.0, 5200.0,  20.5, 318.15, 9800.0, 35000.0, M,
      M,        2.0e-5, M,     M,     323.2, 9100.0, 42000.0, M,    M,      3.0e-5, M,       M};
  ASSERT_EQ(performance->reals.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i)
    ExpectClose(performance->reals[i], expected[i], "real " + std::to_string(i + 1));

  // Message 6 made execute save the case; output mode 2 saves it again with
  // the host's final data and removes the backup.
  EXPECT_TRUE(host::FileExists(BackupPath()));
  EXPECT_EQ(road_->Output(2), 0);
  EXPECT_FALSE(host::FileExists(BackupPath()));
  road_->Exit();

  const SavedCase saved(case_path_);
  ASSERT_EQ(saved.status(), CASE_LOAD_DONE);
  EXPECT_EQ(saved.Real(AI, "FlowRate", 1), 2.0);
  EXPECT_EQ(saved.Flag(AI, "FlowRate", 1), 1);
  EXPECT_EQ(saved.Real(AI, "FlowRate", 2), 3.0);
  EXPECT_EQ(saved.Real(AI, "InletTemperature", 2), 293.15);
  EXPECT_EQ(saved.Real(AI, "InletPressure", 1), 3.0e5);
  EXPECT_EQ(saved.Real(SI, "PlateProgMode"), 3.0);
  EXPECT_EQ(saved.Real(AI, "NumberofCurves", 1), 2.0);
  EXPECT_EQ(saved.Real(AI, "NumberOfPointsOnCurve", 2), 24.0);
  // Cold curve 2 sits at reference pressure 7, its first point at 145.
  EXPECT_EQ(saved.Real(AI, "PressureReference", 7), 3.4e5);
  EXPECT_EQ(saved.Real(AI, "Temperature", 145), 293.15);
  EXPECT_EQ(saved.Flag(AI, "Temperature", 145), 1);
}

TEST_F(HostTest, ExitShutsDownEveryServerTheRoadOpened) {
  ASSERT_NO_FATAL_FAILURE(LoadExample());
  RunToExecute();
  EXPECT_EQ(road_->Output(2), 0);
  const int servers = CaseProbeServerCount();
  EXPECT_GE(servers, 2);  // the block's key and "VIZUR"
  road_->Exit();
  for (int i = 1; i <= servers; ++i) {
    EXPECT_TRUE(case_probe::Server(i).shut_down) << "server " << i;
    EXPECT_FALSE(case_probe::Server(i).alive) << "server " << i;
  }
}

// The rating model rates the example block as the library hands it over: the
// record holds the model's results, and the heat balance over both curves
// shows that flows, inlets and curves arrived whole.
TEST_F(HostTest, TheRatingModelRatesTheExampleBlock) {
  ASSERT_NO_FATAL_FAILURE(LoadExample());
  const ExecuteAnswer executed = RunToExecute();
  // 1: the run rated and wrote its results, with no warning.
  EXPECT_EQ(executed.message_count, 1);
  EXPECT_EQ(executed.message_codes, std::vector<int64_t>{1});
  // A completed run is not saved for its messages: the file is as it came.
  EXPECT_EQ(host::ReadWholeFile(case_path_), host::ReadWholeFile(example_case_));
  const auto performance = road_->ReadPerformance();
  ASSERT_TRUE(performance);
  ASSERT_EQ(performance->reals.size(), 24u);
  EXPECT_EQ(road_->Output(2), 0);
  road_->Exit();

  // The saved case holds the run's results next to the inputs.
  const SavedCase saved(case_path_);
  ASSERT_EQ(saved.status(), CASE_LOAD_DONE);
  const struct {
    std::size_t real;
    int collection;
    const char* name;
    int index;
  } sources[] = {{1, SR, "TotalHeatExchanged", 1},
                 {2, AR, "arReqArea", 2},
                 {3, SR, "EffSurfTotal", 1},
                 {6, SR, "HTCDirty", 1},
                 {7, SR, "HTCClean", 1},
                 {8, SR, "MTDCorrected", 1},
                 {9, AR, "arOutletTemperature", 1},
                 {10, SR, "HTCHotSide", 1},
                 {11, AR, "DPTotal", 1},
                 {14, AR, "arFoulResistance", 1},
                 {17, AR, "arOutletTemperature", 2},
                 {18, SR, "HTCColdSide", 1},
                 {19, AR, "DPTotal", 2},
                 {22, AR, "arFoulResistance", 2}};
  const std::vector<double>& r = performance->reals;
  for (const auto& s : sources) {
    const auto value = saved.Real(s.collection, s.name, s.index);
    ASSERT_TRUE(value) << s.name;
    ExpectClose(r[s.real - 1], *value, "real " + std::to_string(s.real) + " from " + s.name);
  }
  for (std::size_t real : {12, 13, 15, 16, 20, 21, 23, 24})
    EXPECT_EQ(r[real - 1], MISSING_REAL) << "real " << real;
  const double required_clean = *saved.Real(AR, "arReqArea", 1);
  EXPECT_NEAR(r[3], 100.0 * (r[2] - r[1]) / r[1], 1e-9);
  EXPECT_NEAR(r[4], 100.0 * (r[2] - required_clean) / required_clean, 1e-9);

  // Both sides' duties over their curves (4190 J/kg K) are the duty; the
  // outlets lie between the inlets; the fouling is the unit options'.
  const double duty = r[0], hot_out = r[8], cold_out = r[16];
  EXPECT_GT(duty, 0.0);
  EXPECT_NEAR(2.0 * 4190.0 * (363.15 - hot_out), duty, duty * 1e-6);
  EXPECT_NEAR(3.0 * 4190.0 * (cold_out - 293.15), duty, duty * 1e-6);
  EXPECT_GT(hot_out, 293.15);
  EXPECT_LT(cold_out, 363.15);
  EXPECT_EQ(r[13], 2.0e-5);
  EXPECT_EQ(r[21], 3.0e-5);
}

TEST_F(HostTest, OutputModeOneRestoresTheCaseFileFromItsBackup) {
  SetProgramRun(ProgramRun{{}, {"6"}});
  ASSERT_NO_FATAL_FAILURE(LoadExample());
  RunToExecute();
  const std::string original = host::ReadWholeFile(example_case_);
  ASSERT_FALSE(original.empty());
  // Message 6 saved the run's case over the file; the backup holds the one before.
  EXPECT_NE(host::ReadWholeFile(case_path_), original);
  EXPECT_EQ(host::ReadWholeFile(BackupPath()), original);

  EXPECT_EQ(road_->Output(1), 0);
  EXPECT_EQ(host::ReadWholeFile(case_path_), original);
  EXPECT_FALSE(host::FileExists(BackupPath()));
  road_->Exit();
}

// Whether the file holds the text: a case file is too long to be shown
// when it does not.
bool Holds(const std::string& path, const std::string& text) {
  return host::ReadWholeFile(path) == text;
}

// Two blocks' case files in one folder whose name ends in ".QXN": each is
// backed up beside itself, and each discard brings back its own file.
TEST_F(HostTest, CaseFilesOfOneFolderEachHaveABackupOfTheirOwn) {
  SetProgramRun(ProgramRun{{}, {"6"}});  // each run saved over its case file
  const std::string set = host::JoinPath(scratch_.path(), "SET.QXN");
  ASSERT_TRUE(CreateDirectoryA(set.c_str(), nullptr));
  ASSERT_NO_FATAL_FAILURE(LoadExample("SET.QXN\\A.QXN"));
  // The two case files differ, each by a comment line of its own.
  std::string a = host::ReadWholeFile(case_path_), b = a;
  a.insert(a.find('\n') + 1, "# case A\n");
  b.insert(b.find('\n') + 1, "# case B\n");
  const std::string path_b = host::JoinPath(set, "B.QXN");
  ASSERT_TRUE(driver_test::WriteWholeFile(case_path_, a));
  ASSERT_TRUE(driver_test::WriteWholeFile(path_b, b));
  // A file of the user's beside the folder, of the name the folder's stem gives.
  const std::string users = host::JoinPath(scratch_.path(), "SET.BAK");
  ASSERT_TRUE(driver_test::WriteWholeFile(users, "the user's own"));
  host::HostRoad road_b(*library_, road_->block(), path_b);

  RunToExecute();
  road_b.Execute();
  EXPECT_FALSE(Holds(case_path_, a));
  EXPECT_FALSE(Holds(path_b, b));
  EXPECT_TRUE(Holds(host::JoinPath(set, "A.BAK"), a));
  EXPECT_TRUE(Holds(host::JoinPath(set, "B.BAK"), b));

  EXPECT_EQ(road_->Output(1), 0);
  EXPECT_TRUE(Holds(case_path_, a));
  // B's run and its backup are untouched by A's discard.
  EXPECT_FALSE(Holds(path_b, b));
  EXPECT_TRUE(Holds(host::JoinPath(set, "B.BAK"), b));
  EXPECT_EQ(road_b.Output(1), 0);
  EXPECT_TRUE(Holds(path_b, b));
  EXPECT_EQ(FilesIn(set), (std::vector<std::string>{"A.QXN", "B.QXN"}));
  EXPECT_EQ(host::ReadWholeFile(users), "the user's own");
  road_->Exit();
}

}  // namespace
