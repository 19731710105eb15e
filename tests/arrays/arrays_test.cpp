#include "exchange/arrays_face.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "include/markers.h"
#include "include/test_seams.h"
#include "tests/common/loader_raise_fake.h"

namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

// A record's arrays as a routine keeps them: in its own static storage, so
// that what a raised call leaves is found again by the next call.
RecordArrays UNIT_RECORD;
RecordArrays STREAM_RECORD(40);

class Arrays : public testing::Test {
 protected:
  void SetUp() override {
    FailArrayAllocation(0);
    LOADER_RAISE_LOG = {};
    ASSERT_EQ(LiveArrayCount(), 0);
  }
  void TearDown() override {
    FailArrayAllocation(0);
    UNIT_RECORD.Free();
    STREAM_RECORD.Free();
    EXPECT_EQ(LiveArrayCount(), 0);
  }

  static void SetCounts(RecordArrays& r, int64_t n1, int64_t n2, int64_t n3, int64_t n4, int64_t n5,
                        int64_t n6) {
    r.N1 = n1, r.N2 = n2, r.N3 = n3, r.N4 = n4, r.N5 = n5, r.N6 = n6;
  }

  // Allocate as a routine calls it; answers the code raised, 0 for none.
  static int64_t AllocateCatchingRaise(RecordArrays& r) {
    try {
      EXPECT_TRUE(r.Allocate());
      return 0;
    } catch (const LoaderRaised& raised) {
      return raised.code;
    }
  }

  // Which of the six arrays are held, in the order of allocation.
  static std::string Held(const RecordArrays& r) {
    std::string s;
    for (bool h : {r.IVALS.held(), r.RVALS.held(), r.SVALS.held(), r.XVALS2.held(), r.XVALS4.held(),
                   r.XVALS6.held()})
      s += h ? 'x' : '-';
    return s;
  }
};

TEST_F(Arrays, CountsBelowOneAreRaisedAndTheArraysPreset) {
  SetCounts(UNIT_RECORD, 0, -5, 0, 0, 0, 0);
  ASSERT_EQ(AllocateCatchingRaise(UNIT_RECORD), 0);
  for (int64_t n : {UNIT_RECORD.N1, UNIT_RECORD.N2, UNIT_RECORD.N3, UNIT_RECORD.N4, UNIT_RECORD.N5,
                    UNIT_RECORD.N6})
    EXPECT_EQ(n, 1);
  EXPECT_EQ(Held(UNIT_RECORD), "xxxxxx");
  EXPECT_EQ(LiveArrayCount(), 6);
  EXPECT_EQ(UNIT_RECORD.IVALS.size(), 1);
  EXPECT_EQ(UNIT_RECORD.IVALS[0], 0);
  EXPECT_EQ(UNIT_RECORD.RVALS[0], 0.0);
  EXPECT_EQ(UNIT_RECORD.XVALS2[0], 0);
  EXPECT_EQ(UNIT_RECORD.XVALS6[0], 0);
  EXPECT_EQ(std::string(UNIT_RECORD.Text(1), 32), std::string(32, ' '));
  UNIT_RECORD.Free();
  EXPECT_EQ(Held(UNIT_RECORD), "------");
  EXPECT_EQ(LiveArrayCount(), 0);
}

TEST_F(Arrays, ArraysAreSizedFromTheCountsAndTheTextLength) {
  SetCounts(STREAM_RECORD, 9, 5, 150, 5, 100, 5);
  ASSERT_EQ(AllocateCatchingRaise(STREAM_RECORD), 0);
  EXPECT_EQ(STREAM_RECORD.IVALS.size(), 9);
  EXPECT_EQ(STREAM_RECORD.RVALS.size(), 150);
  EXPECT_EQ(STREAM_RECORD.SVALS.size(), 100 * 40);
  EXPECT_EQ(STREAM_RECORD.Text(100) + 40, STREAM_RECORD.SVALS.data() + 4000);
  EXPECT_EQ(STREAM_RECORD.RVALS[149], 0.0);
  EXPECT_EQ(STREAM_RECORD.SVALS[3999], ' ');
  // A new allocation replaces the old arrays rather than adding to them.
  SetCounts(STREAM_RECORD, 1, 1, 3, 1, 1, 1);
  ASSERT_EQ(AllocateCatchingRaise(STREAM_RECORD), 0);
  EXPECT_EQ(STREAM_RECORD.RVALS.size(), 3);
  EXPECT_EQ(LiveArrayCount(), 6);
}

