// The block's description, copied from the host's ids and options at the
// start of every execute and output call.
#include "drivers/case_link_face.h"

#include <string_view>

// All zero bytes at load, ids included.
CaseLink CASE_LINK;

namespace {

// HOST_IDS(4) to (7) are the streams, HOST_IDS(8) onward the curves.
constexpr int64_t kLastStreamId = 7;

struct HostIds {
  const char* ids;
  int64_t length;  // of one element
  int64_t count;

  // Element k, counted from 1; copied into 128 characters, cut or padded.
  std::string_view at(int64_t k) const {
    return {ids + (k - 1) * length, static_cast<std::size_t>(length)};
  }
};

// Whether the host's option array holds the words a call reads.
bool OptionsHold(const int64_t* option_count, const int64_t* options, int64_t needed) {
  return option_count && options && *option_count >= needed;
}

// Whether both counts fit their lists and every id they name lies within the ids.
bool CurvesFit(const HostIds& ids, int64_t nhot, int64_t ncold) {
  if (ids.count < kLastStreamId || ids.length < 0 || (!ids.ids && ids.length > 0)) return false;
  if (nhot < 0 || nhot > CURVE_IDS_PER_SIDE || ncold < 0 || ncold > CURVE_IDS_PER_SIDE)
    return false;
  return nhot + ncold <= MAX_CURVE_IDS && kLastStreamId + nhot + ncold <= ids.count;
}

// The stream ids, the counts and the curve ids of both sides.
void LinkStreamsAndCurves(const HostIds& ids, int64_t nhot, int64_t ncold) {
  CaseLink& link = CASE_LINK;
  link.HOTIN = ids.at(4);
  link.COLDIN = ids.at(5);
  link.HOTOUT = ids.at(6);
  link.COLDOUT = ids.at(7);
  link.NHOT = nhot;
  link.NCOLD = ncold;
  for (int64_t i = 1; i <= nhot; ++i) link.HOTCURVE[i - 1] = ids.at(kLastStreamId + i);
  for (int64_t i = 1; i <= ncold; ++i) link.COLDCURVE[i - 1] = ids.at(kLastStreamId + nhot + i);
}

HostIds IdsOf(const int64_t* ids_count, const char* host_ids, int64_t ids_len) {
  return {host_ids, ids_len, ids_count ? *ids_count : 0};
}

}  // namespace

bool LINK_EXECUTE_BLOCK(const int64_t* ids_count, const char* host_ids, int64_t ids_len,
                        const int64_t* option_count, const int64_t* host_options) {
  CaseLink& link = CASE_LINK;
  for (FixedText<128>& id : link.HOTCURVE) id.clear();
  for (FixedText<128>& id : link.COLDCURVE) id.clear();
  link.NHOT = 0;
  link.NCOLD = 0;

  if (!OptionsHold(option_count, host_options, 4)) return false;
  const HostIds ids = IdsOf(ids_count, host_ids, ids_len);
  const int64_t nhot = host_options[0];
  const int64_t ncold = host_options[1];
  if (!CurvesFit(ids, nhot, ncold)) return false;
  link.HOSTID3 = ids.at(3);
  LinkStreamsAndCurves(ids, nhot, ncold);
  link.HOTPROP = host_options[2];
  link.COLDPROP = host_options[3];
  return true;
}

bool LINK_OUTPUT_BLOCK(const int64_t* ids_count, const char* host_ids, int64_t ids_len,
                       const int64_t* option_count, const int64_t* host_options) {
  const HostIds ids = IdsOf(ids_count, host_ids, ids_len);
  if (!OptionsHold(option_count, host_options, 3) ||
      !CurvesFit(ids, host_options[1], host_options[2])) {
    CASE_LINK.NHOT = 0;
    CASE_LINK.NCOLD = 0;
    return false;
  }
  LinkStreamsAndCurves(ids, host_options[1], host_options[2]);
  return true;
}
