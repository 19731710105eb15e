#include "standins/caseserver/case_file.h"

#include <gtest/gtest.h>

#include <string>

#include "standins/caseserver/program_catalogue.h"

namespace {

ProgramCase SampleCase() {
  ProgramCase c("Vodi");
  CaseVariable& flow = c.Define(Collection::ArrayInputs, "FlowRate", 2);
  flow.entries[0] = {"   1.00000000000000", 1, ""};
  flow.entries[1] = {"", 2, ""};
  CaseVariable& msgs = c.Define(Collection::ArrayResults, "arTavikMsgs", 3);
  msgs.entries[0] = {"", 0, " 6"};
  msgs.entries[2] = {"", 0, "53"};
  c.Define(Collection::ScalarInputs, "PlateProgMode", 1).entries[0] = {"   1", 1, ""};
  c.Define(Collection::ScalarResults, "HTCDirty", 1);
  c.Define(Collection::ArrayInputs, "Remarks", 0);
  return c;
}

TEST(CaseFile, RoundTripKeepsEveryVariableAndEntry) {
  ProgramCase c = SampleCase();
  // Texts that need quoting: quotes, backslashes, control bytes, leading and
  // trailing blanks, bytes above 127, and a name with a blank.
  c.Define(Collection::ArrayInputs, "Odd name", 1).entries[0] = {"a\"b\\c\td\r\n\x7f end  ", -7,
                                                                 "\xe9t\xe9 \"x\""};
  const auto back = ParseCaseFile(FormatCaseFile(c));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, c);
}

TEST(CaseFile, NewProgramCaseRoundTrips) {
  const ProgramCase c = *NewProgramCase("Vodi");
  const std::string text = FormatCaseFile(c);
  EXPECT_EQ(ParseCaseFile(text), c);
  // A new case has only blank entries, so none is listed.
  EXPECT_EQ(text.find("\nentry "), std::string::npos);
}

TEST(CaseFile, ReadsWhatAPersonWouldWrite) {
  const auto c = ParseCaseFile(
      "QXN-CASE 1\r\n"
      "# a case typed by hand\r\n"
      "program \"Vodi\"\r\n"
      "\r\n"
      "variable ArrayInputs \"FlowRate\" 2\r\n"
      "  entry 2   1 \"  2.5\"\r\n"
      "variable ArrayResults \"arTavikMsgs\" 1\r\n"
      "entry 1 0 \"\" \" 6\"\r\n"
      "end\r\n"
      "\r\n");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->program(), "Vodi");
  const CaseVariable* flow = c->Find(Collection::ArrayInputs, "FlowRate");
  ASSERT_NE(flow, nullptr);
  EXPECT_EQ(*flow->entry(1), CaseEntry{});
  EXPECT_EQ(*flow->entry(2), (CaseEntry{"  2.5", 1, ""}));
  EXPECT_EQ(c->Find(Collection::ArrayResults, "arTavikMsgs")->entry(1)->text, " 6");
}

TEST(CaseFile, RefusesAnythingButACompleteCaseFile) {
  const std::string head = "QXN-CASE 1\nprogram \"Vodi\"\n";
  const std::string good = head + "variable ArrayInputs \"FlowRate\" 2\nentry 1 1 \"1\"\nend\n";
  ASSERT_TRUE(ParseCaseFile(good));
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"empty file", ""},
      {"other first line", "QXN-CASE 2\nprogram \"Vodi\"\nend\n"},
      {"no end line (cut short)", head + "variable ArrayInputs \"FlowRate\" 2\n"},
      {"text after the end", good + "variable ArrayInputs \"X\" 1\n"},
      {"no program line", "QXN-CASE 1\nend\n"},
      {"entry before any variable", head + "entry 1 1 \"1\"\nend\n"},
      {"entry beyond the count", head + "variable ArrayInputs \"F\" 2\nentry 3 1 \"1\"\nend\n"},
      {"entry at index 0", head + "variable ArrayInputs \"F\" 2\nentry 0 1 \"1\"\nend\n"},
      {"unknown collection", head + "variable Inputs \"F\" 2\nend\n"},
      {"scalar with two entries", head + "variable ScalarInputs \"P\" 2\nend\n"},
      {"count too large", head + "variable ArrayInputs \"F\" 40000\nend\n"},
      {"variable named twice",
       head + "variable ArrayInputs \"F\" 1\nvariable ArrayInputs \"F\" 1\nend\n"},
      {"unquoted value", head + "variable ArrayInputs \"F\" 1\nentry 1 1 1.0\nend\n"},
      {"unterminated quote", head + "variable ArrayInputs \"F\" 1\nentry 1 1 \"1.0\nend\n"},
      {"bad escape", head + "variable ArrayInputs \"F\" 1\nentry 1 1 \"\\q\"\nend\n"},
      {"flag not a number", head + "variable ArrayInputs \"F\" 1\nentry 1 yes \"1\"\nend\n"},
      {"unknown keyword", head + "marks ArrayInputs \"F\" 1\nend\n"},
  };
  for (const auto& c : cases) EXPECT_FALSE(ParseCaseFile(c.text)) << c.what;
}

}  // namespace
