#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "report/pages/report_pages_face.h"
#include "tests/common/field_data_text.h"

namespace {

using field_data_test::FieldList;
using field_data_test::Values;

std::string LittleEndian(const std::vector<int32_t>& offsets) {
  std::string bytes;
  for (int32_t o : offsets)
    for (int shift = 0; shift < 32; shift += 8)
      bytes += static_cast<char>((static_cast<uint32_t>(o) >> shift) & 0xFF);
  return bytes;
}

std::optional<TemplateIndex> Parse(const std::string& bytes) {
  return ParseTemplateIndex(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

TEST(TemplateIndex, OffsetsAreLittleEndianWordsAtMost200) {
  EXPECT_FALSE(Parse("abc"));
  EXPECT_FALSE(ParseTemplateIndex(nullptr, 8));
  const auto one = Parse(LittleEndian({513}) + "xyz");  // a part word is no offset
  ASSERT_TRUE(one);
  EXPECT_EQ(one->count, 1);
  EXPECT_EQ(one->offsets[0], 513);
  const auto negative = Parse(LittleEndian({0, -1, 0x12345678}));
  ASSERT_TRUE(negative);
  EXPECT_EQ(negative->count, 3);
  EXPECT_EQ(negative->offsets[1], -1);
  EXPECT_EQ(negative->offsets[2], 0x12345678);
  std::vector<int32_t> many(250);
  for (int i = 0; i < 250; ++i) many[i] = i * 10;
  const auto capped = Parse(LittleEndian(many));
  ASSERT_TRUE(capped);
  EXPECT_EQ(capped->count, 200);
  EXPECT_EQ(capped->offsets[199], 1990);
}

std::string Range(const std::vector<int32_t>& offsets, int32_t page) {
  const auto index = Parse(LittleEndian(offsets));
  const auto range = FindTemplatePageRange(*index, page);
  return range ? std::to_string(range->start) + "+" + std::to_string(range->length) : "-3";
}

TEST(TemplateIndex, APageStartsAfterThePreviousOffsetAndReadsOneByteMore) {
  const std::vector<int32_t> three{0, 100, 250};
  EXPECT_EQ(Range(three, 1), "0+101");
  EXPECT_EQ(Range(three, 2), "101+151");
  EXPECT_EQ(Range(three, 3), "251+2050");  // the last page: 2049 + 1
  EXPECT_EQ(Range({0}, 1), "0+2050");
  EXPECT_EQ(Range({0, 5000, 6000}, 1), "0+2050");  // never more than the buffer takes
}

TEST(TemplateIndex, PagesOutsideTheIndexOrWithNegativeRangesAreNone) {
  const std::vector<int32_t> three{0, 100, 250};
  for (int32_t page : {0, -1, 4, 1000}) EXPECT_EQ(Range(three, page), "-3") << page;
  EXPECT_EQ(Range({0, 100, 50}, 2), "-3");                      // a negative length
  EXPECT_EQ(Range({0, -10, 50}, 2), "-3");                      // a negative start
  EXPECT_EQ(Range({0, 2147483647, -2147483647 - 1}, 2), "-3");  // no overflow on the way
}

TEST(TemplateIndex, TheIndexFileIsNamedAfterItsTemplate) {
  char name[13];
  ASSERT_TRUE(TemplateIndexName("P012.ENG", name));
  EXPECT_STREQ(name, "P012INDX.ENG");
  EXPECT_FALSE(TemplateIndexName("P12.ENG", name));
  EXPECT_FALSE(TemplateIndexName("P0123.ENG", name));
  EXPECT_FALSE(TemplateIndexName(nullptr, name));
}

TEST(TemplateIndex, ThePageNumberIsCharacters5To8OfThePageId) {
  const struct {
    const char* page_id;
    int32_t page;
  } cases[] = {
      {"P0120003", 3}, {"P0120012", 12}, {"P012 3  ", 3}, {"P012-001", -1}, {"P012+7x9", 7},
      {"P012abcd", 0}, {"P012", 0},      {"P01", 0},      {"P01200034", 3},
  };
  for (const auto& c : cases) EXPECT_EQ(PageNumberOf(c.page_id), c.page) << c.page_id;
  EXPECT_EQ(PageNumberOf(nullptr), 0);
}

TEST(BoxCharacters, BecomePlainCharacters) {
  std::string text = "\xB3\xB4\xBF\xC0\xC1\xC2\xC3\xC4\xC5\xD9\xDA\xFD";
  const std::string others = "a\xB2\xC6\xDB|-";
  text += others;
  ReplaceChineseBoxCharacters(text.data(), text.size() - 2);
  EXPECT_EQ(text, "|||||||-|||2" + others);
  ReplaceChineseBoxCharacters(nullptr, 5);
}

TEST(FieldList, EndsAtByte25WithinTheFirst1999BytesAndTheLength) {
  std::string data = FieldList("12||abc|");
  EXPECT_EQ(TakeFieldList(data.data(), 100), 8u);  // the length is only an upper bound
  std::string nuls = FieldList("1|2|");
  nuls[1] = '\0';
  EXPECT_EQ(TakeFieldList(nuls.data(), static_cast<int64_t>(nuls.size())), 4u);
  EXPECT_EQ(nuls, FieldList("1 2|"));

  std::string cut = FieldList("12|");
  EXPECT_EQ(TakeFieldList(cut.data(), 3), std::nullopt);  // its byte 25 lies past the length
  EXPECT_EQ(cut, "\x19" + Values("2|") + "\x19");
  std::string late(1999, 'v');
  late += '\x19';
  EXPECT_EQ(TakeFieldList(late.data(), 2000), std::nullopt);
  EXPECT_EQ(late[0], '\x19');
  std::string just(1998, 'v');
  just += '\x19';
  EXPECT_EQ(TakeFieldList(just.data(), 1999), 1998u);
  std::string empty = "x";
  EXPECT_EQ(TakeFieldList(empty.data(), 0), std::nullopt);
  EXPECT_EQ(TakeFieldList(empty.data(), -5), std::nullopt);
  EXPECT_EQ(empty, "x");
  EXPECT_EQ(TakeFieldList(nullptr, 10), std::nullopt);
}

TEST(RequestPictures, RunFromTheFirstOpeningToTheLastClosingBracket) {
  const struct {
    std::string text;
    int64_t length;
    const char* refs;
  } cases[] = {
      {"x<A 1 1 2 2>y", 100, "<A 1 1 2 2>"},
      {"{B 1 1 2 2}<A 1 3 2 4>", 100, "<A 1 3 2 4>"},
      {"<A 1 1 2 2>{B 1 3 2 4}", 100, "<A 1 1 2 2>{B 1 3 2 4}"},
      {"{B 1 1 2 2} tail", 100, "{B 1 1 2 2}"},
      {"> <A 1 1 2 2", 100, ""},  // a '>' before the first '<' takes nothing
      {"no references", 100, ""},
      {"<A 1 1 2 2>", 5, ""},  // read within its length
      {"<A 1 1 2 2>", -1, ""},
      {"<" + std::string(260, 'x') + ">", 300, ""},  // only the first 255 characters
      {"<" + std::string(253, 'x') + ">", 300, nullptr},
  };
  for (const auto& c : cases) {
    std::strcpy(PICTURE_REFS, "earlier");
    TakeRequestPictureRefs(c.text.c_str(), c.length);
    EXPECT_EQ(std::string(PICTURE_REFS), c.refs ? c.refs : c.text) << c.text;
  }
  TakeRequestPictureRefs(nullptr, 10);
  EXPECT_STREQ(PICTURE_REFS, "");
}

}  // namespace
