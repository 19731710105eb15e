// The plain copy of the report: one line for each report line up to its
// first tab, without picture and page-break lines.
#include "report/print/plain_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "report/print/report_reader.h"
#include "tests/print/report_pages_sink.h"

namespace {

namespace fs = std::filesystem;

class PlainCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zovk_plain_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Path(const char* name) const { return (folder_ / name).string(); }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // The file as text, its line ends read as line feeds.
  static std::string Text(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path folder_;
};

}  // namespace

TEST_F(PlainCopy, APictureLineABodyLineAndAPageBreakGiveOneLine) {
  Write(Path("R.DQO"), "$$$LOGO.WMF 1 1 10 5\n" + BodyLine("A", 'b', "{") + "[Page break]\n" +
                           std::string(REPORT_PAGE_BREAK_LINE) + "\n");
  EXPECT_EQ(WritePlainReport(Path("R.DQO").c_str(), Path("R.DQX").c_str()), 0);
  EXPECT_EQ(Text(Path("R.DQX")), "A" + std::string(79, ' ') + "\n");
}

TEST_F(PlainCopy, EachReportLineGivesOneLineHoweverLong) {
  const std::string text(300, 'x');
  Write(Path("R.DQO"), text + "\tmarks\nshort\nlast without line end");
  EXPECT_EQ(WritePlainReport(Path("R.DQO").c_str(), Path("R.DQX").c_str()), 0);
  EXPECT_EQ(Text(Path("R.DQX")), text + "\nshort\nlast without line end\n");
}

TEST_F(PlainCopy, TheMarkersAreComparedWithCase) {
  Write(Path("R.DQO"), "[PAGE BREAK]\n$$ two dollars\n");
  EXPECT_EQ(WritePlainReport(Path("R.DQO").c_str(), Path("R.DQX").c_str()), 0);
  EXPECT_EQ(Text(Path("R.DQX")), "[PAGE BREAK]\n$$ two dollars\n");
}

TEST_F(PlainCopy, AMissingReportAnswersMinusOneAndLeavesThePlainCopyAsItWas) {
  Write(Path("R.DQX"), "earlier copy\n");
  EXPECT_EQ(WritePlainReport(Path("MISSING.DQO").c_str(), Path("R.DQX").c_str()), -1);
  EXPECT_EQ(Text(Path("R.DQX")), "earlier copy\n");
}

TEST_F(PlainCopy, APlainFileThatCannotBeWrittenAnswersMinusOne) {
  Write(Path("R.DQO"), "A\n");
  EXPECT_EQ(
      WritePlainReport(Path("R.DQO").c_str(), (folder_ / "no" / "such" / "R.DQX").string().c_str()),
      -1);
  EXPECT_EQ(WritePlainReport(nullptr, Path("R.DQX").c_str()), -1);
}

TEST(PlainReportLine, CutsAtTheFirstTabAndTheLineFeed) {
  EXPECT_EQ(PlainReportLine("a\tb\tc\n"), "a");
  EXPECT_EQ(PlainReportLine("\tonly marks\n"), "");
  EXPECT_EQ(PlainReportLine("$$$X.WMF 1 1 2 2\n"), std::nullopt);
}
