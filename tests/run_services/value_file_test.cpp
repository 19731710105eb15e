#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "runenv/run_services_face.h"
#include "tests/common/run_env_scratch.h"

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path);  // text mode, as the file was written
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(ValueFile, OpensForAppendingAndClosesOnce) {
  run_env_test::ScratchFolder scratch("zovkvf");
  const std::string first = scratch.path() + "\\VALUES.CSV";
  const std::string second = scratch.path() + "\\OTHER.CSV";
  EXPECT_EQ(VALUE_FILE, nullptr);  // none open yet in this process
  CloseValueFile();                // nothing open: nothing happens
  EXPECT_EQ(VALUE_FILE, nullptr);

  FILE* file = OpenValueFile(first.c_str());
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(VALUE_FILE, file);
  std::fputs("Duty,1.5,0\n", VALUE_FILE);

  // Opening another file closes the first: its buffered line is on the disk.
  ASSERT_NE(OpenValueFile(second.c_str()), nullptr);
  EXPECT_EQ(Contents(first), "Duty,1.5,0\n");
  CloseValueFile();
  EXPECT_EQ(VALUE_FILE, nullptr);
  CloseValueFile();
  EXPECT_EQ(VALUE_FILE, nullptr);

  // A second open appends.
  ASSERT_NE(OpenValueFile(first.c_str()), nullptr);
  std::fputs("Area,2,0\n", VALUE_FILE);
  CloseValueFile();
  EXPECT_EQ(Contents(first), "Duty,1.5,0\nArea,2,0\n");
}

TEST(ValueFile, FailedOpenLeavesNoneOpen) {
  run_env_test::ScratchFolder scratch("zovkvg");
  ASSERT_NE(OpenValueFile((scratch.path() + "\\VALUES.CSV").c_str()), nullptr);
  EXPECT_EQ(OpenValueFile((scratch.path() + "\\NO_SUCH_FOLDER\\VALUES.CSV").c_str()), nullptr);
  EXPECT_EQ(VALUE_FILE, nullptr);
  EXPECT_EQ(OpenValueFile(nullptr), nullptr);
  // The earlier file was closed, so it can be removed.
  EXPECT_EQ(std::remove((scratch.path() + "\\VALUES.CSV").c_str()), 0);
}
