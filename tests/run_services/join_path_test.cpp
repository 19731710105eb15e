#include <gtest/gtest.h>

#include <string>

#include "runenv/run_services_face.h"

TEST(JoinPath, AppendsTheNameToTheFolder) {
  char buffer[64];
  EXPECT_EQ(JoinPath(buffer, "C:\\WORK\\", "AB12.TMP"), buffer);
  EXPECT_STREQ(buffer, "C:\\WORK\\AB12.TMP");
  EXPECT_STREQ(JoinPath(buffer, "", "AB12.TMP"), "AB12.TMP");
}

TEST(JoinPath, WithinRefusesWhatDoesNotFitWithItsTerminator) {
  char buffer[256];
  const std::string folder(250, 'F');
  ASSERT_TRUE(JoinPathWithin(buffer, sizeof buffer, folder.c_str(), "12345"));
  EXPECT_EQ(std::string(buffer), folder + "12345");  // 255 characters and the terminator

  // One character more, a folder alone too long, no room at all: refused, buffer empty.
  EXPECT_FALSE(JoinPathWithin(buffer, sizeof buffer, folder.c_str(), "123456"));
  EXPECT_STREQ(buffer, "");
  EXPECT_FALSE(JoinPathWithin(buffer, sizeof buffer, std::string(256, 'F').c_str(), ""));
  EXPECT_FALSE(JoinPathWithin(buffer, 0, "A", "B"));
  EXPECT_TRUE(JoinPathWithin(buffer, 3, "A", "B"));
  EXPECT_STREQ(buffer, "AB");
}
