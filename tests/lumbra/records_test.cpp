// Records: RPPUTD, RPGETS and RPGETD, their bounds and their error words.
#include <cmath>
#include <cstring>
#include <limits>

#include "tests/lumbra/repository_fixture.h"

namespace {

constexpr double kMissingReal = 1.0E35;
constexpr int64_t kMissingInteger = 99999999;
constexpr int64_t kCanary = 0x5A5A5A5A5A5A5A5A;
constexpr char kCanaryChar = '@';

}  // namespace

class RecordsTest : public RepositoryTest {
 protected:
  void SetUp() override {
    RepositoryTest::SetUp();
    ASSERT_EQ(New("S1", "material_stream"), 0);
  }

  // The record's arrays read with the caller's own counts into buffers that
  // hold exactly those counts, followed by canaries.
  struct Guarded {
    std::vector<int64_t> ivals, xvals2, xvals4, xvals6;
    std::vector<double> rvals;
    std::string svals;
    int64_t err = -1;
  };
  static Guarded GetInto(std::string_view id, std::string_view record, std::array<int64_t, 6> n,
                         int64_t text_len) {
    Guarded g;
    const auto room = [](int64_t count) {
      return static_cast<std::size_t>(std::max<int64_t>(0, count)) + 1;
    };
    g.ivals.assign(room(n[0]), kCanary);
    g.xvals2.assign(room(n[1]), kCanary);
    g.rvals.assign(room(n[2]), -1.0);
    g.xvals4.assign(room(n[3]), kCanary);
    g.svals.assign(room(std::max<int64_t>(0, n[4]) * text_len), kCanaryChar);
    g.xvals6.assign(room(n[5]), kCanary);
    const Id key(id);
    const FixedText<32> name(record);
    std::array<int64_t, 6> counts = n;
    RPGETD(key.data(), key.length(), name.data(), name.length(), &counts[0], g.ivals.data(),
           &counts[1], g.xvals2.data(), &counts[2], g.rvals.data(), &counts[3], g.xvals4.data(),
           &counts[4], g.svals.data(), text_len, &counts[5], g.xvals6.data(), &g.err);
    EXPECT_EQ(counts, n) << "RPGETD changed the caller's counts";
    return g;
  }
};

TEST_F(RecordsTest, PerformanceRecordKeepsItsCountsAndValues) {
  Arrays performance{.ivals = {kMissingInteger}, .rvals = std::vector<double>(24, kMissingReal)};
  performance.rvals[0] = 1234.5;
  performance.rvals[3] = -12.0;
  ASSERT_EQ(New("R1", "plate_heat_exchanger_unit"), 0);
  ASSERT_EQ(Put("R1", "DOVI_PERFORMANCE", performance), 0);

  int64_t err = -1;
  EXPECT_EQ(Gets("R1", "DOVI_PERFORMANCE", &err), (std::array<int64_t, 6>{1, 0, 24, 0, 0, 0}));
  EXPECT_EQ(err, 0);
  const Arrays back = Get("R1", "DOVI_PERFORMANCE");
  EXPECT_EQ(back.ivals, performance.ivals);
  EXPECT_EQ(back.rvals, performance.rvals);
}

