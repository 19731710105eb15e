// The plain copy of the report: one line for each report line up to its
// first tab, without picture and page-break lines.
#include "report/print/plain_report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
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

  // The plain lines of a report file holding the bytes, or "(unread)";
  // opened as the plain copy opens it.
  std::string Plain(const std::string& bytes) {
    Write(Path("R.DQO"), bytes);
    std::FILE* report = std::fopen(Path("R.DQO").c_str(), "rb");
    if (!report) return "(unread)";
    std::string plain;
    const bool read = ReadPlainReport(report, plain);
    std::fclose(report);
    return read ? plain : "(unread)";
  }

  fs::path folder_;
};

}  // namespace

TEST_F(PlainCopy, APictureLineABodyLineAndAPageBreakGiveOneLine) {
  EXPECT_EQ(Plain("$$$LOGO.WMF 1 1 10 5\n" + BodyLine("A", 'b', "{") + "[Page break]\n" +
                  std::string(REPORT_PAGE_BREAK_LINE) + "\n"),
            "A" + std::string(79, ' ') + "\n");
}

TEST_F(PlainCopy, EachReportLineGivesOneLineHoweverLong) {
  const std::string text(300, 'x');
  EXPECT_EQ(Plain(text + "\tmarks\nshort\nlast without line end"),
            text + "\nshort\nlast without line end\n");
}

// Lines end at CR LF or LF, and a byte 0x1A is text like any other.
TEST_F(PlainCopy, LinesEndAtCrLfOrLfAndAByte1AIsText) {
  const std::string sub = "\x1A";
  EXPECT_EQ(Plain("one" + sub + "two\r\n$$$X.WMF 1 1 2 2\r\n[Page break]\r\n" +
                  std::string(REPORT_PAGE_BREAK_LINE) + "\r\nthree\tm\r\nlone\rCR\nlast" + sub),
            "one" + sub + "two\nthree\nlone\rCR\nlast" + sub + "\n");
}

TEST_F(PlainCopy, TheMarkersAreComparedWithCase) {
  EXPECT_EQ(Plain("[PAGE BREAK]\n$$ two dollars\n"), "[PAGE BREAK]\n$$ two dollars\n");
}

TEST(PlainReportLine, CutsAtTheFirstTabAndTheLineFeed) {
  EXPECT_EQ(PlainReportLine("a\tb\tc\n"), "a");
  EXPECT_EQ(PlainReportLine("\tonly marks\n"), "");
  EXPECT_EQ(PlainReportLine("$$$X.WMF 1 1 2 2\n"), std::nullopt);
}