// Each of the six allocations, failing, raises 1400 at once: the arrays after
// it are not attempted and those before it stay with the routine, in the
// order IVALS, RVALS, SVALS, XVALS2, XVALS4, XVALS6.
TEST_F(Arrays, EveryAllocationSiteRaisesNoMemoryAndLeavesNothingToPileUp) {
  const char* held_after_failure[] = {"------", "x-----", "xx----", "xxx---", "xxxx--", "xxxxx-"};
  for (int site = 1; site <= 6; ++site) {
    SCOPED_TRACE(site);
    LOADER_RAISE_LOG = {};
    SetCounts(UNIT_RECORD, 2, 0, 14, 0, 1, 0);
    FailArrayAllocation(site);
    EXPECT_EQ(AllocateCatchingRaise(UNIT_RECORD), NO_MEMORY_CODE);
    EXPECT_EQ(LOADER_RAISE_LOG.count, 1);
    EXPECT_EQ(Held(UNIT_RECORD), held_after_failure[site - 1]);
    EXPECT_EQ(LiveArrayCount(), site - 1);
  }
  // The next call of the routine frees what the raised one left.
  ASSERT_EQ(AllocateCatchingRaise(UNIT_RECORD), 0);
  EXPECT_EQ(LiveArrayCount(), 6);
}

TEST_F(Arrays, RepeatedRaisedCallsHoldNoMoreThanOneCallsArrays) {
  // A curve read holds several records; each failing call leaves at most
  // what that one call allocated.
  for (int call = 0; call < 5; ++call) {
    SetCounts(UNIT_RECORD, 3, 3, 3, 3, 3, 3);
    SetCounts(STREAM_RECORD, 3, 3, 3, 3, 3, 3);
    ASSERT_EQ(AllocateCatchingRaise(UNIT_RECORD), 0);
    FailArrayAllocation(4);
    EXPECT_EQ(AllocateCatchingRaise(STREAM_RECORD), NO_MEMORY_CODE);
    EXPECT_EQ(LiveArrayCount(), 6 + 3);
  }
  EXPECT_EQ(LOADER_RAISE_LOG.count, 5);
  ASSERT_EQ(AllocateCatchingRaise(STREAM_RECORD), 0);
  EXPECT_EQ(LiveArrayCount(), 12);
}

TEST_F(Arrays, AByteSizeBeyond64BitsRaisesWithoutAllocating) {
  struct Case {
    int64_t n1, n3, n5, n6;
    const char* held;
  } cases[] = {
      {kMax / 8 + 1, 1, 1, 1, "------"},   // IVALS: count × 8 overflows
      {1, kMax, 1, 1, "x-----"},           // RVALS
      {1, 1, kMax / 32 + 1, 1, "xx----"},  // SVALS: count × 32 characters overflows
      {1, 1, 1, kMax, "xxxxx-"},           // XVALS6
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.held);
    SetCounts(UNIT_RECORD, c.n1, 1, c.n3, 1, c.n5, c.n6);
    EXPECT_EQ(AllocateCatchingRaise(UNIT_RECORD), NO_MEMORY_CODE);
    EXPECT_EQ(Held(UNIT_RECORD), c.held);
  }
  // The largest count that just fits: its size passes the test and the
  // memory that is not there fails the allocation itself.
  SetCounts(UNIT_RECORD, 1, 1, kMax / 8, 1, 1, 1);
  EXPECT_EQ(AllocateCatchingRaise(UNIT_RECORD), NO_MEMORY_CODE);
  EXPECT_EQ(Held(UNIT_RECORD), "x-----");
  EXPECT_EQ(LOADER_RAISE_LOG.last_code, 1400);
}

TEST_F(Arrays, AnInjectedFailureHitsTheNthAllocationOnlyOnce) {
  HeapArray<double> a, b, c;
  FailArrayAllocation(2);
  EXPECT_TRUE(a.Allocate(4));
  EXPECT_FALSE(b.Allocate(4));
  EXPECT_FALSE(b.held());
  EXPECT_TRUE(c.Allocate(4));
  EXPECT_TRUE(b.Allocate(0));
  EXPECT_EQ(b.size(), 1);
  EXPECT_EQ(LiveArrayCount(), 3);
  EXPECT_EQ(LOADER_RAISE_LOG.count, 0);  // a bare array does not raise
}

}  // namespace
