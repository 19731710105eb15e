#include "services/results_lines.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runenv/run_services_face.h"
#include "tests/common/scratch_folder.h"

namespace {

// Each test writes into a fresh results-line file and reads back what a reader
// of the file sees, line ends as "\n".
class ResultsLines : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(OpenValueFile(file_.c_str()), nullptr); }
  void TearDown() override { CloseValueFile(); }

  std::string Written() {
    CloseValueFile();
    std::string text = ReadBytes(file_);
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
  }

  ScratchFolder folder_;
  std::string file_ = folder_ / "RESULTS.TXT";
};

TEST_F(ResultsLines, ValueLinesKeepTheNameAsGivenAndSkipZerosOnlyWhenAsked) {
  const float zero = 0.0f, area = 1.5f, small = 0.1f;
  const int32_t none = 0, count = -42;
  WriteRealIfNonZero("SKIPPED", 7, &zero);
  WriteReal("DUTY", 4, &zero);
  WriteReal("AREA  XX", 6, &area);  // trailing blanks of the field belong to the name
  WriteRealIfNonZero("GAP\0IGNORED", 11, &small);
  WriteIntegerIfNonZero("SKIPPED", 7, &none);
  WriteInteger("PASSES", 6, &count);
  EXPECT_EQ(Written(),
            "DUTY,0.000000,0\n"
            "AREA  ,1.500000,0\n"
            "GAP,0.100000,0\n"
            "PASSES,-42,0\n");
}

TEST_F(ResultsLines, LinesEndWithThePlatformLineEnd) {
  const int32_t one = 1;
  WriteInteger("N", 1, &one);
  CloseValueFile();
  EXPECT_EQ(ReadBytes(file_), "N,1,0\r\n");
}

TEST_F(ResultsLines, ArraysStopAtTheLastNonZeroElement) {
  const float reals[] = {1.5f, 0.0f, 2.0f, 0.0f, 0.0f};
  const char flags[] = "ABCDE";
  const int64_t integers[] = {0, 7, 0, 0};
  const float zeros[] = {0.0f, 0.0f};
  const int32_t five = 5, four = 4, two = 2;
  WriteRealArray("T", 1, reals, &five);
  WriteFlaggedRealArray("F", 1, reals, flags, 1, &five);
  WriteIntegerArray("I", 1, integers, &four);
  WriteRealArray("Z", 1, zeros, &two);
  WriteFlaggedRealArray("Z", 1, zeros, flags, 1, &two);
  EXPECT_EQ(Written(),
            "T,0,3\n1.500000, \n , \n2.000000, \n"
            "F,0,3\n1.500000,A\n , \n2.000000,C\n"
            "I,0,2\n , \n7, \n");
}

TEST_F(ResultsLines, WholeArraysWriteEveryElement) {
  const float reals[] = {1.5f, 0.0f, 2.0f, 0.0f, 0.0f};
  const char flags[] = "ABCDE";
  const int32_t integers[] = {3, 0, -1};
  const int32_t five = 5, three = 3, zero = 0;
  WriteWholeRealArray("T", 1, reals, &five);
  WriteWholeFlaggedRealArray("F", 1, reals, flags, 1, &three);
  WriteWholeIntegerArray("I", 1, integers, &three);
  WriteWholeRealArray("EMPTY", 5, reals, &zero);
  WriteWholeIntegerArray("EMPTY", 5, integers, &zero);
  EXPECT_EQ(Written(),
            "T,0,5\n1.500000, \n0.000000, \n2.000000, \n0.000000, \n0.000000, \n"
            "F,0,3\n1.500000,A\n0.000000,B\n2.000000,C\n"
            "I,0,3\n3, \n0, \n-1, \n");
}

TEST_F(ResultsLines, WideIntegersAreWrittenWhole) {
  const int64_t values[] = {5000000000LL, -4294967297LL};
  const int32_t two = 2;
  WriteIntegerArray("BIG", 3, values, &two);
  EXPECT_EQ(Written(), "BIG,0,2\n5000000000, \n-4294967297, \n");
}

TEST_F(ResultsLines, TextValuesReplaceQuotesAndComeToTheAnsiCodePage) {
  WriteTextValue("SIZE", 4, "12\" PIPE  ", 10);
  WriteTextValue("SKIPPED", 7, " LEADING BLANK", 14);
  WriteTextValue("SKIPPED", 7, "", 0);
  WriteTextValue("CAFE", 4, "caf\x82", 4);  // e-acute in the OEM code page
  EXPECT_EQ(Written(),
            "SIZE,\"12in PIPE  \",0\n"
            "CAFE,\"caf\xE9\",0\n");
}

TEST_F(ResultsLines, TextArraysStopAtTheLastElementThatHoldsAText) {
  const char elements[] = "ABC     DEF \"Q \0   ";
  const int32_t five = 5;
  WriteTextArray("NAMES", 5, elements, 4, &five);
  const int32_t two = 2;
  WriteTextArray("BLANK", 5, "    \0   ", 4, &two);
  EXPECT_EQ(Written(), "NAMES,0,4\n\"ABC \", \n\"    \", \n\"DEF \", \n\"inQ \", \n");
}

