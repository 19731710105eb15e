#include "standins/caseserver/program_catalogue.h"

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

constexpr int kPasses = 5;

// A row with copies names that many variables: "##" in the name stands for the
// number in two digits (01, 02, ...), "#" for it in one.
struct CatalogueRow {
  Collection collection;
  const char* name;
  int count;
  int copies = 0;
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
    {AI, "Comp##LiqMoleFrc", kCurvePoints, kComponents},
    {AI, "Comp##VapMoleFrc", kCurvePoints, kComponents},
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
};

// The plate geometry the program designs (a result) and the input it goes
// back into when a design is kept: the same collection kind, often the same name.
struct GeometryRow {
  bool scalar;
  const char* input;
  const char* result;
  int count;
  int copies = 0;
};

constexpr GeometryRow kVodiGeometry[] = {
    {true,  "AreaOfPlateS",                 "AreaOfPlate",                  1},
    {true,  "ChevronAngleToHorizontal",     "ChevronAngle",                 1},
    {true,  "CompressedPlatePitch",         "CompressedPlatePitch",         1},
    {true,  "DoubleBankingOption",          "DoubleBankingOption",          1},
    {true,  "HorizontalPortCentreDistance", "HorizontalPortCentreDistance", 1},
    {true,  "PlateThickness",               "PlateThickness",               1},
    {true,  "PlateWidth",                   "PlateWidth",                   1},
    {true,  "PortDiameter",                 "PortDiameter",                 1},
    {true,  "VerticalPortCentreDistance",   "VerticalPortCentreDistance",   1},
    {false, "InletPortPoint",               "InletPortPoint",               kSides},
    {false, "OutletPortPoint",              "OutletPortPoint",              kSides},
    {false, "TotalNumberChannels",          "TotalNumberChannels",          kSides},
    {false, "NumberofPasses",               "NumberofPasses",               kSides},
    {false, "NumberofChannelsInPass#",      "NumberofChannelsInPass#",      kSides, kPasses},
};
// clang-format on

void AddRow(ProgramCase& c, const CatalogueRow& row) {
  const std::string name = row.name;
  if (row.copies == 0) {
    c.Define(row.collection, name, row.count);
    return;
  }
  const std::size_t slot = name.find('#');
  const bool two_digits = name.compare(slot, 2, "##") == 0;
  for (int n = 1; n <= row.copies; ++n) {
    char number[12];
    std::snprintf(number, sizeof number, two_digits ? "%02d" : "%d", n);
    c.Define(row.collection, std::string(name).replace(slot, two_digits ? 2 : 1, number),
             row.count);
  }
}

void AddGeometry(ProgramCase& c, const GeometryRow& row) {
  AddRow(c, {row.scalar ? SI : AI, row.input, row.count, row.copies});
  AddRow(c, {row.scalar ? SR : AR, row.result, row.count, row.copies});
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
  for (const GeometryRow& row : kVodiGeometry) AddGeometry(c, row);
  return c;
}
