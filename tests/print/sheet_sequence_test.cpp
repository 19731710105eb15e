// The sheets of a print pass: which pages are drawn, at which sheet
// position, and where each sheet of paper starts and ends.
#include "report/print/sheet_sequence.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "report/print/page_buffers.h"
#include "report/print/report_reader.h"
#include "tests/print/report_pages_sink.h"

namespace {

// The print job as the pass sees it, writing down each request.
class ActionLog : public SheetActions {
 public:
  bool StartSheet() override {
    log.push_back("start");
    return fail != "start";
  }
  bool PrintPage(int32_t p, int32_t page, int32_t lines) override {
    log.push_back("page " + std::to_string(page) + " at " + std::to_string(p) + " (" +
                  std::to_string(lines) + ")");
    return fail != "page";
  }
  bool EndSheet() override {
    log.push_back("end");
    return fail != "end";
  }
  std::vector<std::string> log;
  std::string fail;
};

struct Pass {
  std::vector<std::string> log;
  bool range_done;
  bool failed;
  int32_t drawn;
};

Pass RunPass(const std::string& layout, int32_t per_sheet, int32_t first, int32_t last,
             const std::string& fail = "") {
  ActionLog actions;
  actions.fail = fail;
  SheetSequence sequence(per_sheet, first, last, actions);
  int32_t pictures = 0;
  ReportReader reader("R.DQO", 0, pictures, sequence);
  const std::string report = LayoutReport(layout);
  for (std::size_t at = 0; at < report.size();) {
    const std::size_t end = report.find('\n', at) + 1;
    if (!reader.ReadPiece(std::string_view(report).substr(at, end - at))) break;
    at = end;
  }
  if (!sequence.range_done() && !sequence.failed()) reader.Finish();
  sequence.Finish();
  return {actions.log, sequence.range_done(), sequence.failed(), sequence.pages_drawn()};
}

using Log = std::vector<std::string>;

}  // namespace

TEST(SheetSequence, OnePageASheetStartsAndEndsASheetForEachPage) {
  const Pass pass = RunPass("PP", 1, 1, 1000);
  EXPECT_EQ(pass.log, (Log{"start", "page 1 at 1 (2)", "end", "start", "page 2 at 2 (2)", "end"}));
  EXPECT_EQ(pass.drawn, 2);
}

TEST(SheetSequence, ARangeInsideTheReportDrawsItsPagesOnOneSheetAndEndsThePass) {
  const Pass pass = RunPass("PPPPPP", 2, 3, 4);
  EXPECT_EQ(pass.log, (Log{"page 1 at 1 (2)", "page 2 at 2 (2)", "start", "page 3 at 3 (2)",
                           "page 4 at 4 (2)", "end"}));
  EXPECT_TRUE(pass.range_done);
  EXPECT_EQ(pass.drawn, 2);
}

TEST(SheetSequence, TheRangeCountsPageNumbersWhileABreakRestartsTheSheetPosition) {
  const Pass pass = RunPass("PP|PPP", 2, 3, 4);
  EXPECT_EQ(pass.log, (Log{"page 1 at 1 (2)", "page 2 at 2 (2)", "start", "page 3 at 1 (2)",
                           "page 4 at 2 (2)", "end"}));
}

TEST(SheetSequence, ARangeBeyondTheReportStartsNoSheet) {
  const Pass pass = RunPass("PPPPP", 1, 7, 8);
  EXPECT_EQ(pass.log.size(), 5u);
  for (const std::string& entry : pass.log) EXPECT_EQ(entry.rfind("page", 0), 0u) << entry;
  EXPECT_EQ(pass.drawn, 0);
  EXPECT_FALSE(pass.range_done);
}

TEST(SheetSequence, ABreakEndsAHalfFullSheetAndTheNextPageStartsANewOne) {
  const Pass pass = RunPass("PPP|P", 2, 1, 1000);
  EXPECT_EQ(pass.log, (Log{"start", "page 1 at 1 (2)", "page 2 at 2 (2)", "end", "start",
                           "page 3 at 3 (2)", "end", "start", "page 4 at 1 (2)", "end"}));
}

TEST(SheetSequence, AReportEndingOnABreakEndsEachSheetOnce) {
  const Pass pass = RunPass("||PPPPP||", 4, 1, 1000);
  EXPECT_EQ(pass.log, (Log{"start", "page 1 at 1 (2)", "page 2 at 2 (2)", "page 3 at 3 (2)",
                           "page 4 at 4 (2)", "end", "start", "page 5 at 5 (2)", "end"}));
}

TEST(SheetSequence, APassEndingAtItsRangeInAHalfFullSheetEndsThatSheet) {
  const Pass pass = RunPass("PPPP", 2, 1, 3);
  EXPECT_EQ(pass.log, (Log{"start", "page 1 at 1 (2)", "page 2 at 2 (2)", "end", "start",
                           "page 3 at 3 (2)", "end"}));
  EXPECT_TRUE(pass.range_done);
}

TEST(SheetSequence, AFailedRequestStopsThePassWithNothingMoreAsked) {
  EXPECT_EQ(RunPass("PP", 1, 1, 1000, "start").log, (Log{"start"}));
  const Pass page = RunPass("PP", 1, 1, 1000, "page");
  EXPECT_EQ(page.log, (Log{"start", "page 1 at 1 (2)"}));
  EXPECT_TRUE(page.failed);
  EXPECT_EQ(RunPass("PP", 1, 1, 1000, "end").log, (Log{"start", "page 1 at 1 (2)", "end"}));
}
