// The repository's text format: a dump reads back into the same store, and a
// faulty text is refused whole, naming its line.
#include <cmath>

#include "tests/lumbra/repository_fixture.h"

using TextFormatTest = RepositoryTest;

namespace {

constexpr const char* kBlock = R"(# A block as the host leaves it
class plate_heat_exchanger_unit_INPUT
class "material_stream"

object "U1" class plate_heat_exchanger_unit_INPUT
  member "Exchanger_design_criteria"
  record "PLATE_QUOR_UNIT_INPUT"
    ivals 2
      1 4        # program mode, heat-balance choice
    rvals 3
      1e35 0.0002 +150
    svals 2
      "Hot side"  "say \"hi\" \\ \x01"
  end
end

object "Stream 1" class material_stream
  record KVEM_MS_DATA
    rvals 5 10.5 350 2.0E5 0 1
    xvals2 2 0xFFFFFFFFFFFFFFFF -2
  end
end
)";

}  // namespace

TEST_F(TextFormatTest, ABlockLoadsIntoObjectsMembersAndRecords) {
  ASSERT_EQ(LumbraProbeLoadText(kBlock), 0) << LastError();
  EXPECT_EQ(LumbraProbeClassDeclared("material_stream"), 1);
  EXPECT_EQ(LumbraProbeClassDeclared("plate_heat_exchanger_unit"), 0);
  EXPECT_EQ(LumbraProbeObjectCount(), 2);
  EXPECT_GT(LumbraProbeMemberHandle("U1", "Exchanger_design_criteria"), 0);

  const Arrays unit = Get("U1", "PLATE_QUOR_UNIT_INPUT");
  EXPECT_EQ(unit.ivals, (std::vector<int64_t>{1, 4}));
  EXPECT_EQ(unit.rvals, (std::vector<double>{1e35, 0.0002, 150.0}));
  EXPECT_EQ(unit.svals[0], "Hot side" + std::string(24, ' '));
  EXPECT_EQ(unit.svals[1], "say \"hi\" \\ \x01" + std::string(20, ' '));

  const Arrays stream = Get("Stream 1", "KVEM_MS_DATA");  // an id with a blank inside
  EXPECT_EQ(stream.rvals, (std::vector<double>{10.5, 350.0, 2.0E5, 0.0, 1.0}));
  EXPECT_EQ(stream.xvals2, (std::vector<uint64_t>{0xFFFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFEull}));

  // Members created afterwards can hang under a loaded member's handle.
  EXPECT_EQ(Allo("U1", "sub", LumbraProbeMemberHandle("U1", "Exchanger_design_criteria")), 0);
}

TEST_F(TextFormatTest, ADumpReadsBackIntoTheSameStore) {
  int64_t object = 0, performance = 0;
  ASSERT_EQ(New("R1", "plate_heat_exchanger_unit", &object), 0);
  ASSERT_EQ(Allo("R1", "Exchanger_performance", object, &performance), 0);
  ASSERT_EQ(Allo("R1", "hotside_performance", performance), 0);
  ASSERT_EQ(Put("R1", "hotside_performance", {.rvals = {3.0}}), 0);
  ASSERT_EQ(Allo("R1", "coldside_performance", performance), 0);
  ASSERT_EQ(Put("R1", "DOVI_PERFORMANCE",
                {.ivals = {99999999, INT64_MIN},
                 .xvals2 = {0x8000000000000001ull},
                 .rvals = {0.1, -0.0, 5e-324, 1.7976931348623157e308, 1e35, NAN, INFINITY},
                 .xvals4 = {1, 2, 3, 4, 5},
                 .svals = {"tab\there", "quote\" back\\slash", "", "  lead"},
                 .xvals6 = {0}}),
            0);
  ASSERT_EQ(Put("R1", "EMPTY", {}), 0);
  ASSERT_EQ(New("C 1", "heat_release_curve"), 0);
  ASSERT_EQ(Put("C 1", "STHE_HRC_POINT", {.ivals = {2, 0, 1}}), 0);
  const int64_t stated[6] = {int64_t{1} << 62, 0, 0, 0, 0, 7};
  ASSERT_EQ(LumbraProbeSetCounts("C 1", "STHE_HRC_POINT", stated), 0);

  const std::string first = Dump();
  const Arrays before = Get("R1", "DOVI_PERFORMANCE");
  LumbraProbeReset();
  ASSERT_EQ(LumbraProbeLoadText(first.c_str()), 0) << LastError() << "\n" << first;
  EXPECT_EQ(Dump(), first);

  const Arrays after = Get("R1", "DOVI_PERFORMANCE");
  EXPECT_EQ(after.ivals, before.ivals);
  EXPECT_EQ(after.xvals2, before.xvals2);
  ASSERT_EQ(after.rvals.size(), before.rvals.size());
  for (std::size_t i = 0; i < after.rvals.size(); ++i) {
    if (std::isnan(before.rvals[i]))
      EXPECT_TRUE(std::isnan(after.rvals[i]));
    else
      EXPECT_EQ(std::memcmp(&after.rvals[i], &before.rvals[i], sizeof(double)), 0) << "real " << i;
  }
  EXPECT_EQ(after.svals, before.svals);
  EXPECT_EQ(after.xvals4, before.xvals4);
  EXPECT_EQ(Get("R1", "hotside_performance").rvals, (std::vector<double>{3.0}));
  EXPECT_EQ(Gets("C 1", "STHE_HRC_POINT"),
            (std::array<int64_t, 6>{int64_t{1} << 62, 0, 0, 0, 0, 7}));
  char parent[64];
  LumbraProbeMemberParent("R1", "coldside_performance", parent, sizeof parent);
  EXPECT_STREQ(parent, "Exchanger_performance");
  char name[64];
  LumbraProbeRecordName("R1", 4, name, sizeof name);  // records keep their order
  EXPECT_STREQ(name, "DOVI_PERFORMANCE");
  LumbraProbeRecordName("R1", 5, name, sizeof name);
  EXPECT_STREQ(name, "EMPTY");
}

