// Marks every physical-property input of the case and the mole fractions of
// its components, so that the heat-release curves put afterwards start from
// variables left to the program.
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/case_variables_face.h"
#include "exchange/exchange_face.h"
#include "include/fixed_text.h"

namespace {

// The property inputs that a heat-release curve fills, in the order marked.
constexpr std::string_view kCurvePropertyVariables[] = {
    "PressureReference",
    "Temperature",
    "VaporMassFraction",
    "SpecificEnthalpy",
    "VaporMolecularWeight",
    "VaporDensity",
    "VaporViscosity",
    "VaporThermalConductivity",
    "VaporSpecificHeat",
    "LiquidMolecularWeight",
    "LiquidDensity",
    "LiquidViscosity",
    "LiquidThermalConductivity",
    "LiquidSpecificHeat",
    "LiquidSurfaceTension",
    "Liquid2MolecularWeight",
    "Liquid2Density",
    "Liquid2Viscosity",
    "Liquid2ThermalConductivity",
    "Liquid2SpecificHeat",
    "Liquid2SurfaceTension",
    "Liquid2MassFraction",
};

constexpr int MAX_COMPONENTS = 50;

// "Comp", the component number in two digits, then the phase's suffix:
// "Comp09LiqMoleFrc".
FixedText<20> ComponentName(int component, std::string_view suffix) {
  std::string name = "Comp";
  name += static_cast<char>('0' + component / 10);
  name += static_cast<char>('0' + component % 10);
  name += suffix;
  return FixedText<20>(name);
}

}  // namespace

void MARK_PROPERTY_INPUTS(const int64_t* /*hot_property*/, const int64_t* /*cold_property*/,
                          CaseData** case_data, int64_t* /*error_word*/) {
  const ComPtr<ArrayVariables> inputs = GetArrayInputs(case_data);
  for (std::string_view name : kCurvePropertyVariables) MarkVariable(inputs.get(), name);
  for (int n = 1; n <= MAX_COMPONENTS; ++n) {
    const FixedText<20> liquid = ComponentName(n, "LiqMoleFrc");
    const FixedText<20> vapour = ComponentName(n, "VapMoleFrc");
    MarkVariable(inputs.get(), liquid.view());
    MarkVariable(inputs.get(), vapour.view());
  }
}
