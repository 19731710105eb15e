// The placeable header: its layout, its checksum, and the check of a
// metafile file's front before any of its bits are trusted.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/drawing/metafiles_face.h"
#include "tests/drawing/container_bytes.h"

namespace {

std::string Hex(const unsigned char* bytes, std::size_t n) {
  std::string out;
  char two[4];
  for (std::size_t i = 0; i < n; ++i) {
    std::snprintf(two, sizeof two, "%02x ", bytes[i]);
    out += two;
  }
  return out;
}

TEST(PlaceableHeaderTest, BoxUnitsAndChecksum) {
  unsigned char header[PLACEABLE_HEADER_SIZE];
  ASSERT_TRUE(MakePlaceableHeader(0, 0, 9800, 4900, header));
  EXPECT_EQ(Hex(header, sizeof header),
            "d7 cd c6 9a 00 00 00 00 00 00 48 26 24 13 e8 03 00 00 00 00 95 61 ");
  EXPECT_EQ(PlaceableChecksum(header), 0x6195);
  ASSERT_TRUE(MakePlaceableHeader(-5, -32768, 32767, 1, header));
  EXPECT_EQ(header[6], 0xfb);
  EXPECT_EQ(header[7], 0xff);
  EXPECT_EQ(PlaceableChecksum(header), header[20] | header[21] << 8);
}

// A side the 16-bit box cannot hold makes no header rather than a wrapped one.
TEST(PlaceableHeaderTest, BoxOutsideSixteenBitsIsRefused) {
  unsigned char header[PLACEABLE_HEADER_SIZE] = {};
  EXPECT_FALSE(MakePlaceableHeader(0, 0, 9800, 32768, header));
  EXPECT_FALSE(MakePlaceableHeader(-32769, 0, 0, 0, header));
  EXPECT_EQ(header[0], 0);
}

// A placeable header for (0, 0, 100, 50) and a metafile header of the given
// size in words, then bits bytes.
std::string PlaceableFile(uint32_t words, std::size_t bits) {
  unsigned char header[PLACEABLE_HEADER_SIZE];
  MakePlaceableHeader(0, 0, 100, 50, header);
  std::string file(reinterpret_cast<const char*>(header), sizeof header);
  std::string metafile(METAFILE_HEADER_SIZE, '\0');
  metafile[0] = 1;
  metafile[2] = 9;
  std::memcpy(metafile.data() + 6, &words, 4);
  return file + metafile + std::string(bits, 'b');
}

struct CheckCase {
  const char* what;
  std::string file;
  PlaceableCheck expected;
};

class PlaceableCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(PlaceableCheckTest, ReadsOnlyWhatTheFileHolds) {
  const CheckCase& c = GetParam();
  WatchedBytes bytes(c.file);
  unsigned char header[PLACEABLE_HEADER_SIZE] = {};
  uint32_t bits = 0;
  EXPECT_EQ(CheckPlaceableMetafile(bytes, header, &bits), c.expected);
  EXPECT_EQ(bytes.outside, 0);
  if (c.expected == PlaceableCheck::sound) {
    EXPECT_EQ(std::memcmp(header, c.file.data(), PLACEABLE_HEADER_SIZE), 0);
    EXPECT_LE(bits + PLACEABLE_HEADER_SIZE, c.file.size());
  }
}

const std::string kKey("\xd7\xcd\xc6\x9a", 4);

INSTANTIATE_TEST_SUITE_P(
    Files, PlaceableCheckTest,
    ::testing::Values(
        CheckCase{"empty", "", PlaceableCheck::plain},
        CheckCase{"three bytes of the key", kKey.substr(0, 3), PlaceableCheck::plain},
        CheckCase{"no key", std::string(40, '\1'), PlaceableCheck::plain},
        CheckCase{"key only", kKey, PlaceableCheck::no_placeable_header},
        CheckCase{"header cut", PlaceableFile(9, 0).substr(0, 21),
                  PlaceableCheck::no_placeable_header},
        CheckCase{"metafile header cut", PlaceableFile(9, 0).substr(0, 39),
                  PlaceableCheck::no_metafile_header},
        CheckCase{"size zero", PlaceableFile(0, 0), PlaceableCheck::bad_size},
        CheckCase{"size under the header", PlaceableFile(8, 0), PlaceableCheck::bad_size},
        CheckCase{"size doubled overflows", PlaceableFile(0x80000000u, 0),
                  PlaceableCheck::bad_size},
        CheckCase{"size past the file", PlaceableFile(20, 3), PlaceableCheck::bad_size},
        CheckCase{"header only", PlaceableFile(9, 0), PlaceableCheck::sound},
        CheckCase{"with bits", PlaceableFile(12, 6), PlaceableCheck::sound},
        CheckCase{"bits and more", PlaceableFile(12, 60), PlaceableCheck::sound}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (ch == ' ') ch = '_';
      return name;
    });

}  // namespace
