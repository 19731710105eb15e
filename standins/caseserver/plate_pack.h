// The plate pack the model rates: the plate's dimensions and each side's
// channels, passes and ports, from the case's geometry inputs with the
// standard plate's values where they are missing, or laid out by a design.
//
// Plain computation: no platform calls.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "standins/caseserver/plate_correlations.h"
#include "standins/caseserver/plate_rating.h"

using PlatePack = std::array<PackSide, 2>;

// The plate's dimensions: each one the case gives (above 0, and a pitch
// above the thickness), else the standard plate's; `report_missing` raises
// the code that says so.
PlateDimensions ResolvePlate(const PlateInput& input, bool report_missing,
                             std::vector<int>& messages);

// The pack the case describes; nothing when neither side gives its channels.
std::optional<PlatePack> ResolvePack(const std::array<SideInput, 2>& sides,
                                     std::vector<int>& messages);

// A designed pack: `channels` channels a side, each side in one pass.
PlatePack DesignPack(int64_t channels, const std::array<SideInput, 2>& sides);

// The heat transfer area: every plate between two channels, the plates of
// both ends excepted.
double EffectiveArea(const PlateDimensions& plate, const PlatePack& pack);
