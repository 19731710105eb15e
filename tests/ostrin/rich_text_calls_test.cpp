#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "include/rich_text.h"
#include "standins/ostrin/rich_text_probe.h"
#include "tests/common/field_data_text.h"
#include "tests/common/rich_text_log.h"
#include "tests/common/scratch_folder.h"

namespace {

using field_data_test::Values;
using rich_text_test::Calls;
using Lines = std::vector<std::string>;

class RichTextStandIn : public ::testing::Test {
 protected:
  void SetUp() override { OstrinProbeReset(); }
  void TearDown() override { OstrinProbeReset(); }
  ScratchFolder folder_;
  const std::string document_ = folder_ / "REPORT.ORT";
};

TEST_F(RichTextStandIn, IsOffUntilTheProbeSwitchesItOn) {
  OstrinProbeSetDocument(document_.c_str());
  EXPECT_EQ(IsRTFEnabled(), 0);
  EXPECT_EQ(PageBreak(), 0);
  EXPECT_EQ(SectionStart("Off"), 0);
  EXPECT_FALSE(Exists(document_));
  OstrinProbeSetEnabled(1);
  EXPECT_EQ(IsRTFEnabled(), 1);
  OstrinProbeSetEnabled(0);
  EXPECT_EQ(IsRTFEnabled(), 0);
  EXPECT_EQ(Calls(), (Lines{"IsRTFEnabled", "PageBreak", "SectionStart(Off)", "IsRTFEnabled",
                            "IsRTFEnabled"}));
}

TEST_F(RichTextStandIn, EachMarkerWritesOneLineOfTheDocument) {
  OstrinProbeSetEnabled(1);
  OstrinProbeSetDocument(document_.c_str());
  EXPECT_EQ(SectionStart("Heat balance"), 1);
  EXPECT_EQ(PageBreak(), 1);
  EXPECT_EQ(ComponentBreak(), 1);
  EXPECT_EQ(TOCBreak(), 1);
  EXPECT_EQ(SectionEnd(), 1);
  EXPECT_EQ(SectionStart(nullptr), 1);
  EXPECT_EQ(ReadBytes(document_),
            "\\section Heat balance\n\\page\n\\component\n\\toc\n\\endsection\n\\section \n");
  EXPECT_EQ(Calls(), (Lines{"SectionStart(Heat balance)", "PageBreak", "ComponentBreak", "TOCBreak",
                            "SectionEnd", "SectionStart(null)"}));
}

TEST_F(RichTextStandIn, ParseRtfFillsOnePageOfTheTemplate) {
  const std::string path = folder_ / "P012.RENG";
  WriteBytes(path, "[P0120001]\r\nDuty \\v{1} kW, area \\v{2}\r\n[P0120002]\r\nOther\r\n");
  OstrinProbeSetEnabled(1);
  OstrinProbeSetDocument(document_.c_str());
  EXPECT_EQ(ParseRTF(path.c_str(), "P0120001", Values("12.5|3.1|").c_str()), 1);
  EXPECT_EQ(ReadBytes(document_), "Duty 12.5 kW, area 3.1\n");
  // Neither a missing page nor a missing template writes anything.
  EXPECT_EQ(ParseRTF(path.c_str(), "P0120009", ""), 0);
  EXPECT_EQ(ParseRTF((folder_ / "NONE.RENG").c_str(), "P0120001", ""), 0);
  EXPECT_EQ(ParseRTF(path.c_str(), nullptr, nullptr), 0);
  EXPECT_EQ(ReadBytes(document_), "Duty 12.5 kW, area 3.1\n");
  EXPECT_EQ(Calls()[0], "ParseRTF(" + path + ", P0120001, " + Values("12.5|3.1|") + ")");
  EXPECT_EQ(Calls()[3], "ParseRTF(" + path + ", null, null)");
}

TEST_F(RichTextStandIn, WithoutADocumentTheCallsAreOnlyLogged) {
  OstrinProbeSetEnabled(1);
  EXPECT_EQ(PageBreak(), 1);
  OstrinProbeSetDocument((folder_ / "NO\\SUCH\\FOLDER.ORT").c_str());
  EXPECT_EQ(PageBreak(), 0);  // a document that cannot be written
  EXPECT_EQ(OstrinProbeCallCount(), 2);
  EXPECT_EQ(OstrinProbeCallName(2, nullptr, 0), -1);
  EXPECT_EQ(OstrinProbeCallText(0, 0, nullptr, 0), -1);
  OstrinProbeReset();
  EXPECT_EQ(OstrinProbeCallCount(), 0);
  EXPECT_EQ(IsRTFEnabled(), 0);
}

}  // namespace
