#include "drivers/case_link_face.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Bytes placed at the very end of readable memory: the page after them cannot
// be read, so a routine reading past them stops the test at once.
class GuardedBytes {
 public:
  explicit GuardedBytes(std::size_t size) : size_(size) {
    const std::size_t page = 4096;
    pages_ = (size + page - 1) / page + 1;
    base_ = static_cast<char*>(
        VirtualAlloc(nullptr, pages_ * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(base_ + (pages_ - 1) * page, page, PAGE_NOACCESS, &old);
    data_ = base_ + (pages_ - 1) * page - size;
  }
  ~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;
  char* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  std::size_t size_;
  std::size_t pages_;
  char* base_;
  char* data_;
};

// The host's ids: count elements of length characters, element k reading
// "<prefix>k" padded with blanks, nothing readable after the last one.
class HostIds {
 public:
  HostIds(int64_t count, int64_t length, const std::string& prefix = "ID")
      : count_(count), length_(length), bytes_(static_cast<std::size_t>(count * length)) {
    for (int64_t k = 1; k <= count; ++k) {
      std::string element = prefix + std::to_string(k);
      element.resize(static_cast<std::size_t>(length), ' ');
      std::memcpy(bytes_.data() + (k - 1) * length, element.data(), element.size());
    }
  }
  const int64_t* count() const { return &count_; }
  const char* ids() const { return bytes_.data(); }
  int64_t length() const { return length_; }

 private:
  int64_t count_;
  int64_t length_;
  GuardedBytes bytes_;
};

// The host's option words, nothing readable after the last one.
class HostOptions {
 public:
  HostOptions(const std::vector<int64_t>& words)
      : count_(static_cast<int64_t>(words.size())), bytes_(words.size() * sizeof(int64_t)) {
    std::memcpy(bytes_.data(), words.data(), bytes_.size());
  }
  const int64_t* count() const { return &count_; }
  const int64_t* words() const { return reinterpret_cast<const int64_t*>(bytes_.data()); }

 private:
  int64_t count_;
  GuardedBytes bytes_;
};

bool Execute(const HostIds& ids, const HostOptions& options) {
  return LINK_EXECUTE_BLOCK(ids.count(), ids.ids(), ids.length(), options.count(), options.words());
}

bool Output(const HostIds& ids, const HostOptions& options) {
  return LINK_OUTPUT_BLOCK(ids.count(), ids.ids(), ids.length(), options.count(), options.words());
}

// The curve list as texts, trailing blanks dropped.
std::vector<std::string> Ids(const FixedText<128> (&list)[CURVE_IDS_PER_SIDE]) {
  std::vector<std::string> out;
  for (const FixedText<128>& id : list) out.push_back(id.str());
  return out;
}

std::vector<std::string> List(std::initializer_list<std::string> first) {
  std::vector<std::string> out(first);
  out.resize(CURVE_IDS_PER_SIDE);
  return out;
}

// The stream ids as HOST_IDS(4) to (7) named them.
void ExpectStreams(const std::string& prefix) {
  EXPECT_EQ(CASE_LINK.HOTIN, prefix + "4");
  EXPECT_EQ(CASE_LINK.COLDIN, prefix + "5");
  EXPECT_EQ(CASE_LINK.HOTOUT, prefix + "6");
  EXPECT_EQ(CASE_LINK.COLDOUT, prefix + "7");
}

}  // namespace

// Runs first: no driver has filled the record yet in this process.
TEST(CaseLink, ZeroBytesBeforeTheFirstCall) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&CASE_LINK);
  for (std::size_t i = 0; i < sizeof CASE_LINK; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
  // So an id that no call has set matches no host id, a blank one included.
  EXPECT_FALSE(CASE_LINK.COLDCURVE[0] == std::string(128, ' '));
}

TEST(CaseLink, OutputBeforeAnyExecuteLeavesUnsetEntriesUnset) {
  ASSERT_TRUE(Output(HostIds(8, 16), HostOptions({0, 1, 0})));
  EXPECT_EQ(CASE_LINK.HOTCURVE[0], "ID8");
  EXPECT_EQ(CASE_LINK.HOTCURVE[1].view(), std::string(128, '\0'));
  EXPECT_EQ(CASE_LINK.COLDCURVE[0].view(), std::string(128, '\0'));
  EXPECT_EQ(CASE_LINK.HOSTID3.view(), std::string(128, '\0'));
  EXPECT_EQ(CASE_LINK.HOTPROP, 0);
}

