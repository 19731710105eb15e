// Objects and members: RPNEW, RPALLO, RPFIND, RPDELE, handles and error words.
#include "tests/lumbra/repository_fixture.h"

using ObjectsTest = RepositoryTest;

TEST_F(ObjectsTest, IdsMatchBlankPaddedAndNulTerminatedCaseSensitively) {
  ASSERT_EQ(New("UNIT-7", "plate_heat_exchanger_unit_INPUT"), 0);
  EXPECT_EQ(Found("UNIT-7"), 1);  // blank-padded to 128

  const FileText terminated("UNIT-7");
  int64_t found = -1, err = -1;
  RPFIND(terminated.data(), terminated.length(), &found, &err);
  EXPECT_EQ(found, 1);
  EXPECT_EQ(err, 0);
  RPFIND("UNIT-7", 6, &found, &err);  // exact length, no padding at all
  EXPECT_EQ(found, 1);

  EXPECT_EQ(Found("unit-7"), 0);
  EXPECT_EQ(Found(" UNIT-7"), 0);
  EXPECT_EQ(Found("UNIT-"), 0);
}

TEST_F(ObjectsTest, UnitInputObjectIsDeletedWithEverythingAndCreatedEmptyAgain) {
  // The input driver's sequence, twice, with the host's record in between.
  for (int pass = 1; pass <= 2; ++pass) {
    if (Found("U1")) ASSERT_EQ(Dele("U1"), 0);
    int64_t object = 0, member = 0;
    ASSERT_EQ(New("U1", "plate_heat_exchanger_unit_INPUT", &object), 0);
    ASSERT_EQ(Allo("U1", "Exchanger_design_criteria", object, &member), 0);
    EXPECT_GT(object, 0);
    EXPECT_GT(member, 0);
    EXPECT_NE(member, object);
    EXPECT_EQ(LumbraProbeRecordCount("U1"), 1) << "pass " << pass;
    EXPECT_EQ(Put("U1", "PLATE_QUOR_UNIT_INPUT", {.ivals = {1, 4}, .rvals = {5.0}}), 0);
  }
  EXPECT_EQ(LumbraProbeObjectCount(), 1);
  EXPECT_EQ(LumbraProbeRecordCount("U1"), 2);

  ASSERT_EQ(Dele("U1"), 0);
  EXPECT_EQ(Found("U1"), 0);
  int64_t err = -1;
  EXPECT_EQ(Gets("U1", "PLATE_QUOR_UNIT_INPUT", &err), (std::array<int64_t, 6>{}));
  EXPECT_EQ(err, 2);
  EXPECT_EQ(Gets("U1", "Exchanger_design_criteria", &err), (std::array<int64_t, 6>{}));
  EXPECT_EQ(err, 2);
}

TEST_F(ObjectsTest, ResultObjectMembersNestUnderTheirParents) {
  int64_t object = 0, performance = 0, hot = 0, cold = 0;
  ASSERT_EQ(New("R1", "plate_heat_exchanger_unit", &object), 0);
  ASSERT_EQ(Allo("R1", "Exchanger_performance", object, &performance), 0);
  ASSERT_EQ(Allo("R1", "hotside_performance", performance, &hot), 0);
  ASSERT_EQ(Allo("R1", "coldside_performance", performance, &cold), 0);

  char parent[129];
  LumbraProbeMemberParent("R1", "Exchanger_performance", parent, sizeof parent);
  EXPECT_STREQ(parent, "R1");
  LumbraProbeMemberParent("R1", "coldside_performance", parent, sizeof parent);
  EXPECT_STREQ(parent, "Exchanger_performance");
  EXPECT_EQ(LumbraProbeMemberHandle("R1", "hotside_performance"), hot);
  EXPECT_EQ(LumbraProbeObjectHandle("R1"), object);
  EXPECT_EQ(LumbraProbeMemberParent("R1", "DOVI_PERFORMANCE", parent, sizeof parent), -1);

  // A member is a record of no elements until something is stored in it.
  int64_t err = -1;
  EXPECT_EQ(Gets("R1", "hotside_performance", &err), (std::array<int64_t, 6>{}));
  EXPECT_EQ(err, 0);
  EXPECT_EQ(Put("R1", "hotside_performance", {.rvals = {1.5, 2.5}}), 0);
  EXPECT_EQ(Get("R1", "hotside_performance").rvals, (std::vector<double>{1.5, 2.5}));
  EXPECT_EQ(LumbraProbeMemberHandle("R1", "hotside_performance"), hot);

  // Two blocks each have their own members of the same names.
  int64_t other = 0, other_performance = 0;
  ASSERT_EQ(New("R2", "plate_heat_exchanger_unit", &other), 0);
  EXPECT_EQ(Allo("R2", "Exchanger_performance", other, &other_performance), 0);
  EXPECT_NE(other_performance, performance);
}