TEST_F(TextFormatTest, AnObjectInATextReplacesTheStoredOneOfItsId) {
  ASSERT_EQ(New("S1", "material_stream"), 0);
  ASSERT_EQ(Put("S1", "OLD", {.ivals = {1}}), 0);
  ASSERT_EQ(New("S2", "material_stream"), 0);
  ASSERT_EQ(LumbraProbeLoadText("object S1 class material_stream record NEW rvals 1 2 end end"), 0);
  int64_t err = -1;
  Gets("S1", "OLD", &err);
  EXPECT_EQ(err, 3);
  EXPECT_EQ(Get("S1", "NEW").rvals, (std::vector<double>{2.0}));
  EXPECT_EQ(Found("S2"), 1);
}

TEST_F(TextFormatTest, FaultyTextsAreRefusedWholeNamingTheLine) {
  struct Case {
    const char* text;
    int line;
    const char* says;
  };
  const Case cases[] = {
      {"class A\nclas B\n", 2, "expected \"class\" or \"object\""},
      {"object X\n", 2, "expected \"class\" after the object id"},
      {"object X class C\n  record R\n", 3, "the file ends inside record \"R\""},
      {"object X class C\n", 2, "the file ends inside object \"X\""},
      {"object X class C\nrecord R\nrvals 3\n1 2\nend\nend\n", 5, "value 3 of 3"},
      {"object X class C\nrecord R\nivals 1 1.5\nend\nend\n", 3, "value 1 of 1"},
      {"object X class C\nrecord R\nivals -2\nend\nend\n", 3, "expected a count"},
      {"object X class C\nrecord R\nrvals 1 1\nrvals 1 2\nend\nend\n", 4, "appears twice"},
      {"object X class C\nrecord R end\nrecord R end\nend\n", 3, "appears twice"},
      {"object X class C end\nobject X class C end\n", 2, "appears twice"},
      {"object X class C\nmember M under N\nend\n", 2, "not an earlier member"},
      {"object X class C\nmember M\nmember M\nend\n", 3, "appears twice"},
      {"object \"  \" class C end\n", 1, "blank"},
      {"class \"open\n", 1, "not closed"},
      {"class \"C:\\dir\"\n", 1, "unknown escape"},
      {"object X class C\nrecord R\nxvals2 1 0x1FFFFFFFFFFFFFFFF\nend\nend\n", 3, "value 1 of 1"},
      {"object X class C\nrecord R\ncounts 1 2 3\nend\nend\n", 4, "six counts"},
      {"object X class C\nrecord R\nsvals 1\n", 4, "value 1 of 1"},
  };
  ASSERT_EQ(LumbraProbeLoadText("\xEF\xBB\xBF"
                                "class KEPT"),
            0);  // an editor's byte order mark
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(LumbraProbeLoadText(c.text), 1);
    const std::string error = LastError();
    EXPECT_NE(error.find("line " + std::to_string(c.line) + ":"), std::string::npos) << error;
    EXPECT_NE(error.find(c.says), std::string::npos) << error;
  }
  EXPECT_EQ(LumbraProbeObjectCount(), 0);
  EXPECT_EQ(LumbraProbeClassDeclared("A"), 0);
  EXPECT_EQ(LumbraProbeClassDeclared("KEPT"), 1);
}