TEST(CaseLink, ExecuteBlanksTheListsAndFillsEveryMember) {
  // An earlier block with full lists, then one with two hot curves and one cold.
  ASSERT_TRUE(Execute(HostIds(19, 16, "OLD"), HostOptions({10, 2, 0, 0})));
  const HostIds ids(10, 16);  // exactly the ids the block names
  ASSERT_TRUE(Execute(ids, HostOptions({2, 1, 1, 2})));

  EXPECT_EQ(CASE_LINK.NHOT, 2);
  EXPECT_EQ(CASE_LINK.NCOLD, 1);
  EXPECT_EQ(Ids(CASE_LINK.HOTCURVE), List({"ID8", "ID9"}));
  EXPECT_EQ(Ids(CASE_LINK.COLDCURVE), List({"ID10"}));
  EXPECT_EQ(CASE_LINK.HOSTID3, "ID3");
  ExpectStreams("ID");
  EXPECT_EQ(CASE_LINK.HOTPROP, 1);
  EXPECT_EQ(CASE_LINK.COLDPROP, 2);
}

TEST(CaseLink, LargestBlocksAndNoCurvesAreTaken) {
  ASSERT_TRUE(Execute(HostIds(19, 8), HostOptions({10, 2, 0, 0})));
  EXPECT_EQ(Ids(CASE_LINK.HOTCURVE),
            List({"ID8", "ID9", "ID10", "ID11", "ID12", "ID13", "ID14", "ID15", "ID16", "ID17"}));
  EXPECT_EQ(Ids(CASE_LINK.COLDCURVE), List({"ID18", "ID19"}));

  ASSERT_TRUE(Execute(HostIds(7, 8), HostOptions({0, 0, 0, 0})));
  EXPECT_EQ(Ids(CASE_LINK.HOTCURVE), List({}));
  EXPECT_EQ(Ids(CASE_LINK.COLDCURVE), List({}));
  EXPECT_EQ(CASE_LINK.COLDOUT, "ID7");
}

TEST(CaseLink, IdsAreCutOrPaddedTo128) {
  const std::string long_id(200, 'L');
  std::string ids;
  for (int k = 1; k <= 7; ++k) ids += long_id;
  const int64_t count = 7;
  const int64_t no_curves[] = {0, 0, 0, 0};
  const int64_t option_count = 4;
  ASSERT_TRUE(LINK_EXECUTE_BLOCK(&count, ids.data(), 200, &option_count, no_curves));
  EXPECT_EQ(CASE_LINK.HOTIN.view(), std::string(128, 'L'));

  ASSERT_TRUE(Execute(HostIds(7, 5), HostOptions({0, 0, 0, 0})));
  EXPECT_EQ(CASE_LINK.HOTIN.view(), "ID4" + std::string(125, ' '));

  // Elements of no characters give blank ids.
  ASSERT_TRUE(LINK_EXECUTE_BLOCK(&count, nullptr, 0, &option_count, no_curves));
  EXPECT_TRUE(CASE_LINK.HOTIN.blank());
}

TEST(CaseLink, OutputFillsStreamsCountsAndCurvesOnly) {
  ASSERT_TRUE(Execute(HostIds(13, 16, "EX"), HostOptions({3, 3, 1, 2})));
  // Output reads its counts from HOST_OPTIONS(2) and (3).
  ASSERT_TRUE(Output(HostIds(10, 16, "OUT"), HostOptions({9, 1, 2, 9, 9, 9, 9, 2, 9, 9, 0, 0})));

  EXPECT_EQ(CASE_LINK.NHOT, 1);
  EXPECT_EQ(CASE_LINK.NCOLD, 2);
  // Entries past the counts keep what the execute call left.
  EXPECT_EQ(Ids(CASE_LINK.HOTCURVE), List({"OUT8", "EX9", "EX10"}));
  EXPECT_EQ(Ids(CASE_LINK.COLDCURVE), List({"OUT9", "OUT10", "EX13"}));
  ExpectStreams("OUT");
  EXPECT_EQ(CASE_LINK.HOSTID3, "EX3");
  EXPECT_EQ(CASE_LINK.HOTPROP, 1);
  EXPECT_EQ(CASE_LINK.COLDPROP, 2);
}

