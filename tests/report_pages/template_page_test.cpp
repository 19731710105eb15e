#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "report/pages/report_pages_face.h"
#include "report/screen/line_characters_face.h"
#include "tests/common/report_run.h"
#include "tests/common/template_files.h"

namespace {

using template_test::WriteTemplate;

class TemplatePage : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(TEMPLATE_INDEX_CACHE.name, ' ', sizeof TEMPLATE_INDEX_CACHE.name);
    REPORT_LANGUAGE_INDEX = 0;
    lan_ = run_.lan("");
    WriteTemplate(lan_, "P012.ENG", {"page one\r\n", "page two, longer\r\n", "page three\r\n"});
  }
  void TearDown() override { REPORT_LANGUAGE_INDEX = 0; }
  // The answer and the bytes read, "answer:bytes".
  std::string Read(const char* name, int32_t page) {
    char buffer[PAGE_TEXT_SIZE];
    std::memset(buffer, '#', sizeof buffer);
    std::size_t length = 99;
    const int32_t answer = ReadTemplatePage(name, buffer, page, &length);
    return std::to_string(answer) + ":" + std::string(buffer, length);
  }

  ReportRun run_;
  std::string lan_;
};

TEST_F(TemplatePage, APageIsReadThroughTheIndexWithOneByteMore) {
  EXPECT_EQ(Read("P012.ENG", 1), "0:page one\r\n");
  EXPECT_EQ(Read("P012.ENG", 2), "0:page two, longer\r\np");  // the next page's first byte
  EXPECT_EQ(Read("P012.ENG", 3), "0:page three\r\n");         // the last page: up to the end
}

TEST_F(TemplatePage, TheLastPageReadsAtMost2050Bytes) {
  WriteTemplate(lan_, "P013.ENG", {"first\r\n", std::string(3000, 'L')});
  EXPECT_EQ(Read("P013.ENG", 2), "0:" + std::string(2050, 'L'));
}

// An index that names more pages than its template holds: the pages past
// the template's end are not there.
TEST_F(TemplatePage, APageStartingPastTheTemplatesEndIsNoPage) {
  WriteBytes(lan_ + "P110INDX.FRE", template_test::IndexBytes({0, 11}));
  WriteBytes(lan_ + "P110.FRE", "page un\r\n");
  EXPECT_EQ(Read("P110.FRE", 1), "0:page un\r\n");
  EXPECT_EQ(Read("P110.FRE", 2), "-5:");
}

TEST_F(TemplatePage, EachFailureHasItsAnswer) {
  EXPECT_EQ(Read("P099.ENG", 1), "-1:");  // no index
  WriteBytes(lan_ + "P098INDX.ENG", "abc");
  EXPECT_EQ(Read("P098.ENG", 1), "-2:");  // an index shorter than 4 bytes
  for (int32_t page : {0, -1, 4}) EXPECT_EQ(Read("P012.ENG", page), "-3:") << page;
  WriteBytes(lan_ + "P097INDX.ENG", template_test::IndexBytes({0, 100, 50}));
  WriteBytes(lan_ + "P097.ENG", std::string(300, 'x'));
  EXPECT_EQ(Read("P097.ENG", 2), "-3:");  // a negative length
  WriteBytes(lan_ + "P096INDX.ENG", template_test::IndexBytes({0, 5}));
  EXPECT_EQ(Read("P096.ENG", 1), "-4:");  // an index without its template
  EXPECT_EQ(Read("P12.ENG", 1), "-1:");
  EXPECT_EQ(Read(nullptr, 1), "-1:");
}

