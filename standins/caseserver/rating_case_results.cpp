// Writing the model's results and messages into the case.
#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "standins/caseserver/rating_model.h"

namespace {

constexpr Collection AR = Collection::ArrayResults;
constexpr Collection SR = Collection::ScalarResults;

// Reals in the shortest form that reads back to the same value.
std::string RealText(double value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : std::string();
}

void Put(ProgramCase& c, Collection collection, const std::string& name, int index,
         std::string text) {
  CaseVariable* v = c.Find(collection, name);
  if (!v) v = &c.Define(collection, name, std::max(index, 2));
  if (v->count() < index) v->entries.resize(static_cast<std::size_t>(index));
  *v->entry(index) = {std::move(text), 1, ""};
}

void PutReal(ProgramCase& c, Collection collection, const std::string& name, int index,
             double value) {
  Put(c, collection, name, index, RealText(value));
}

void PutInteger(ProgramCase& c, const std::string& name, int index, int64_t value) {
  Put(c, AR, name, index, std::to_string(value));
}

void ClearResults(ProgramCase& c, Collection collection) {
  std::vector<std::string> names;
  for (const auto& [name, variable] : c.variables(collection)) names.push_back(name);
  for (const std::string& name : names) c.Find(collection, name)->Clear();
}

void PutPerformance(ProgramCase& c, const RatingResult& r) {
  PutReal(c, SR, "TotalHeatExchanged", 1, r.duty);
  PutReal(c, SR, "EffSurfTotal", 1, r.effective_area);
  PutReal(c, SR, "HTCDirty", 1, r.htc_dirty);
  PutReal(c, SR, "HTCClean", 1, r.htc_clean);
  PutReal(c, SR, "MTDCorrected", 1, r.mtd);
  PutReal(c, SR, "HTCHotSide", 1, r.sides[0].film_coefficient);
  PutReal(c, SR, "HTCColdSide", 1, r.sides[1].film_coefficient);
  // Entry 1 the area the duty needs when clean, entry 2 when fouled.
  PutReal(c, AR, "arReqArea", 1, r.required_area_clean);
  PutReal(c, AR, "arReqArea", 2, r.required_area_dirty);
  for (int i = 0; i < 2; ++i) {
    PutReal(c, AR, "arOutletTemperature", i + 1, r.sides[i].outlet_temperature);
    PutReal(c, AR, "DPTotal", i + 1, r.sides[i].pressure_drop);
    PutReal(c, AR, "arFoulResistance", i + 1, r.sides[i].fouling);
  }
}

// The geometry rated: the design's in design mode, else the case's own with
// the standard plate's values where it had none.
void PutGeometry(ProgramCase& c, const RatingResult& r) {
  const PlateDimensions& p = r.plate;
  PutReal(c, SR, "AreaOfPlate", 1, p.area);
  PutReal(c, SR, "ChevronAngle", 1, p.chevron_angle);
  PutReal(c, SR, "CompressedPlatePitch", 1, p.pitch);
  PutReal(c, SR, "DoubleBankingOption", 1, p.double_banking);
  PutReal(c, SR, "HorizontalPortCentreDistance", 1, p.horizontal_port_distance);
  PutReal(c, SR, "PlateThickness", 1, p.thickness);
  PutReal(c, SR, "PlateWidth", 1, p.width);
  PutReal(c, SR, "PortDiameter", 1, p.port_diameter);
  PutReal(c, SR, "VerticalPortCentreDistance", 1, p.vertical_port_distance);
  for (int i = 0; i < 2; ++i) {
    const PackSide& s = r.pack[i];
    PutInteger(c, "InletPortPoint", i + 1, s.inlet_port);
    PutInteger(c, "OutletPortPoint", i + 1, s.outlet_port);
    PutInteger(c, "TotalNumberChannels", i + 1, s.total_channels);
    PutInteger(c, "NumberofPasses", i + 1, s.passes);
    for (int n = 1; n <= kPassesKept; ++n)
      PutInteger(c, "NumberofChannelsInPass" + std::to_string(n), i + 1, s.channels_in_pass[n - 1]);
  }
}

void PutMessages(ProgramCase& c, const std::vector<int>& messages) {
  CaseVariable& v = c.Define(AR, "arTavikMsgs", static_cast<int>(messages.size()));
  for (std::size_t i = 0; i < messages.size() && i < v.entries.size(); ++i) {
    const std::string code = std::to_string(messages[i]);
    v.entries[i] = {code, 1, code};
  }
}

}  // namespace

void WriteRatingResult(ProgramCase& c, const RatingResult& r) {
  ClearResults(c, AR);
  ClearResults(c, SR);
  if (r.rated) {
    PutPerformance(c, r);
    PutGeometry(c, r);
  }
  PutMessages(c, r.messages);
}
