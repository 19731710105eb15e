#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "exchange/exchange_face.h"
#include "tests/common/exchange_case.h"

namespace {

using ::testing::ElementsAreArray;

class PropertyMarksTest : public ExchangeCaseTest {
 protected:
  void MarkAll(int64_t hot_property = 1, int64_t cold_property = 1) {
    int64_t error_word = 0;
    MARK_PROPERTY_INPUTS(&hot_property, &cold_property, &case_data, &error_word);
  }
  static std::vector<std::string> ExpectedNames() {
    std::vector<std::string> names = {"PressureReference",
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
                                      "Liquid2MassFraction"};
    for (int n = 1; n <= 50; ++n) {
      char liquid[32], vapour[32];
      std::snprintf(liquid, sizeof liquid, "Comp%02dLiqMoleFrc", n);
      std::snprintf(vapour, sizeof vapour, "Comp%02dVapMoleFrc", n);
      names.push_back(liquid);
      names.push_back(vapour);
    }
    return names;
  }
};

TEST_F(PropertyMarksTest, EveryPropertyAndComponentVariableIsMarkedInOrder) {
  MarkAll();
  std::vector<std::string> marks;
  for (const std::string& name : ExpectedNames()) marks.push_back(Mark(name));
  ASSERT_EQ(marks.size(), 122u);
  EXPECT_THAT(VariableCalls(), ElementsAreArray(marks));

  // The built names as the server looked them up: two digits, no blanks.
  const std::vector<std::string> log = case_probe::Log();
  auto looked_up = [&](const std::string& name) {
    return std::count(log.begin(), log.end(),
                      "ArrayVariables::Item|ArrayInputs|" + name + "|found");
  };
  for (const char* name : {"Comp09LiqMoleFrc", "Comp09VapMoleFrc", "Comp10LiqMoleFrc",
                           "Comp10VapMoleFrc", "Comp01LiqMoleFrc", "Comp50VapMoleFrc"})
    EXPECT_EQ(looked_up(name), 1) << name;
  EXPECT_EQ(std::count(log.begin(), log.end(), "CaseData::GetArrayInputs"), 1);
}

TEST_F(PropertyMarksTest, AMarkResetsWhatTheVariableHeld) {
  ASSERT_TRUE(CaseProbeSetEntry(AI, "Temperature", 30, "  55.0000000000000", 1, nullptr));
  ASSERT_TRUE(CaseProbeSetEntry(AI, "Comp09VapMoleFrc", 2, "  0.5", 1, nullptr));
  MarkAll(2, 2);  // the property words play no part
  EXPECT_EQ(case_probe::EntryAt(AI, "Temperature", 30), case_probe::Entry{});
  EXPECT_EQ(case_probe::EntryAt(AI, "Comp09VapMoleFrc", 2), case_probe::Entry{});
  EXPECT_EQ(CaseProbeMarkCount(AI, "Temperature"), 1);
  EXPECT_EQ(CaseProbeMarkCount(AI, "Comp50LiqMoleFrc"), 1);
}

TEST_F(PropertyMarksTest, VariablesTheCaseLacksAreSkipped) {
  ASSERT_TRUE(CaseProbeRemoveVariable(AI, "Liquid2MassFraction"));
  ASSERT_TRUE(CaseProbeRemoveVariable(AI, "Comp33LiqMoleFrc"));
  MarkAll();
  std::vector<std::string> marks;
  for (const std::string& name : ExpectedNames())
    if (name != "Liquid2MassFraction" && name != "Comp33LiqMoleFrc") marks.push_back(Mark(name));
  EXPECT_THAT(VariableCalls(), ElementsAreArray(marks));
}

}  // namespace