TEST_F(TemplatePage, TheIndexIsReadOncePerTemplate) {
  EXPECT_EQ(Read("P012.ENG", 1), "0:page one\r\n");
  {
    // An index that could not be opened again is not needed again.
    const HeldOpen index(lan_ + "P012INDX.ENG");
    ASSERT_TRUE(index.held());
    EXPECT_EQ(Read("P012.ENG", 2).substr(0, 10), "0:page two");
  }
  // A template whose index cannot be read leaves the one in memory.
  EXPECT_EQ(Read("P099.ENG", 1), "-1:");
  EXPECT_EQ(Read("P012.ENG", 3), "0:page three\r\n");
  EXPECT_EQ(std::string(TEMPLATE_INDEX_CACHE.name, 8), "P012.ENG");
  EXPECT_EQ(TEMPLATE_INDEX_CACHE.index.count, 3);
}

void SetWriteTime(const std::string& path, uint64_t time) {
  const HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const FILETIME when{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &when));
  CloseHandle(file);
}

// The index in memory belongs to one file: another installation's template
// of the same name, or the template replaced on disk, has its own read.
TEST_F(TemplatePage, TheIndexInMemoryIsThatOfTheSameFile) {
  EXPECT_EQ(Read("P012.ENG", 2), "0:page two, longer\r\np");
  ScratchFolder second;
  WriteTemplate(second / "DAT\\LAN\\", "P012.ENG", {"1\r\n", "second installation\r\n", "3"});
  std::strcpy(FOLDER_BUFFERS.program_folder, second.path().c_str());
  EXPECT_EQ(Read("P012.ENG", 2), "0:second installation\r\n3");
  std::strcpy(FOLDER_BUFFERS.program_folder, run_.program().path().c_str());
  EXPECT_EQ(Read("P012.ENG", 2), "0:page two, longer\r\np");

  // Replaced by a template of other pages: an index of another size ...
  WriteTemplate(lan_, "P012.ENG", {"one\r\n", "two\r\n"});
  EXPECT_EQ(Read("P012.ENG", 2), "0:two\r\n");
  // ... or of the same size written at another time.
  WriteTemplate(lan_, "P012.ENG", {"first\r\n", "2nd\r\n"});
  SetWriteTime(lan_ + "P012INDX.ENG", 132000000000000000);
  EXPECT_EQ(Read("P012.ENG", 2), "0:2nd\r\n");
}

TEST_F(TemplatePage, OutsideTheLanguageFolderTheCurrentFolderIsTried) {
  ScratchFolder current;
  char previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof previous, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(current.path().c_str()));
  WriteTemplate(current.path(), "P020.GER", {"german page\r\n"});
  const std::string read = Read("P020.GER", 1);
  // Both from the language folder when they are there.
  WriteTemplate(lan_, "P020.GER", {"language folder page\r\n"});
  std::memset(TEMPLATE_INDEX_CACHE.name, ' ', 8);
  const std::string preferred = Read("P020.GER", 1);
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(read, "0:german page\r\n");
  EXPECT_EQ(preferred, "0:language folder page\r\n");
}

TEST_F(TemplatePage, ALanguageFolderPathThatDoesNotFitIsNotOpened) {
  std::strcpy(FOLDER_BUFFERS.program_folder,
              (run_.program().path() + std::string(240, 'P') + "\\").c_str());
  EXPECT_EQ(Read("P012.ENG", 1), "-1:");  // and the current folder has none
}

TEST_F(TemplatePage, ChinesePagesOfOtherLanguagesHaveTheirBoxesReplaced) {
  const std::string boxed = "\xDA\xC4\xBF\r\n\xB3 \xB3\r\n";
  WriteTemplate(lan_, "P030.ENG", {boxed});
  WriteTemplate(lan_, "P030.CHI", {boxed});
  REPORT_LANGUAGE_INDEX = CHINESE_LANGUAGE_INDEX;
  EXPECT_EQ(Read("P030.ENG", 1), "0:|-|\r\n| |\r\n");
  EXPECT_EQ(Read("P030.CHI", 1), "0:" + boxed);
  REPORT_LANGUAGE_INDEX = 1;
  EXPECT_EQ(Read("P030.ENG", 1), "0:" + boxed);
}

}  // namespace