TEST_F(ObjectsTest, CreationFailuresAnswerTheirErrorWordsAndChangeNothing) {
  int64_t object = 0, member = 0, handle = -1;
  ASSERT_EQ(New("R1", "plate_heat_exchanger_unit", &object), 0);
  ASSERT_EQ(Allo("R1", "Exchanger_performance", object, &member), 0);
  int64_t r2 = 0;
  ASSERT_EQ(New("R2", "plate_heat_exchanger_unit", &r2), 0);

  EXPECT_EQ(New("R1", "other_class", &handle), 4);  // already there
  EXPECT_EQ(handle, 0);
  EXPECT_EQ(Allo("R1", "Exchanger_performance", object, &handle), 5);  // name in use
  EXPECT_EQ(handle, 0);
  EXPECT_EQ(Allo("R1", "hotside_performance", r2, &handle), 6);  // another object's handle
  EXPECT_EQ(Allo("R1", "hotside_performance", 0, &handle), 6);
  EXPECT_EQ(Allo("R1", "hotside_performance", member + 1000, &handle), 6);
  EXPECT_EQ(Allo("NONE", "hotside_performance", object, &handle), 2);
  EXPECT_EQ(New("", "plate_heat_exchanger_unit", &handle), 7);
  EXPECT_EQ(New("R3", "", &handle), 7);
  EXPECT_EQ(Dele("NONE"), 2);

  char cls[64];
  LumbraProbeObjectClass("R1", cls, sizeof cls);
  EXPECT_STREQ(cls, "plate_heat_exchanger_unit");
  EXPECT_EQ(LumbraProbeRecordCount("R1"), 1);
  EXPECT_EQ(LumbraProbeObjectCount(), 2);
  EXPECT_NE(LastError().find("no object \"NONE\""), std::string::npos) << LastError();
}

TEST_F(ObjectsTest, StaleHandlesOfADeletedObjectMatchNothing) {
  int64_t old_object = 0, handle = -1;
  ASSERT_EQ(New("R1", "plate_heat_exchanger_unit", &old_object), 0);
  ASSERT_EQ(Dele("R1"), 0);
  int64_t object = 0;
  ASSERT_EQ(New("R1", "plate_heat_exchanger_unit", &object), 0);
  EXPECT_NE(object, old_object);
  EXPECT_EQ(Allo("R1", "Exchanger_performance", old_object, &handle), 6);
}

TEST_F(ObjectsTest, BadAddressesAndLengthsAnswerSevenWithoutTouchingMemory) {
  int64_t found = -1, err = -1, handle = -1;
  RPFIND(nullptr, 10, &found, &err);
  EXPECT_EQ(err, 7);
  EXPECT_EQ(found, 0);
  RPFIND("R1", -1, &found, &err);
  EXPECT_EQ(err, 7);
  RPFIND("R1", 2, nullptr, &err);
  EXPECT_EQ(err, 7);
  RPNEW("R1", 2, "c", 1, nullptr, &err);
  EXPECT_EQ(err, 7);
  RPALLO("R1", 2, "m", 1, nullptr, &handle, &err);
  EXPECT_EQ(err, 7);
  RPFIND("R1", 2, &found, nullptr);  // no error word to answer in: no crash
  EXPECT_EQ(LumbraProbeObjectCount(), 0);
}

TEST_F(ObjectsTest, CallLogShowsTheCallsInOrder) {
  int64_t object = 0;
  if (Found("U1")) Dele("U1");
  New("U1", "plate_heat_exchanger_unit_INPUT", &object);
  Allo("U1", "Exchanger_design_criteria", object);
  const std::vector<std::string> expected = {
      "RPFIND|U1", "RPNEW|U1|plate_heat_exchanger_unit_INPUT",
      "RPALLO|U1|Exchanger_design_criteria|" + std::to_string(object)};
  EXPECT_EQ(Calls(), expected);
  LumbraProbeClearCalls();
  EXPECT_EQ(LumbraProbeCallCount(), 0);
  EXPECT_EQ(LumbraProbeObjectCount(), 1);
}
