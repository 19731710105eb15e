#include "program_catalogue.h"

#include <cstdio>
#include <string>

namespace {

// Curve layout of the property inputs: 5 curves of 24 points a side, the hot
// side's points at 1..120 and the cold side's at 121..240; reference pressures
// 1..5 hot and 6..10 cold.
constexpr int kSides = 2;
constexpr int kCurvePoints = 240;
constexpr int kReferencePressures = 10;
constexpr int kRemarkLines = 10;
constexpr int kComponents = 50;

struct CatalogueRow {
  Collection collection;
  const char* name;  // "##" stands for the component number 01..kComponents
  int count;
};

constexpr Collection AI = Collection::ArrayInputs;
constexpr Collection SI = Collection::ScalarInputs;
constexpr Collection AR = Collection::ArrayResults;
constexpr Collection SR = Collection::ScalarResults;

// clang-format off
constexpr CatalogueRow kVodiCatalogue[] = {
    // Inlet streams, per side.
    {AI, "FlowRate", kSides},
    {AI, "InletTemperature", kSides},
    {AI, "InletPressure", kSides},
    {AI, "InletMassQuality", kSides},
    // Heat-release curves: side header, reference pressures and point properties.
    {AI, "DBToBeUsed", kSides},
    {AI, "NumberofCurves", kSides},
    {AI, "NumberOfPointsOnCurve", kSides},
    {AI, "PressureReference", kReferencePressures},
    {AI, "Temperature", kCurvePoints},
    {AI, "VaporMassFraction", kCurvePoints},
    {AI, "SpecificEnthalpy", kCurvePoints},
    {AI, "VaporMolecularWeight", kCurvePoints},
    {AI, "VaporDensity", kCurvePoints},
    {AI, "VaporViscosity", kCurvePoints},
    {AI, "VaporThermalConductivity", kCurvePoints},
    {AI, "VaporSpecificHeat", kCurvePoints},
    {AI, "Diffusivity", kCurvePoints},
    {AI, "LiquidMolecularWeight", kCurvePoints},
    {AI, "LiquidDensity", kCurvePoints},
    {AI, "LiquidViscosity", kCurvePoints},
    {AI, "LiquidThermalConductivity", kCurvePoints},
    {AI, "LiquidSpecificHeat", kCurvePoints},
    {AI, "LiquidSurfaceTension", kCurvePoints},
    {AI, "Liquid2MolecularWeight", kCurvePoints},
    {AI, "Liquid2Density", kCurvePoints},
    {AI, "Liquid2Viscosity", kCurvePoints},
    {AI, "Liquid2ThermalConductivity", kCurvePoints},
    {AI, "Liquid2SpecificHeat", kCurvePoints},
    {AI, "Liquid2SurfaceTension", kCurvePoints},
    {AI, "Liquid2MassFraction", kCurvePoints},
    {AI, "Comp##LiqMoleFrc", kCurvePoints},
    {AI, "Comp##VapMoleFrc", kCurvePoints},
    // Unit options and the heat balance, per side.
    {SI, "PlateProgMode", 1},
    {AI, "HeatLoad", kSides},
    {AI, "FoulingResistance", kSides},
    {AI, "LiquidHeatTrCoeff", kSides},
    {AI, "VaporHeatTrCoeff", kSides},
    {AI, "TwoPhaseHeatTrCoeff", kSides},
    {AI, "LiquidHTCMultiplier", kSides},
    {AI, "VaporHTCMultiplier", kSides},
    {AI, "TwoPhaseHTCMultiplier", kSides},
    {AI, "PressureDropMultiplier", kSides},
    {AI, "AllowablePressureDrop", kSides},
    {AI, "EstimatedPressureDrop", kSides},
    {AI, "ReviseForHeatBalance", kSides},
    {AI, "OutletTemperature", kSides},
    {AI, "OutletMassQuality", kSides},
    {AI, "Remarks", kRemarkLines},
    // Plate geometry inputs.
    {SI, "AreaOfPlateS", 1},
    {SI, "ChevronAngleToHorizontal", 1},
    {SI, "CompressedPlatePitch", 1},
    {SI, "DoubleBankingOption", 1},
    {SI, "HorizontalPortCentreDistance", 1},
    {SI, "PlateThickness", 1},
    {SI, "PlateWidth", 1},
    {SI, "PortDiameter", 1},
    {SI, "VerticalPortCentreDistance", 1},
    {AI, "InletPortPoint", kSides},
    {AI, "OutletPortPoint", kSides},
    {AI, "TotalNumberChannels", kSides},
    {AI, "NumberofPasses", kSides},
    {AI, "NumberofChannelsInPass1", kSides},
    {AI, "NumberofChannelsInPass2", kSides},
    {AI, "NumberofChannelsInPass3", kSides},
    {AI, "NumberofChannelsInPass4", kSides},
    {AI, "NumberofChannelsInPass5", kSides},
    // Performance results.
    {SR, "TotalHeatExchanged", 1},
    {SR, "EffSurfTotal", 1},
    {SR, "HTCDirty", 1},
    {SR, "HTCClean", 1},
    {SR, "MTDCorrected", 1},
    {SR, "HTCHotSide", 1},
    {SR, "HTCColdSide", 1},
    {AR, "arReqArea", 2},
    {AR, "arOutletTemperature", kSides},
    {AR, "DPTotal", kSides},
    {AR, "arFoulResistance", kSides},
    // The program's messages: one line per message, as many as it reports.
    {AR, "arTavikMsgs", 0},
    // Designed plate geometry.
    {SR, "AreaOfPlate", 1},
    {SR, "ChevronAngle", 1},
    {SR, "CompressedPlatePitch", 1},
    {SR, "DoubleBankingOption", 1},
    {SR, "HorizontalPortCentreDistance", 1},
    {SR, "PlateThickness", 1},
    {SR, "PlateWidth", 1},
    {SR, "PortDiameter", 1},
    {SR, "VerticalPortCentreDistance", 1},
    {AR, "InletPortPoint", kSides},
    {AR, "OutletPortPoint", kSides},
    {AR, "TotalNumberChannels", kSides},
    {AR, "NumberofPasses", kSides},
    {AR, "NumberofChannelsInPass1", kSides},
    {AR, "NumberofChannelsInPass2", kSides},
    {AR, "NumberofChannelsInPass3", kSides},
    {AR, "NumberofChannelsInPass4", kSides},
    {AR, "NumberofChannelsInPass5", kSides},
};
// clang-format on

void AddRow(ProgramCase& c, const CatalogueRow& row) {
  const std::string name = row.name;
  const std::size_t slot = name.find("##");
  if (slot == std::string::npos) {
    c.Define(row.collection, name, row.count);
    return;
  }
  for (int n = 1; n <= kComponents; ++n) {
    char number[3];
    std::snprintf(number, sizeof number, "%02d", n);
    c.Define(row.collection, std::string(name).replace(slot, 2, number), row.count);
  }
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char ch) { return ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

bool IsPlateProgram(std::string_view program) { return EqualIgnoringCase(program, kPlateProgram); }

std::optional<ProgramCase> NewProgramCase(std::string_view program) {
  if (!IsPlateProgram(program)) return std::nullopt;
  ProgramCase c{std::string(kPlateProgram)};
  for (const CatalogueRow& row : kVodiCatalogue) AddRow(c, row);
  return c;
}