TEST_F(RecordsTest, StoringAgainReplacesTheWholeRecord) {
  ASSERT_EQ(Put("S1", "KVEM_MS_DATA",
                {.ivals = {1, 2, 3}, .rvals = {10.0, 300.0, 2.0E5, 0.0, 1.0}, .svals = {"A"}}),
            0);
  ASSERT_EQ(Put("S1", "KVEM_MS_DATA", {.rvals = {20.0}}), 0);
  EXPECT_EQ(Gets("S1", "KVEM_MS_DATA"), (std::array<int64_t, 6>{0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(Get("S1", "KVEM_MS_DATA").rvals, (std::vector<double>{20.0}));
  EXPECT_EQ(LumbraProbeRecordCount("S1"), 1);
}

TEST_F(RecordsTest, AllSixArraysKeepTheirElementsBitForBit) {
  const Arrays all{
      .ivals = {std::numeric_limits<int64_t>::min(), -1, 0, std::numeric_limits<int64_t>::max()},
      .xvals2 = {0xFFFFFFFFFFFFFFFFull, 1},
      .rvals = {-0.0, 0.1, 5e-324, kMissingReal},
      .xvals4 = {0x0123456789ABCDEFull},
      .svals = {"Water", "  leading", ""},
      .xvals6 = {42, 43, 44}};
  ASSERT_EQ(Put("S1", "ALL", all), 0);
  const Arrays back = Get("S1", "ALL");
  EXPECT_EQ(back.ivals, all.ivals);
  EXPECT_EQ(back.xvals2, all.xvals2);
  ASSERT_EQ(back.rvals.size(), 4u);
  EXPECT_TRUE(std::signbit(back.rvals[0]));
  EXPECT_EQ(back.rvals, all.rvals);
  EXPECT_EQ(back.xvals4, all.xvals4);
  EXPECT_EQ(back.svals,
            (std::vector<std::string>{std::string("Water") + std::string(27, ' '),
                                      "  leading" + std::string(23, ' '), std::string(32, ' ')}));
  EXPECT_EQ(back.xvals6, all.xvals6);
}

TEST_F(RecordsTest, TextsTakeTheReadersElementLengthPaddedOrCut) {
  ASSERT_EQ(Put("S1", "KVEM_MS_DATA",
                {.svals = {"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "short"}, .text_len = 32}),
            0);
  const Arrays wide = Get("S1", "KVEM_MS_DATA", 40);  // the hcurve stream read
  EXPECT_EQ(wide.svals[0], "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345        ");
  EXPECT_EQ(wide.svals[1], "short" + std::string(35, ' '));
  const Arrays narrow = Get("S1", "KVEM_MS_DATA", 8);
  EXPECT_EQ(narrow.svals[0], "ABCDEFGH");
  EXPECT_EQ(narrow.svals[1], "short   ");
}

TEST_F(RecordsTest, ReadsStopAtTheCallersCountsAndAtTheRecordsData) {
  ASSERT_EQ(Put("S1", "KVEM_MS_DATA",
                {.ivals = {1, 2, 3},
                 .xvals2 = {7, 8},
                 .rvals = {1.0, 2.0, 3.0, 4.0, 5.0},
                 .xvals4 = {9},
                 .svals = {"one", "two", "three"},
                 .xvals6 = {5, 6}}),
            0);
  struct Case {
    const char* what;
    std::array<int64_t, 6> asked;
    int64_t text_len;
    std::array<int64_t, 6> filled;  // elements that must hold the record's data
  };
  const Case cases[] = {
      {"fewer than held", {2, 1, 3, 0, 1, 1}, 32, {2, 1, 3, 0, 1, 1}},
      {"all held", {3, 2, 5, 1, 3, 2}, 40, {3, 2, 5, 1, 3, 2}},
      {"more than held", {9, 4, 150, 5, 100, 5}, 32, {3, 2, 5, 1, 3, 2}},
      {"none asked", {0, 0, 0, 0, 0, 0}, 32, {0, 0, 0, 0, 0, 0}},
      {"negative counts", {-1, -5, -1, -1, -1, -1}, 32, {0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Guarded g = GetInto("S1", "KVEM_MS_DATA", c.asked, c.text_len);
    EXPECT_EQ(g.err, 0);
    const auto room = [&](int i) {
      return static_cast<std::size_t>(std::max<int64_t>(0, c.asked[i]));
    };
    for (std::size_t i = 0; i < static_cast<std::size_t>(c.filled[0]); ++i)
      EXPECT_EQ(g.ivals[i], static_cast<int64_t>(i + 1));
    for (std::size_t i = c.filled[0]; i <= room(0); ++i) EXPECT_EQ(g.ivals[i], kCanary);
    for (std::size_t i = c.filled[1]; i <= room(1); ++i) EXPECT_EQ(g.xvals2[i], kCanary);
    for (std::size_t i = 0; i < static_cast<std::size_t>(c.filled[2]); ++i)
      EXPECT_EQ(g.rvals[i], static_cast<double>(i + 1));
    for (std::size_t i = c.filled[2]; i <= room(2); ++i) EXPECT_EQ(g.rvals[i], -1.0);
    for (std::size_t i = c.filled[3]; i <= room(3); ++i) EXPECT_EQ(g.xvals4[i], kCanary);
    for (std::size_t i = c.filled[5]; i <= room(5); ++i) EXPECT_EQ(g.xvals6[i], kCanary);
    const std::size_t text_bytes = static_cast<std::size_t>(c.filled[4] * c.text_len);
    if (c.filled[4] > 0) EXPECT_EQ(g.svals.substr(0, 3), "one");
    EXPECT_EQ(g.svals.find_first_not_of(kCanaryChar, text_bytes), std::string::npos)
        << "text bytes past the filled elements were written";
  }
}

TEST_F(RecordsTest, StatedHugeCountsStillCopyOnlyTheDataHeld) {
  ASSERT_EQ(Put("S1", "STHE_HRC_POINT", {.ivals = {2, 0, 1}, .rvals = {1.0}}), 0);
  const int64_t huge = int64_t{1} << 62;
  const int64_t stated[6] = {huge, 0, huge, 0, huge, 0};
  ASSERT_EQ(LumbraProbeSetCounts("S1", "STHE_HRC_POINT", stated), 0);
  int64_t err = -1;
  EXPECT_EQ(Gets("S1", "STHE_HRC_POINT", &err),
            (std::array<int64_t, 6>{huge, 0, huge, 0, huge, 0}));
  EXPECT_EQ(err, 0);

  // A caller that trusted the count but holds only a few elements.
  std::vector<int64_t> ivals(4, kCanary);
  std::vector<double> rvals(2, -1.0);
  std::string svals(8, kCanaryChar);
  int64_t n[6] = {huge, 0, huge, 0, huge, 0};
  const Id key("S1");
  const FixedText<32> name("STHE_HRC_POINT");
  RPGETD(key.data(), key.length(), name.data(), name.length(), &n[0], ivals.data(), &n[1], nullptr,
         &n[2], rvals.data(), &n[3], nullptr, &n[4], svals.data(), 32, &n[5], nullptr, &err);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(ivals, (std::vector<int64_t>{2, 0, 1, kCanary}));
  EXPECT_EQ(rvals, (std::vector<double>{1.0, -1.0}));
  EXPECT_EQ(svals, std::string(8, kCanaryChar));

  // Storing the record again forgets the stated counts.
  ASSERT_EQ(Put("S1", "STHE_HRC_POINT", {.ivals = {1}}), 0);
  EXPECT_EQ(Gets("S1", "STHE_HRC_POINT"), (std::array<int64_t, 6>{1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(LumbraProbeSetCounts("S1", "NONE", stated), 3);
  EXPECT_EQ(LumbraProbeSetCounts("NONE", "STHE_HRC_POINT", stated), 2);
}

TEST_F(RecordsTest, RaisedCountsOfAnEmptyRecordReachTheCallerUnchanged) {
  // The curve reading raises counts of 0 to 1 and passes them on.
  ASSERT_EQ(Put("S1", "STHE_HRC_POINT", {}), 0);
  EXPECT_EQ(Gets("S1", "STHE_HRC_POINT"), (std::array<int64_t, 6>{}));
  const Guarded g = GetInto("S1", "STHE_HRC_POINT", {1, 1, 1, 1, 1, 1}, 32);
  EXPECT_EQ(g.err, 0);
  EXPECT_EQ(g.ivals[0], kCanary);
  EXPECT_EQ(g.rvals[0], -1.0);
}

TEST_F(RecordsTest, MissingObjectsAndRecordsAnswerCountsOfZeroAndLeaveArraysAlone) {
  struct Case {
    const char* id;
    const char* record;
    int64_t err;
  };
  for (const Case& c : {Case{"NONE", "KVEM_MS_DATA", 2}, Case{"S1", "KVEM_MS_DATA", 3}}) {
    SCOPED_TRACE(c.id);
    int64_t err = -1;
    EXPECT_EQ(Gets(c.id, c.record, &err), (std::array<int64_t, 6>{}));
    EXPECT_EQ(err, c.err);
    const Guarded g = GetInto(c.id, c.record, {2, 2, 2, 2, 2, 2}, 32);
    EXPECT_EQ(g.err, c.err);
    EXPECT_EQ(g.ivals, std::vector<int64_t>(3, kCanary));
    EXPECT_EQ(g.rvals, std::vector<double>(3, -1.0));
    EXPECT_EQ(g.svals, std::string(65, kCanaryChar));
  }
}

TEST_F(RecordsTest, FaultyStoresAnswerTheirErrorWordsAndKeepTheRecord) {
  ASSERT_EQ(Put("S1", "KVEM_MS_DATA", {.rvals = {1.0, 2.0}}), 0);
  EXPECT_EQ(Put("NONE", "KVEM_MS_DATA", {.rvals = {1.0}}), 2);
  EXPECT_EQ(Put("S1", "", {.rvals = {1.0}}), 7);

  const Id key("S1");
  const FixedText<32> name("KVEM_MS_DATA");
  double rvals[1] = {9.0};
  int64_t zero = 0, one = 1, negative = -3, err = -1;
  // A count with no array behind it.
  RPPUTD(key.data(), key.length(), name.data(), name.length(), &one, nullptr, &zero, nullptr, &one,
         rvals, &zero, nullptr, &zero, nullptr, 32, &zero, nullptr, &err);
  EXPECT_EQ(err, 7);
  // A negative count, and a negative text length.
  RPPUTD(key.data(), key.length(), name.data(), name.length(), &zero, nullptr, &zero, nullptr,
         &negative, rvals, &zero, nullptr, &zero, nullptr, 32, &zero, nullptr, &err);
  EXPECT_EQ(err, 7);
  RPPUTD(key.data(), key.length(), name.data(), name.length(), &zero, nullptr, &zero, nullptr, &one,
         rvals, &zero, nullptr, &zero, nullptr, -1, &zero, nullptr, &err);
  EXPECT_EQ(err, 7);
  // Texts whose byte size cannot exist.
  char text[1] = {' '};
  int64_t many = int64_t{1} << 62;
  RPPUTD(key.data(), key.length(), name.data(), name.length(), &zero, nullptr, &zero, nullptr, &one,
         rvals, &zero, nullptr, &many, text, 32, &zero, nullptr, &err);
  EXPECT_EQ(err, 7);

  EXPECT_EQ(Get("S1", "KVEM_MS_DATA").rvals, (std::vector<double>{1.0, 2.0}));
}

TEST_F(RecordsTest, ReadsIntoMissingArraysAnswerSevenAndFillNothing) {
  ASSERT_EQ(Put("S1", "KVEM_MS_DATA", {.ivals = {5}, .rvals = {1.0}}), 0);
  const Id key("S1");
  const FixedText<32> name("KVEM_MS_DATA");
  int64_t ivals[1] = {kCanary};
  int64_t one = 1, zero = 0, err = -1;
  RPGETD(key.data(), key.length(), name.data(), name.length(), &one, ivals, &zero, nullptr, &one,
         nullptr, &zero, nullptr, &zero, nullptr, 32, &zero, nullptr, &err);
  EXPECT_EQ(err, 7);
  EXPECT_EQ(ivals[0], kCanary);
}
