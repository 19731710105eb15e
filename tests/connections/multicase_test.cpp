#include <gtest/gtest.h>

#include "tests/connections/connection_fixture.h"

namespace {

class MultiCaseTest : public ConnectionTest {
 protected:
  // The host's call: two texts of their own lengths and a key.
  void SetMultiCaseInfo(std::string& first, std::string& second, std::string key = "BLOCK-1") {
    HANDLE_SETMULTICASEINFO(first.data(), static_cast<int64_t>(first.size()), second.data(),
                            static_cast<int64_t>(second.size()), key.data(),
                            static_cast<int64_t>(key.size()), "Vodi", 4);
  }
};

TEST_F(MultiCaseTest, TextsGoWithoutTrailingBlanksAndComeBackPaddedOrCut) {
  Open("BLOCK-1");
  const struct {
    std::string host;
    std::string sent;
    std::string back;
  } cases[] = {
      {"batch a   ", "batch a", "BATCH A/1 "},
      {"  lead  ", "  lead", "  LEAD/1"},
      {"batch a", "batch a", "BATCH A"},  // the answer is longer than the host's text
      {"          ", "", "/1        "},
  };
  for (const auto& c : cases) {
    std::string first = c.host;
    std::string second = "x  ";
    SetMultiCaseInfo(first, second);
    EXPECT_EQ(case_probe::MultiCaseText(1), c.sent) << '"' << c.host << '"';
    EXPECT_EQ(first, c.back) << '"' << c.host << '"';
    EXPECT_EQ(case_probe::MultiCaseText(2), "x");
    EXPECT_EQ(second, "X/2");
  }
  EXPECT_EQ(CaseProbeServerCount(), 2);  // the input call's connection served them
}

TEST_F(MultiCaseTest, AKeyWithoutAConnectionGetsOne) {
  OleInitialize(nullptr);
  std::string first = "a", second = "b  ";
  SetMultiCaseInfo(first, second, "BLOCK-9");
  EXPECT_EQ(Entries(), 1u);
  EXPECT_EQ(Key(0), "BLOCK-9             ");
  EXPECT_EQ(second, "B/2");
}

TEST_F(MultiCaseTest, TheHostKeepsItsTextsWhenTheServerDoesNotTakeThem) {
  // No server at all: OLE is not initialised, so nothing can be created.
  std::string first = "batch a   ", second = "case 2";
  SetMultiCaseInfo(first, second);
  EXPECT_EQ(first, "batch a   ");
  EXPECT_EQ(second, "case 2");

  // A server that refuses the call.
  Open("BLOCK-1");
  CaseProbeFailOperation("CaseServer::SetMultiCaseData", 1);
  SetMultiCaseInfo(first, second);
  EXPECT_EQ(first, "batch a   ");
  EXPECT_EQ(second, "case 2");
  EXPECT_EQ(case_probe::Log().back(), "CaseServer::SetMultiCaseData|batch a|case 2");
}

}  // namespace
