// A fresh case repository for each test, and the calls as the library makes
// them: ids blank-padded to 128 characters, file names NUL-terminated in 257.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "include/fixed_text.h"
#include "include/repository.h"
#include "standins/lumbra/repository_probe.h"

using Id = FixedText<128>;

// A NUL-terminated text in a 257-character buffer, blanks after the NUL.
struct FileText {
  explicit FileText(std::string_view text) {
    buffer.fill(' ');
    text.copy(buffer.data(), std::min<std::size_t>(text.size(), 256));
    buffer[std::min<std::size_t>(text.size(), 256)] = '\0';
  }
  const char* data() const { return buffer.data(); }
  static constexpr int64_t length() { return 257; }
  std::array<char, 257> buffer;
};

// The six arrays of one record as a caller holds them.
struct Arrays {
  std::vector<int64_t> ivals;
  std::vector<uint64_t> xvals2;
  std::vector<double> rvals;
  std::vector<uint64_t> xvals4;
  std::vector<std::string> svals;  // each of text_len characters when put
  std::vector<uint64_t> xvals6;
  int64_t text_len = 32;
};

class RepositoryTest : public ::testing::Test {
 protected:
  void SetUp() override { LumbraProbeReset(); }
  void TearDown() override { LumbraProbeReset(); }

  static int64_t New(std::string_view id, std::string_view cls, int64_t* handle = nullptr) {
    int64_t h = -1, err = -1;
    const Id key(id);
    const FixedText<64> class_name(cls);
    RPNEW(key.data(), key.length(), class_name.data(), class_name.length(), &h, &err);
    if (handle) *handle = h;
    return err;
  }

  static int64_t Allo(std::string_view id, std::string_view member, int64_t parent,
                      int64_t* handle = nullptr) {
    int64_t h = -1, err = -1;
    const Id key(id);
    const FixedText<64> name(member);
    RPALLO(key.data(), key.length(), name.data(), name.length(), &parent, &h, &err);
    if (handle) *handle = h;
    return err;
  }

  static int64_t Found(std::string_view id) {
    int64_t found = -1, err = -1;
    const Id key(id);
    RPFIND(key.data(), key.length(), &found, &err);
    EXPECT_EQ(err, 0);
    return found;
  }

  static int64_t Dele(std::string_view id) {
    int64_t err = -1;
    const Id key(id);
    RPDELE(key.data(), key.length(), &err);
    return err;
  }

  static int64_t Put(std::string_view id, std::string_view record, const Arrays& a) {
    const Id key(id);
    const FixedText<32> name(record);
    std::string texts;
    for (const std::string& s : a.svals) {
      std::string element(static_cast<std::size_t>(a.text_len), ' ');
      s.copy(element.data(), element.size());
      texts += element;
    }
    auto ivals = a.ivals;
    auto xvals2 = a.xvals2;
    auto rvals = a.rvals;
    auto xvals4 = a.xvals4;
    auto xvals6 = a.xvals6;
    int64_t n[6] = {Size(ivals),  Size(xvals2),  Size(rvals),
                    Size(xvals4), Size(a.svals), Size(xvals6)};
    int64_t err = -1;
    RPPUTD(key.data(), key.length(), name.data(), name.length(), &n[0], ivals.data(), &n[1],
           xvals2.data(), &n[2], rvals.data(), &n[3], xvals4.data(), &n[4], texts.data(),
           a.text_len, &n[5], xvals6.data(), &err);
    return err;
  }

  // The record's six counts; err receives the error word.
  static std::array<int64_t, 6> Gets(std::string_view id, std::string_view record,
                                     int64_t* err = nullptr) {
    std::array<int64_t, 6> n;
    n.fill(-7);
    int64_t e = -1;
    const Id key(id);
    const FixedText<32> name(record);
    RPGETS(key.data(), key.length(), name.data(), name.length(), &n[0], &n[1], &n[2], &n[3], &n[4],
           &n[5], &e);
    if (err) *err = e;
    return n;
  }

  // The record read whole, sized from its counts, as the curve reading does.
  static Arrays Get(std::string_view id, std::string_view record, int64_t text_len = 32) {
    int64_t err = -1;
    std::array<int64_t, 6> n = Gets(id, record, &err);
    EXPECT_EQ(err, 0);
    Arrays a;
    a.text_len = text_len;
    a.ivals.assign(static_cast<std::size_t>(n[0]), 0);
    a.xvals2.assign(static_cast<std::size_t>(n[1]), 0);
    a.rvals.assign(static_cast<std::size_t>(n[2]), 0.0);
    a.xvals4.assign(static_cast<std::size_t>(n[3]), 0);
    std::string texts(static_cast<std::size_t>(n[4] * text_len), ' ');
    a.xvals6.assign(static_cast<std::size_t>(n[5]), 0);
    const Id key(id);
    const FixedText<32> name(record);
    RPGETD(key.data(), key.length(), name.data(), name.length(), &n[0], a.ivals.data(), &n[1],
           a.xvals2.data(), &n[2], a.rvals.data(), &n[3], a.xvals4.data(), &n[4], texts.data(),
           text_len, &n[5], a.xvals6.data(), &err);
    EXPECT_EQ(err, 0);
    for (int64_t i = 0; i < n[4]; ++i)
      a.svals.push_back(
          texts.substr(static_cast<std::size_t>(i * text_len), static_cast<std::size_t>(text_len)));
    return a;
  }

  static std::string LastError() {
    char text[512];
    LumbraProbeLastError(text, sizeof text);
    return text;
  }

  static std::string Dump() {
    const int64_t n = LumbraProbeDumpText(nullptr, 0);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    LumbraProbeDumpText(text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    return text;
  }

  static std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    char entry[600];
    for (int64_t i = 1; i <= LumbraProbeCallCount(); ++i) {
      LumbraProbeCall(i, entry, sizeof entry);
      calls.push_back(entry);
    }
    return calls;
  }

  template <class V>
  static int64_t Size(const V& v) {
    return static_cast<int64_t>(v.size());
  }
};