// Counts that the host data cannot hold: the block is refused, no curve is
// left in the record and nothing past the host's arrays is read.
struct Refused {
  const char* what;
  int64_t ids;
  int64_t nhot;
  int64_t ncold;
  int64_t options = 4;
  int64_t length = 16;
};
const Refused kRefused[] = {
    {"hot count above 10", 19, 11, 0},
    {"cold count above 10", 19, 0, 11},
    {"negative hot count", 19, -1, 2},
    {"negative cold count", 19, 2, -1},
    {"more than 12 curves", 30, 7, 6},
    {"more ids named than given", 9, 2, 1},
    {"fewer than the stream ids", 6, 0, 0},
    {"too few options", 19, 1, 1, 2},
    {"negative element length", 19, 1, 1, 4, -16},
};

TEST(CaseLink, ExecuteRefusesWhatTheHostDataCannotHold) {
  for (const Refused& r : kRefused) {
    SCOPED_TRACE(r.what);
    ASSERT_TRUE(Execute(HostIds(19, 16, "OLD"), HostOptions({5, 5, 0, 0})));
    const HostIds ids(r.ids, r.length < 0 ? 16 : r.length);
    std::vector<int64_t> words = {r.nhot, r.ncold, 0, 0};
    words.resize(static_cast<std::size_t>(r.options));
    const int64_t option_count = r.options;
    EXPECT_FALSE(LINK_EXECUTE_BLOCK(ids.count(), ids.ids(), r.length, &option_count, words.data()));
    EXPECT_EQ(CASE_LINK.NHOT, 0);
    EXPECT_EQ(CASE_LINK.NCOLD, 0);
    EXPECT_EQ(Ids(CASE_LINK.HOTCURVE), List({}));
    EXPECT_EQ(Ids(CASE_LINK.COLDCURVE), List({}));
  }
}

TEST(CaseLink, OutputRefusesWhatTheHostDataCannotHold) {
  for (const Refused& r : kRefused) {
    SCOPED_TRACE(r.what);
    ASSERT_TRUE(Execute(HostIds(17, 16, "EX"), HostOptions({5, 5, 1, 2})));
    const HostIds ids(r.ids, r.length < 0 ? 16 : r.length, "OUT");
    // Output's counts are HOST_OPTIONS(2) and (3).
    std::vector<int64_t> words = {0, r.nhot, r.ncold, 0};
    words.resize(static_cast<std::size_t>(r.options - 1 < 0 ? 0 : r.options - 1));
    const int64_t option_count = static_cast<int64_t>(words.size());
    EXPECT_FALSE(LINK_OUTPUT_BLOCK(ids.count(), ids.ids(), r.length, &option_count, words.data()));
    EXPECT_EQ(CASE_LINK.NHOT, 0);
    EXPECT_EQ(CASE_LINK.NCOLD, 0);
    EXPECT_EQ(CASE_LINK.HOTIN, "EX4");
    EXPECT_EQ(CASE_LINK.HOTCURVE[0], "EX8");
  }
}

TEST(CaseLink, MissingArraysAreRefused) {
  const HostIds ids(10, 16);
  const HostOptions options({1, 1, 0, 0});
  EXPECT_FALSE(LINK_EXECUTE_BLOCK(nullptr, ids.ids(), 16, options.count(), options.words()));
  EXPECT_FALSE(LINK_EXECUTE_BLOCK(ids.count(), nullptr, 16, options.count(), options.words()));
  EXPECT_FALSE(LINK_EXECUTE_BLOCK(ids.count(), ids.ids(), 16, nullptr, options.words()));
  EXPECT_FALSE(LINK_OUTPUT_BLOCK(ids.count(), ids.ids(), 16, options.count(), nullptr));
  EXPECT_EQ(CASE_LINK.NHOT, 0);
}
