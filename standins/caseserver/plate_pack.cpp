#include "standins/caseserver/plate_pack.h"

#include <algorithm>

#include "standins/caseserver/model_messages.h"

namespace {

// Ports of a pack laid out without port inputs: hot in 1 and out 2, cold in
// 3 and out 4.
constexpr int64_t kDefaultInletPort[2] = {1, 3};
constexpr int64_t kDefaultOutletPort[2] = {2, 4};

void SetPorts(PackSide& pack, const SideInput& input, int index) {
  pack.inlet_port = input.inlet_port.value_or(kDefaultInletPort[index]);
  pack.outlet_port = input.outlet_port.value_or(kDefaultOutletPort[index]);
}

// A side's channels: the total it gives, else the sum of the pass counts it gives.
std::optional<int64_t> GivenChannels(const SideInput& in) {
  if (in.total_channels && *in.total_channels >= 1) return in.total_channels;
  int64_t sum = 0;
  for (const auto& n : in.channels_in_pass)
    if (n && *n > 0) sum += *n;
  return sum > 0 ? std::optional<int64_t>(sum) : std::nullopt;
}

// The channels of each pass kept: the side's own counts when they are all
// there and add up to its channels, else the channels shared out evenly
// (the first passes taking one more where they do not divide).
void SetPasses(PackSide& pack, const SideInput& in, int side, std::vector<int>& messages) {
  if (in.passes && *in.passes >= 1 && *in.passes <= pack.total_channels) {
    pack.passes = *in.passes;
  } else {
    pack.passes = 1;
    Raise(messages, kPassesNotUsable + side);
  }
  const bool any_given = std::any_of(in.channels_in_pass.begin(), in.channels_in_pass.end(),
                                     [](const auto& n) { return n.has_value(); });
  if (pack.passes <= kPassesKept && any_given) {
    int64_t sum = 0;
    bool complete = true;
    for (int64_t p = 0; p < pack.passes; ++p) {
      const auto& n = in.channels_in_pass[p];
      complete = complete && n && *n >= 1;
      if (complete) sum += *n;
    }
    if (complete && sum == pack.total_channels) {
      for (int64_t p = 0; p < pack.passes; ++p) pack.channels_in_pass[p] = *in.channels_in_pass[p];
      return;
    }
    Raise(messages, kPassesNotUsable + side);
  }
  const int64_t share = pack.total_channels / pack.passes;
  const int64_t left = pack.total_channels % pack.passes;
  for (int64_t p = 0; p < pack.passes && p < kPassesKept; ++p)
    pack.channels_in_pass[p] = share + (p < left ? 1 : 0);
}

}  // namespace

PlateDimensions ResolvePlate(const PlateInput& in, bool report_missing,
                             std::vector<int>& messages) {
  PlateDimensions p = kStandardPlate;
  bool missing = false;
  auto take = [&](const std::optional<double>& v, double& slot) {
    if (v && *v > 0)
      slot = *v;
    else
      missing = true;
  };
  take(in.area, p.area);
  take(in.chevron_angle, p.chevron_angle);
  take(in.pitch, p.pitch);
  take(in.horizontal_port_distance, p.horizontal_port_distance);
  take(in.thickness, p.thickness);
  take(in.width, p.width);
  take(in.port_diameter, p.port_diameter);
  take(in.vertical_port_distance, p.vertical_port_distance);
  if (in.double_banking) p.double_banking = *in.double_banking;
  // Plates thicker than their pitch leave no channel between them.
  if (!(p.pitch > p.thickness)) {
    p.pitch = kStandardPlate.pitch;
    p.thickness = kStandardPlate.thickness;
    missing = true;
  }
  if (missing && report_missing) Raise(messages, kPlateDimensionMissing);
  return p;
}

std::optional<PlatePack> ResolvePack(const std::array<SideInput, 2>& sides,
                                     std::vector<int>& messages) {
  std::optional<int64_t> channels[2] = {GivenChannels(sides[0]), GivenChannels(sides[1])};
  if (!channels[0] && !channels[1]) return std::nullopt;
  // The channels of a pack alternate between the sides, so one side's count
  // is the other's to within one.
  for (int i = 0; i < 2; ++i)
    if (!channels[i]) {
      channels[i] = channels[1 - i];
      Raise(messages, kChannelsFromOtherSide);
    }
  PlatePack pack;
  for (int i = 0; i < 2; ++i) {
    pack[i].total_channels = *channels[i];
    SetPasses(pack[i], sides[i], i + 1, messages);
    SetPorts(pack[i], sides[i], i);
  }
  return pack;
}

PlatePack DesignPack(int64_t channels, const std::array<SideInput, 2>& sides) {
  PlatePack pack;
  for (int i = 0; i < 2; ++i) {
    pack[i].total_channels = channels;
    pack[i].passes = 1;
    pack[i].channels_in_pass[0] = channels;
    SetPorts(pack[i], sides[i], i);
  }
  return pack;
}

double EffectiveArea(const PlateDimensions& plate, const PlatePack& pack) {
  return plate.area * static_cast<double>(pack[0].total_channels + pack[1].total_channels - 1);
}
