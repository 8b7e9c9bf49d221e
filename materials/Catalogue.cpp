#include "materials/Catalogue.h"

#include "materials/concrete/Concrete01.h"
#include "materials/concrete/Concrete02.h"
#include "materials/concrete/Concrete04.h"
#include "materials/concrete/Concrete06.h"
#include "materials/concrete/Concrete07.h"
#include "materials/concrete/ConcreteD.h"
#include "materials/standard/EPPGapMaterial.h"
#include "materials/standard/ElasticPPMaterial.h"
#include "materials/standard/HystereticMaterial.h"
#include "materials/steel/RambergOsgoodSteel.h"
#include "materials/steel/Steel01.h"
#include "materials/steel/Steel02.h"
#include "materials/steel/Steel4.h"
#include "materials/steel/SteelMPF.h"

namespace looplab {
namespace {

constexpr ParameterType D = ParameterType::Double;
constexpr ParameterType I = ParameterType::Int;

std::vector<ModelEntry> buildCatalogue() {
    return {
        {"Steel01",
         {{"Fy", D, "300"},
          {"E", D, "200000"},
          {"b", D, "0.01"},
          {"a1", D, "0.0"},
          {"a2", D, "55.0"},
          {"a3", D, "0.0"},
          {"a4", D, "55.0"}},
         &makeSteel01,
         &checkSteel01Parameters},
        {"Steel02",
         {{"Fy", D, "300"},
          {"E", D, "200000"},
          {"b", D, "0.01"},
          {"R0", D, "15.0"},
          {"CR1", D, "0.925"},
          {"CR2", D, "0.15"},
          {"a1", D, "0.0"},
          {"a2", D, "1.0"},
          {"a3", D, "0.0"},
          {"a4", D, "1.0"},
          {"sig0", D, "0.0"}},
         &makeSteel02,
         &checkSteel02Parameters},
        {"Steel4",
         {{"Fy", D, "300"},         {"E", D, "200000"},   {"b_k", D, "0.0"},
          {"R_0", D, "50.0"},       {"r_1", D, "0.1"},    {"r_2", D, "0.15"},
          {"b_kc", D, "0.0"},       {"R_0c", D, "50.0"},  {"r_1c", D, "0.1"},
          {"r_2c", D, "0.15"},      {"b_i", D, "0.0"},    {"rho_i", D, "1.0"},
          {"b_l", D, "0.0"},        {"R_i", D, "50.0"},   {"l_yp", D, "0.0"},
          {"b_ic", D, "0.0"},       {"rho_ic", D, "1.0"}, {"b_lc", D, "0.0"},
          {"R_ic", D, "50.0"},      {"f_u", D, "500000000"}, {"Ru", D, "50.0"},
          {"f_uc", D, "500000000"}, {"Ruc", D, "50.0"},   {"cycNum", I, "50"},
          {"sig_init", D, "0.0"}},
         &makeSteel4,
         &checkSteel4Parameters},
        {"SteelMPF",
         {{"fyp", D, "340"},
          {"fyn", D, "340"},
          {"E0", D, "200000"},
          {"bp", D, "0.002"},
          {"bn", D, "0.002"},
          {"R0", D, "20"},
          {"cR1", D, "0.925"},
          {"cR2", D, "0.15"},
          {"a1", D, "0.0"},
          {"a2", D, "1.0"},
          {"a3", D, "0.0"},
          {"a4", D, "1.0"}},
         &makeSteelMPF,
         &checkSteelMPFParameters},
        {"RambergOsgoodSteel",
         {{"fy", D, "400"}, {"E0", D, "200000"}, {"a", D, "0.002"}, {"n", D, "5"}},
         &makeRambergOsgoodSteel,
         &checkRambergOsgoodSteelParameters},
        {"Concrete01",
         {{"fpc", D, "-24.0"}, {"epsc0", D, "-0.002"}, {"fpcu", D, "-4.0"}, {"epsU", D, "-0.005"}},
         &makeConcrete01,
         &checkConcrete01Parameters},
        {"Concrete02",
         {{"fpc", D, "-24.0"},
          {"epsc0", D, "-0.002"},
          {"fpcu", D, "-4.0"},
          {"epsU", D, "-0.005"},
          {"lambda", D, "0.1"},
          {"ft", D, "4"},
          {"Ets", D, "20000"}},
         &makeConcrete02,
         &checkConcrete02Parameters},
        {"Concrete04",
         {{"fc", D, "-24.0"},
          {"ec", D, "-0.002"},
          {"ecu", D, "-0.005"},
          {"Ec", D, "20000"},
          {"fct", D, "0.0"},
          {"et", D, "0.0"},
          {"beta", D, "0.1"}},
         &makeConcrete04,
         &checkConcrete04Parameters},
        {"Concrete06",
         {{"fc", D, "-24.0"},
          {"e0", D, "-0.002"},
          {"n", D, "2"},
          {"k", D, "1"},
          {"alph1", D, "0.32"},
          {"fcr", D, "3"},
          {"ecr", D, "0.00008"},
          {"b", D, "4"},
          {"alph2", D, "0.08"}},
         &makeConcrete06,
         &checkConcrete06Parameters},
        {"Concrete07",
         {{"fc", D, "-24.0"},
          {"ec", D, "-0.002"},
          {"Ec", D, "27000"},
          {"ft", D, "3"},
          {"et", D, "0.00008"},
          {"xp", D, "2"},
          {"xn", D, "2.3"},
          {"r", D, "2.7"}},
         &makeConcrete07,
         &checkConcrete07Parameters},
        {"ConcreteD",
         {{"fc", D, "-27.6"},
          {"epsc", D, "-0.002"},
          {"ft", D, "3"},
          {"epst", D, "0.0001"},
          {"Ec", D, "35000"},
          {"alphac", D, "1.0"},
          {"alphat", D, "0.1"},
          {"cesp", D, "0.25"},
          {"etap", D, "1.15"}},
         &makeConcreteD,
         &checkConcreteDParameters},
        {"ElasticPPMaterial",
         {{"E", D, "200000"}, {"epsyP", D, "0.002"}, {"epsyN", D, "-0.002"}, {"eps0", D, "0"}},
         &makeElasticPPMaterial,
         &checkElasticPPMaterialParameters},
        {"EPPGapMaterial",
         {{"E", D, "200000"},
          {"Fy", D, "300"},
          {"gap", D, "-0.002"},
          {"eta", D, "0.01"},
          {"damage", I, "0"}},
         &makeEPPGapMaterial,
         &checkEPPGapMaterialParameters},
        {"HystereticMaterial",
         {{"s1p", D, "300"},    {"e1p", D, "0.002"},   {"s2p", D, "400"},
          {"e2p", D, "0.02"},   {"s3p", D, "410"},     {"e3p", D, "0.05"},
          {"s1n", D, "-200"},   {"e1n", D, "-0.002"},  {"s2n", D, "-400"},
          {"e2n", D, "-0.02"},  {"s3n", D, "-410"},    {"e3n", D, "-0.05"},
          {"pinchx", D, "1"},   {"pinchy", D, "1"},    {"damage1", D, "0.0"},
          {"damage2", D, "0.0"}, {"beta", D, "0.0"}},
         &makeHystereticMaterial,
         &checkHystereticMaterialParameters},
    };
}

} // namespace

std::string localizedDefaultText(const ParameterSpec& parameter, char decimalSeparator) {
    std::string text(parameter.defaultText);
    for (char& c : text) {
        if (c == '.') {
            c = decimalSeparator;
        }
    }
    return text;
}

const std::vector<ModelEntry>& modelCatalogue() {
    static const std::vector<ModelEntry> catalogue = buildCatalogue();
    return catalogue;
}

const ModelEntry* findModel(std::string_view className) {
    for (const ModelEntry& entry : modelCatalogue()) {
        if (entry.className == className) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace looplab
