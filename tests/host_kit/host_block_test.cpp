#include "tests/common/host_arguments.h"

#include <gtest/gtest.h>

#include "include/fixed_text.h"
#include "standins/host/host_arrays.h"

namespace {

using host::HostBlock;
using host::ParseHostBlock;

std::vector<std::string> Minimal() {
  return {"result=R",   "unit=U",      "hot_in=HI",  "cold_in=CI",
          "hot_out=HO", "cold_out=CO", "case=B.QXN", "key=K"};
}

TEST(HostBlock, ReadsEveryEntryIntoItsPlace) {
  auto entries = Minimal();
  entries.insert(entries.end(), {"hot_curve=H1", "hot_curve=H2", "cold_curve=C1", "hot_property=2",
                                 "levels=1", "hot_levels=4e5 3e5", "output_mode=1", "host_id3=X"});
  std::string error;
  const auto b = ParseHostBlock(entries, 64, error);
  ASSERT_TRUE(b) << error;
  EXPECT_EQ(b->hot_curves, (std::vector<std::string>{"H1", "H2"}));
  EXPECT_EQ(b->cold_curves, (std::vector<std::string>{"C1"}));
  EXPECT_EQ(b->hot_property, 2);
  EXPECT_EQ(b->levels_asked, 1);
  EXPECT_EQ(b->hot_levels[0], 4e5);
  EXPECT_EQ(b->hot_levels[1], 3e5);
  EXPECT_EQ(b->hot_levels[2], MISSING_REAL);
  EXPECT_EQ(b->output_mode, 1);

  // The host's arrays: curves from HOST_IDS(8), hot first; the unit at (20).
  host::HostIds ids = host::RunIds(*b);
  EXPECT_EQ(*ids.count(), 20);
  EXPECT_EQ(fixed::Trimmed(ids.at(3)), "X");
  EXPECT_EQ(fixed::Trimmed(ids.at(8)), "H1");
  EXPECT_EQ(fixed::Trimmed(ids.at(9)), "H2");
  EXPECT_EQ(fixed::Trimmed(ids.at(10)), "C1");
  EXPECT_EQ(fixed::Trimmed(ids.at(11)), "");
  EXPECT_EQ(fixed::Trimmed(ids.at(20)), "U");
  const auto out = host::OutputOptions(*b, 1);
  EXPECT_EQ(out[1], 2);
  EXPECT_EQ(out[2], 1);
  EXPECT_EQ(out[7], 1);
  EXPECT_EQ(out[10], 2);
}

TEST(HostBlock, TheResultIdStandsInForAMissingThirdId) {
  std::string error;
  const auto b = ParseHostBlock(Minimal(), 64, error);
  ASSERT_TRUE(b) << error;
  EXPECT_EQ(b->host_id3, "R");
  EXPECT_EQ(b->levels_asked, 3);
  EXPECT_EQ(b->output_mode, 2);
}

TEST(HostBlock, RefusesWhatTheHostCannotHand) {
  const struct {
    const char* what;
    std::vector<std::string> change;  // added to the minimal block
    const char* drop;                 // a key left out, or null
  } cases[] = {
      {"unknown key", {"colour=red"}, nullptr},
      {"no key=value", {"levels"}, nullptr},
      {"not a number", {"levels=three"}, nullptr},
      {"number with a tail", {"output_mode=2x"}, nullptr},
      {"five host levels", {"hot_levels=1 2 3 4 5"}, nullptr},
      {"id longer than the element", {"hot_curve=" + std::string(65, 'c')}, nullptr},
      {"blank id", {"hot_curve="}, nullptr},
      {"missing result", {}, "result="},
      {"missing key", {}, "key="},
  };
  for (const auto& c : cases) {
    std::vector<std::string> entries;
    for (const auto& e : Minimal())
      if (!c.drop || e.rfind(c.drop, 0) != 0) entries.push_back(e);
    entries.insert(entries.end(), c.change.begin(), c.change.end());
    std::string error;
    EXPECT_FALSE(ParseHostBlock(entries, 64, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

TEST(HostBlock, RefusesMoreCurvesThanTheIdArrayHolds) {
  auto eleven_hot = Minimal();
  for (int i = 0; i < 11; ++i) eleven_hot.push_back("hot_curve=H" + std::to_string(i));
  auto thirteen = Minimal();
  for (int i = 0; i < 7; ++i) thirteen.push_back("hot_curve=H" + std::to_string(i));
  for (int i = 0; i < 6; ++i) thirteen.push_back("cold_curve=C" + std::to_string(i));
  auto twelve = Minimal();
  for (int i = 0; i < 6; ++i) twelve.push_back("hot_curve=H" + std::to_string(i));
  for (int i = 0; i < 6; ++i) twelve.push_back("cold_curve=C" + std::to_string(i));
  std::string error;
  EXPECT_FALSE(ParseHostBlock(eleven_hot, 64, error));
  EXPECT_FALSE(ParseHostBlock(thirteen, 64, error));
  EXPECT_TRUE(ParseHostBlock(twelve, 64, error)) << error;
}

}  // namespace