TEST_F(ResultsLines, MessageLinesNameTheirKind) {
  const int32_t number = 12, integer1 = 4, integer2 = 5, integer3 = 3;
  const float real1 = 1.5f, real2 = 2.25f;
  const struct {
    int32_t kind;
    const char* word;
  } kinds[] = {{1, "Warning"}, {2, "Limit"}, {3, "Error"}, {4, "Suggestion"}, {5, "Note"}};
  std::string expected;
  for (const auto& k : kinds) {
    WriteMessageLine(&number, &k.kind, &real1, &integer1, &real2, &integer2, &integer3);
    expected += std::string("Message,") + k.word + ";  12; 3;1.500000; 4;2.250000; 5,0\n";
  }
  for (const int32_t kind : {0, 6, -1})
    WriteMessageLine(&number, &kind, &real1, &integer1, &real2, &integer2, &integer3);
  EXPECT_EQ(Written(), expected);
}

TEST(FormatMessageLine, FormatsIntoTheDestinationOnlyWhenTheLineFits) {
  const int32_t number = 1234, kind = 3, bad_kind = 6, i1 = 1, i2 = 2, i3 = 99;
  const float r1 = -0.5f, r2 = 3.0f;
  const std::string line = "Message,Error;1234;99;-0.500000; 1;3.000000; 2,0\n";
  char exact[64];
  ASSERT_LT(line.size() + 1, sizeof exact);
  EXPECT_EQ(FormatMessageLine(exact, static_cast<int32_t>(line.size() + 1), &number, &kind, &r1,
                              &i1, &r2, &i2, &i3),
            1);
  EXPECT_STREQ(exact, line.c_str());

  char small[64] = "UNCHANGED";
  EXPECT_EQ(FormatMessageLine(small, static_cast<int32_t>(line.size()), &number, &kind, &r1, &i1,
                              &r2, &i2, &i3),
            0);
  EXPECT_EQ(FormatMessageLine(small, 64, &number, &bad_kind, &r1, &i1, &r2, &i2, &i3), 0);
  EXPECT_STREQ(small, "UNCHANGED");
}

TEST_F(ResultsLines, WhatDoesNotFitItsBufferIsRefusedWhole) {
  const float one = 1.0f;
  const int32_t two = 2;
  const std::string name255(255, 'N'), name256(256, 'N');
  const std::string text127(127, 'T'), quoted128(126, 'T');
  WriteReal(name256.c_str(), 256, &one);
  WriteReal(name255.c_str(), 255, &one);
  WriteTextValue(name255.c_str(), 128, "X", 1);
  WriteTextValue(name255.c_str(), 127, text127.c_str(), 127);
  WriteTextValue("Q", 1, (quoted128 + "\"").c_str(), 127);  // 128 once the quote grows
  const std::string elements = std::string(254, 'E') + "\"" + std::string(255, 'E');
  WriteTextArray("A", 1, elements.c_str(), 255, &two);  // the first element grows to 256
  const float reals[] = {1.0f, 2.0f};
  WriteRealArray(name256.c_str(), 256, reals, &two);
  EXPECT_EQ(Written(),
            name255 + ",1.000000,0\n" + std::string(127, 'N') + ",\"" + text127 + "\",0\n");
}

TEST(ReplaceQuotesWithIn, GrowsInPlaceWithinItsCapacity) {
  char text[10] = "A\"B\"";
  EXPECT_EQ(ReplaceQuotesWithIn(text, 7), 1);
  EXPECT_STREQ(text, "AinBin");
  char tight[10] = "\"\"\"";
  EXPECT_EQ(ReplaceQuotesWithIn(tight, 6), 0);
  EXPECT_STREQ(tight, "\"\"\"");
  EXPECT_EQ(ReplaceQuotesWithIn(tight, 7), 1);
  EXPECT_STREQ(tight, "ininin");
}

TEST(CopyToDoubleBlank, CopiesUpToTheFirstDoubleBlankOrTheCount) {
  const struct {
    const char* source;
    int32_t source_len;
    int32_t count;
    int32_t destination_len;
    int32_t copied;
    const char* expected;
  } cases[] = {
      {"AB CD  EF", 9, 3, 8, 5, "AB CD..."},  {"AB CD EF", 8, 4, 8, 4, "AB C...."},
      {"AB CD EF", 8, 20, 8, 8, "AB CD EF"},   // never past the source's end
      {"AB\0CD  ", 7, 6, 8, 2, "AB......"},    // the source ends at its NUL
      {"ABCDEFG  ", 9, 0, 6, -1, "........"},  // too long for the destination
      {"  AB", 4, 3, 8, 0, "........"},
  };
  for (const auto& c : cases) {
    char destination[9] = "........";
    EXPECT_EQ(CopyToDoubleBlank(destination, c.destination_len, c.source, c.source_len, &c.count),
              c.copied)
        << c.source;
    EXPECT_STREQ(destination, c.expected) << c.source;
  }
}

TEST_F(ResultsLines, RawTextIsWrittenAsItIsWithinItsLength) {
  WriteRawText("HEADER ", 7);
  WriteRawText("ABCDEF", 3);
  WriteRawText("XY\0Z", 4);
  EXPECT_EQ(Written(), "HEADER ABCXY");
}

TEST_F(ResultsLines, WritersDoNothingOnceTheFileIsClosed) {
  const int32_t one = 1;
  const float real = 1.0f;
  WriteInteger("BEFORE", 6, &one);
  CloseValueFile();
  WriteInteger("AFTER", 5, &one);
  WriteReal("AFTER", 5, &real);
  WriteTextValue("AFTER", 5, "X", 1);
  WriteRawText("AFTER", 5);
  WriteMessageLine(&one, &one, &real, &one, &real, &one, &one);
  EXPECT_EQ(Written(), "BEFORE,1,0\n");
}

}  // namespace
