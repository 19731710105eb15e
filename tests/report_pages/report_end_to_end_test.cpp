// Two pages of the sample template filled through the computational side's
// jacket, from the program folder's language files into the run's report
// file and its drawing container, compared with the report and the
// container the samples expect.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/drawing/drawing_face.h"
#include "report/pages/report_pages_face.h"
#include "services/language_setting_face.h"
#include "services/service_jackets.h"
#include "tests/common/field_data_text.h"
#include "tests/common/report_run.h"
#include "tests/common/report_samples.h"
#include "tests/common/settings_file.h"

namespace {

using field_data_test::FieldList;

// A blank-padded text of the computational side and its length.
struct HostText {
  std::string text;
  int64_t length() const { return static_cast<int64_t>(text.size()); }
};

TEST(ReportEndToEnd, PagesFilledThroughTheJacketGiveTheExpectedReport) {
  SettingsFileGuard settings;
  ReportRun run;
  report_test::InstallSamples(run);
  std::strcpy(REPORT_LANGUAGE_CODE, "   ");
  std::memset(TEMPLATE_INDEX_CACHE.name, ' ', sizeof TEMPLATE_INDEX_CACHE.name);
  ASSERT_TRUE(WritePrivateProfileStringA("Setting", "Language", "ENGLISH", SETTINGS_FILE));
  // The case's drawing of the plate pack, which page 1 names.
  WriteBytes(run.cases() / "PLATE.ZFD", report_test::SampleBytes("PLATE.ZFD"));

  const HostText mode{"D  "}, no_pictures{std::string(20, ' ')};
  HostText result{"xxxxxxxx"};
  HostText page1{"P0120001"};
  std::string values1 = FieldList("PLATE1|ZOVK1|90.0|20.0|55.2|48.7|1.25|1.40|182.6|balanced|");
  REQUEST_REPORT_PAGE(mode.text.c_str(), mode.length(), page1.text.c_str(), page1.length(),
                      values1.data(), static_cast<int64_t>(values1.size()),
                      no_pictures.text.c_str(), no_pictures.length(), result.text.data(),
                      result.length());
  HostText page2{"p0120002        "};
  std::string values2 = FieldList("48|1200|400|1/1|5.0|");
  REQUEST_REPORT_PAGE(mode.text.c_str(), mode.length(), page2.text.c_str(), page2.length(),
                      values2.data(), static_cast<int64_t>(values2.size()),
                      no_pictures.text.c_str(), no_pictures.length(), result.text.data(),
                      result.length());

  EXPECT_EQ(result.text, "        ");  // a page request leaves its result blank
  EXPECT_EQ(run.report_bytes(), report_test::SampleBytes("expected\\ZOVK1.DQO"));
  const std::string container = ReadBytes(run.cases() / "ZOVK1.ZFD");
  EXPECT_GT(container.size(), sizeof(DRAWING_HEADER)) << "the drawing, not an empty one";
  EXPECT_TRUE(container == report_test::SampleBytes("expected\\ZOVK1.ZFD"));
}

}  // namespace
