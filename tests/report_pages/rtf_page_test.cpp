#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/pages/report_file_face.h"
#include "standins/ostrin/rich_text_probe.h"
#include "tests/common/field_data_text.h"
#include "tests/common/report_run.h"
#include "tests/common/rich_text_log.h"

namespace {

using field_data_test::FieldList;
using field_data_test::Values;
using Calls = std::vector<std::string>;

class RtfPage : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(run_.lan("P012.RENG"), "[P0120001]\nDuty \\v{1}\n");
    OstrinProbeSetEnabled(1);
  }
  int32_t Write(std::string& data) {
    return WriteRtfPage("P012.RENG", "P0120001", data.data(), static_cast<int64_t>(data.size()));
  }
  ReportRun run_;
};

TEST_F(RtfPage, TheValuesBeforeByte25GoToTheLibrary) {
  std::string data = FieldList("12.5|3.1|") + "after the list";
  data[2] = '\0';
  EXPECT_EQ(Write(data), 1);
  EXPECT_EQ(rich_text_test::Calls(), (Calls{"ParseRTF(" + run_.lan("P012.RENG") + ", P0120001, " +
                                            Values("12 5|3.1|") + ")"}));
  EXPECT_EQ(data, FieldList("12 5|3.1|") + "after the list");  // a NUL reads as a blank
}

TEST_F(RtfPage, FieldDataWithoutItsEndPassesNoValues) {
  std::string long_data(1999, 'v');
  long_data += '\x19';  // too late: the list must end within its first 1999 bytes
  std::string short_data = Values("12|");  // no byte 25 within its length
  EXPECT_EQ(Write(long_data), 1);
  EXPECT_EQ(Write(short_data), 1);
  EXPECT_EQ(long_data[0], '\x19');
  EXPECT_EQ(short_data, "\x19" + Values("2|"));
  EXPECT_EQ(WriteRtfPage("P012.RENG", "P0120001", nullptr, 10), 1);
  const std::string call = "ParseRTF(" + run_.lan("P012.RENG") + ", P0120001, )";
  EXPECT_EQ(rich_text_test::Calls(), (Calls{call, call, call}));
}

TEST_F(RtfPage, AMissingTemplateGivesMinusOneAndPassesNothing) {
  std::string data = FieldList("1|");
  EXPECT_EQ(WriteRtfPage("P099.RENG", "P0990001", data.data(), 3), -1);
  EXPECT_EQ(WriteRtfPage(nullptr, "P0990001", data.data(), 3), -1);
  // A program folder so long that the template's path does not fit.
  std::strcpy(FOLDER_BUFFERS.program_folder,
              (run_.program().path() + std::string(240, 'P')).c_str());
  EXPECT_EQ(Write(data), -1);
  EXPECT_EQ(OstrinProbeCallCount(), 0);
  EXPECT_EQ(data, FieldList("1|"));
}

TEST(RtfEnabled, FollowsTheLibrary) {
  ReportRun run;
  int32_t enabled = -1;
  QueryRtfEnabled(&enabled);
  EXPECT_EQ(enabled, 0);
  OstrinProbeSetEnabled(1);
  QueryRtfEnabled(&enabled);
  EXPECT_EQ(enabled, 1);
  QueryRtfEnabled(nullptr);
  EXPECT_EQ(OstrinProbeCallCount(), 3);
}

}  // namespace
