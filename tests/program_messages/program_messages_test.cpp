#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "exchange/exchange_face.h"
#include "tests/common/exchange_case.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;

constexpr int64_t kUntouched = -777;

class ProgramMessagesTest : public ExchangeCaseTest {
 protected:
  void SetUp() override {
    ExchangeCaseTest::SetUp();
    codes.fill(kUntouched);
  }
  // The program's message lines, as it would have left them.
  static void SetMessages(const std::vector<const char*>& lines) {
    ASSERT_TRUE(CaseProbeDefineVariable(AR, "arTavikMsgs", static_cast<int>(lines.size())));
    for (std::size_t i = 0; i < lines.size(); ++i)
      SetLine(AR, "arTavikMsgs", static_cast<int>(i + 1), lines[i]);
    CaseProbeClearLog();
  }
  void Get() { GET_PROGRAM_MESSAGES(&case_data, &count, codes.data()); }

  int64_t count = 0;
  // Room past the capacity, to see that nothing is written beyond it.
  std::array<int64_t, MESSAGE_CODES_CAPACITY + 20> codes;
};

TEST_F(ProgramMessagesTest, EachLineGivesItsCodeAndABlankLineLeavesTheHostsValue) {
  SetMessages({" 6", "", "53"});
  Get();
  EXPECT_EQ(count, 3);
  EXPECT_EQ(codes[0], 6);
  EXPECT_EQ(codes[1], kUntouched);
  EXPECT_EQ(codes[2], 53);
  EXPECT_EQ(codes[3], kUntouched);
  EXPECT_THAT(VariableCalls(), ElementsAre("GetCount|arTavikMsgs", "GetText|arTavikMsgs|1",
                                           "GetText|arTavikMsgs|2", "GetText|arTavikMsgs|3"));
}

TEST_F(ProgramMessagesTest, LinesThatAreNotWholeNumbersLeaveTheHostsValue) {
  SetMessages({"abc", "12abc", "  40  ", "1.5", "-3"});
  Get();
  EXPECT_EQ(count, 5);
  EXPECT_THAT(std::vector<int64_t>(codes.begin(), codes.begin() + 6),
              ElementsAre(kUntouched, kUntouched, 40, kUntouched, -3, kUntouched));
}

TEST_F(ProgramMessagesTest, NoMessagesOrNoMessageVariableGiveCountZero) {
  SetMessages({});
  count = 9;  // whatever the word held before
  Get();
  EXPECT_EQ(count, 0);
  EXPECT_THAT(codes, Each(kUntouched));

  ASSERT_TRUE(CaseProbeRemoveVariable(AR, "arTavikMsgs"));
  count = 9;
  Get();
  EXPECT_EQ(count, 0);
  EXPECT_THAT(codes, Each(kUntouched));
}

TEST_F(ProgramMessagesTest, NoMoreCodesThanTheCapacityAndACountThatSaysSo) {
  std::vector<std::string> texts;
  for (int i = 1; i <= MESSAGE_CODES_CAPACITY + 10; ++i) texts.push_back(std::to_string(i));
  std::vector<const char*> lines;
  for (const std::string& t : texts) lines.push_back(t.c_str());
  SetMessages(lines);
  count = int64_t{0x7fff} << 48;  // high bits that a 16-bit store would leave behind
  Get();
  EXPECT_EQ(count, MESSAGE_CODES_CAPACITY);
  for (int64_t i = 0; i < MESSAGE_CODES_CAPACITY; ++i) EXPECT_EQ(codes[i], i + 1);
  for (std::size_t i = MESSAGE_CODES_CAPACITY; i < codes.size(); ++i)
    EXPECT_EQ(codes[i], kUntouched);
  EXPECT_EQ(VariableCalls({"GetText"}).size(), static_cast<std::size_t>(MESSAGE_CODES_CAPACITY));
}

TEST_F(ProgramMessagesTest, ACountTheServerDoesNotGiveReadsAsNoMessages) {
  SetMessages({"6", "53"});
  CaseProbeFailOperation("ArrayVariable::GetCount", 1);
  count = 4;
  Get();
  EXPECT_EQ(count, 0);
  EXPECT_THAT(codes, Each(kUntouched));
  EXPECT_THAT(VariableCalls(), ElementsAre("GetCount|arTavikMsgs"));
}

}  // namespace
