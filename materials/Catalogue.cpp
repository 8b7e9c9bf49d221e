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

constexpr UnitRole Stress = UnitRole::Stress;
constexpr UnitRole Strain = UnitRole::Strain;
constexpr UnitRole Modulus = UnitRole::Modulus;
constexpr UnitRole Ratio = UnitRole::Ratio;
constexpr UnitRole Pure = UnitRole::Dimensionless;
constexpr UnitRole Count = UnitRole::Count;
constexpr UnitRole Switch = UnitRole::Switch;

// Compression is negative throughout: compressive strengths and strains of the concrete
// models are typed as negative numbers unless a description says "as a positive magnitude".
std::vector<ModelEntry> buildCatalogue() {
    return {
        {"Steel01",
         {{"Fy", D, "300", "Yield stress.", Stress},
          {"E", D, "200000", "Initial elastic modulus.", Modulus},
          {"b", D, "0.01", "Strain-hardening ratio: the post-yield slope divided by E.", Ratio},
          {"a1", D, "0.0",
           "Isotropic hardening of the compressive (lower) bound: amplitude; 0 leaves the bound "
           "where kinematic hardening puts it.",
           Pure},
          {"a2", D, "55.0",
           "Isotropic hardening of the compressive bound: strain-range scale, in multiples of "
           "the yield strain Fy/E.",
           Ratio},
          {"a3", D, "0.0",
           "Isotropic hardening of the tensile (upper) bound: amplitude; 0 leaves the bound "
           "where kinematic hardening puts it.",
           Pure},
          {"a4", D, "55.0",
           "Isotropic hardening of the tensile bound: strain-range scale, in multiples of the "
           "yield strain Fy/E.",
           Ratio}},
         &makeSteel01,
         &checkSteel01Parameters},
        {"Steel02",
         {{"Fy", D, "300", "Yield stress.", Stress},
          {"E", D, "200000", "Initial elastic modulus.", Modulus},
          {"b", D, "0.01",
           "Strain-hardening ratio: the slope of the hardening asymptote divided by E.", Ratio},
          {"R0", D, "15.0",
           "Curvature exponent of the elastic-to-plastic transition at the first loading; a "
           "larger value gives a sharper bend.",
           Pure},
          {"CR1", D, "0.925",
           "Degradation of the curvature exponent with the plastic excursion: amplitude.", Pure},
          {"CR2", D, "0.15",
           "Degradation of the curvature exponent with the plastic excursion: excursion scale.",
           Pure},
          {"a1", D, "0.0", "Isotropic hardening of the compressive asymptote: amplitude.", Pure},
          {"a2", D, "1.0",
           "Isotropic hardening of the compressive asymptote: strain-range scale, in multiples "
           "of the yield strain Fy/E.",
           Ratio},
          {"a3", D, "0.0", "Isotropic hardening of the tensile asymptote: amplitude.", Pure},
          {"a4", D, "1.0",
           "Isotropic hardening of the tensile asymptote: strain-range scale, in multiples of "
           "the yield strain Fy/E.",
           Ratio},
          {"sig0", D, "0.0", "Initial stress.", Stress}},
         &makeSteel02,
         &checkSteel02Parameters},
        {"Steel4",
         {{"Fy", D, "300", "Initial yield stress, in tension and in compression.", Stress},
          {"E", D, "200000", "Elastic modulus.", Modulus},
          {"b_k", D, "0.0",
           "Kinematic hardening in tension: slope of the hardening asymptote divided by E.", Ratio},
          {"R_0", D, "50.0",
           "Kinematic hardening in tension: transition exponent of a branch that has swept no "
           "strain beyond its yield point.",
           Pure},
          {"r_1", D, "0.1",
           "Kinematic hardening in tension: fraction of R_0 that the exponent loses as the swept "
           "strain grows without bound.",
           Ratio},
          {"r_2", D, "0.15",
           "Kinematic hardening in tension: swept strain, in multiples of the initial yield "
           "strain, at which half of that loss is reached.",
           Ratio},
          {"b_kc", D, "0.0",
           "Kinematic hardening in compression: slope of the hardening asymptote divided by E.",
           Ratio},
          {"R_0c", D, "50.0",
           "Kinematic hardening in compression: transition exponent of a branch that has swept "
           "no strain beyond its yield point.",
           Pure},
          {"r_1c", D, "0.1",
           "Kinematic hardening in compression: fraction of R_0c that the exponent loses as the "
           "swept strain grows without bound.",
           Ratio},
          {"r_2c", D, "0.15",
           "Kinematic hardening in compression: swept strain, in multiples of the initial yield "
           "strain, at which half of that loss is reached.",
           Ratio},
          {"b_i", D, "0.0", "Isotropic hardening in tension: initial slope ratio.", Ratio},
          {"rho_i", D, "1.0",
           "Isotropic hardening in tension: level, in multiples of Fy, at which the slope ratio "
           "changes from b_i to b_l.",
           Ratio},
          {"b_l", D, "0.0", "Isotropic hardening in tension: final slope ratio.", Ratio},
          {"R_i", D, "50.0", "Isotropic hardening in tension: transition exponent.", Pure},
          {"l_yp", D, "0.0",
           "Accumulated plastic strain, in multiples of the initial yield strain, below which "
           "there is no isotropic hardening (tension and compression).",
           Ratio},
          {"b_ic", D, "0.0", "Isotropic hardening in compression: initial slope ratio.", Ratio},
          {"rho_ic", D, "1.0",
           "Isotropic hardening in compression: level, in multiples of Fy, at which the slope "
           "ratio changes from b_ic to b_lc.",
           Ratio},
          {"b_lc", D, "0.0", "Isotropic hardening in compression: final slope ratio.", Ratio},
          {"R_ic", D, "50.0", "Isotropic hardening in compression: transition exponent.", Pure},
          {"f_u", D, "500000000", "Ultimate tensile strength (positive).", Stress},
          {"Ru", D, "50.0", "Exponent of the transition to the ultimate tensile strength f_u.",
           Pure},
          {"f_uc", D, "500000000", "Ultimate compressive strength, as a positive magnitude.",
           Stress},
          {"Ruc", D, "50.0",
           "Exponent of the transition to the ultimate compressive strength -f_uc.", Pure},
          {"cycNum", I, "50",
           "Load-history memory: its initial size and growth step; 0 switches the memory off.",
           Count},
          {"sig_init", D, "0.0", "Initial stress.", Stress}},
         &makeSteel4,
         &checkSteel4Parameters},
        {"SteelMPF",
         {{"fyp", D, "340", "Yield strength in tension.", Stress},
          {"fyn", D, "340", "Yield strength in compression, as a positive magnitude.", Stress},
          {"E0", D, "200000", "Initial tangent modulus.", Modulus},
          {"bp", D, "0.002",
           "Strain-hardening ratio in tension: the hardening slope divided by E0.", Ratio},
          {"bn", D, "0.002",
           "Strain-hardening ratio in compression: the hardening slope divided by E0.", Ratio},
          {"R0", D, "20", "Initial value of the curvature exponent of the transition.", Pure},
          {"cR1", D, "0.925", "Curvature degradation with the plastic excursion: amplitude.", Pure},
          {"cR2", D, "0.15", "Curvature degradation with the plastic excursion: excursion scale.",
           Pure},
          {"a1", D, "0.0", "Isotropic hardening of compression branches: amplitude.", Pure},
          {"a2", D, "1.0",
           "Isotropic hardening of compression branches: threshold, in multiples of the tensile "
           "yield strain.",
           Ratio},
          {"a3", D, "0.0", "Isotropic hardening of tension branches: amplitude.", Pure},
          {"a4", D, "1.0",
           "Isotropic hardening of tension branches: threshold, in multiples of the compressive "
           "yield strain.",
           Ratio}},
         &makeSteelMPF,
         &checkSteelMPFParameters},
        {"RambergOsgoodSteel",
         {{"fy", D, "400", "Yield strength.", Stress},
          {"E0", D, "200000", "Initial elastic tangent.", Modulus},
          {"a", D, "0.002",
           "Yield offset: the plastic strain reached when the stress, measured from the last "
           "reversal, has changed by fy on the first loading or by 2 fy after a reversal.",
           Strain},
          {"n", D, "5", "Hardening exponent; a larger value gives a sharper knee.", Pure}},
         &makeRambergOsgoodSteel,
         &checkRambergOsgoodSteelParameters},
        {"Concrete01",
         {{"fpc", D, "-24.0", "Compressive strength (the peak stress); negative.", Stress},
          {"epsc0", D, "-0.002", "Strain at the compressive strength; negative.", Strain},
          {"fpcu", D, "-4.0", "Crushing strength (the residual stress); negative.", Stress},
          {"epsU", D, "-0.005", "Strain at the crushing strength; negative.", Strain}},
         &makeConcrete01,
         &checkConcrete01Parameters},
        {"Concrete02",
         {{"fpc", D, "-24.0", "Compressive strength (the peak stress); negative.", Stress},
          {"epsc0", D, "-0.002", "Strain at the compressive strength; negative.", Strain},
          {"fpcu", D, "-4.0", "Crushing strength (the residual stress); negative.", Stress},
          {"epsU", D, "-0.005", "Strain at the crushing strength; negative.", Strain},
          {"lambda", D, "0.1", "Ratio of the unloading slope at epsU to the initial slope.", Ratio},
          {"ft", D, "4", "Tensile strength; positive.", Stress},
          {"Ets", D, "20000",
           "Tension softening stiffness; positive (the softening slope is -Ets).", Modulus}},
         &makeConcrete02,
         &checkConcrete02Parameters},
        {"Concrete04",
         {{"fc", D, "-24.0", "Compressive strength (the peak stress); negative.", Stress},
          {"ec", D, "-0.002", "Strain at the compressive strength; negative.", Strain},
          {"ecu", D, "-0.005",
           "Crushing strain; negative. Beyond it the concrete carries no stress.", Strain},
          {"Ec", D, "20000", "Initial stiffness.", Modulus},
          {"fct", D, "0.0", "Tensile strength; a negative value counts as 0.", Stress},
          {"et", D, "0.0", "Ultimate tensile strain.", Strain},
          {"beta", D, "0.1",
           "Base of the exponential tension softening: the stress at et is beta times fct.",
           Ratio}},
         &makeConcrete04,
         &checkConcrete04Parameters},
        {"Concrete06",
         {{"fc", D, "-24.0",
           "Compressive strength (the peak stress); a positive value is taken as its negative.",
           Stress},
          {"e0", D, "-0.002",
           "Strain at the compressive strength; a positive value is taken as its negative.",
           Strain},
          {"n", D, "2", "Compressive shape factor.", Pure},
          {"k", D, "1", "Post-peak compressive shape factor.", Pure},
          {"alph1", D, "0.32", "Factor of the compressive plastic-strain rule.", Pure},
          {"fcr", D, "3", "Tensile strength.", Stress},
          {"ecr", D, "0.00008", "Tensile strain at the tensile strength.", Strain},
          {"b", D, "4", "Exponent of the tension stiffening curve.", Pure},
          {"alph2", D, "0.08", "Factor of the tensile plastic-strain rule.", Pure}},
         &makeConcrete06,
         &checkConcrete06Parameters},
        {"Concrete07",
         {{"fc", D, "-24.0", "Compressive strength (the peak stress); negative.", Stress},
          {"ec", D, "-0.002", "Strain at the compressive strength; negative.", Strain},
          {"Ec", D, "27000", "Initial elastic modulus.", Modulus},
          {"ft", D, "3", "Tensile strength.", Stress},
          {"et", D, "0.00008", "Tensile strain at the peak tensile stress.", Strain},
          {"xp", D, "2",
           "Strain ratio (strain divided by et) at which the tension envelope turns into its "
           "straight descending line.",
           Ratio},
          {"xn", D, "2.3",
           "Strain ratio (strain divided by ec) at which the compression envelope turns into "
           "its straight descending line.",
           Ratio},
          {"r", D, "2.7",
           "Shape exponent of the envelope equation, in tension and in compression; it steers "
           "the nonlinear descending branch.",
           Pure}},
         &makeConcrete07,
         &checkConcrete07Parameters},
        {"ConcreteD",
         {{"fc", D, "-27.6", "Compressive strength (the peak stress); negative.", Stress},
          {"epsc", D, "-0.002", "Strain at the compressive strength; negative.", Strain},
          {"ft", D, "3", "Tensile strength.", Stress},
          {"epst", D, "0.0001", "Tensile strain at the peak tensile stress.", Strain},
          {"Ec", D, "35000", "Initial elastic modulus.", Modulus},
          {"alphac", D, "1.0",
           "Compressive descending parameter: shapes the damage growth in compression.", Pure},
          {"alphat", D, "0.1", "Tensile descending parameter: shapes the damage growth in tension.",
           Pure},
          {"cesp", D, "0.25", "Plastic parameter: scale of the plastic strain.", Pure},
          {"etap", D, "1.15", "Plastic parameter: growth rate of the plastic strain.", Pure}},
         &makeConcreteD,
         &checkConcreteDParameters},
        {"ElasticPPMaterial",
         {{"E", D, "200000", "Elastic modulus.", Modulus},
          {"epsyP", D, "0.002", "Yield strain in tension.", Strain},
          {"epsyN", D, "-0.002", "Yield strain in compression; negative.", Strain},
          {"eps0", D, "0",
           "Initial strain: the strain at which the stress is zero before any yielding.", Strain}},
         &makeElasticPPMaterial,
         &checkElasticPPMaterialParameters},
        {"EPPGapMaterial",
         {{"E", D, "200000", "Elastic modulus.", Modulus},
          {"Fy", D, "300",
           "Yield stress; its sign selects a tension gap (0 or more) or a compression gap "
           "(negative).",
           Stress},
          {"gap", D, "-0.002", "Initial gap, as a strain.", Strain},
          {"eta", D, "0.01", "Hardening ratio: the post-yield slope divided by E.", Ratio},
          {"damage", I, "0",
           "0: a gap widened by plastic deformation can close back; any other value: it "
           "cannot.",
           Switch}},
         &makeEPPGapMaterial,
         &checkEPPGapMaterialParameters},
        {"HystereticMaterial",
         {{"s1p", D, "300", "Stress at the first point of the positive envelope.", Stress},
          {"e1p", D, "0.002", "Strain at the first point of the positive envelope.", Strain},
          {"s2p", D, "400", "Stress at the second point of the positive envelope.", Stress},
          {"e2p", D, "0.02", "Strain at the second point of the positive envelope.", Strain},
          {"s3p", D, "410", "Stress at the third point of the positive envelope.", Stress},
          {"e3p", D, "0.05", "Strain at the third point of the positive envelope.", Strain},
          {"s1n", D, "-200", "Stress at the first point of the negative envelope.", Stress},
          {"e1n", D, "-0.002", "Strain at the first point of the negative envelope.", Strain},
          {"s2n", D, "-400", "Stress at the second point of the negative envelope.", Stress},
          {"e2n", D, "-0.02", "Strain at the second point of the negative envelope.", Strain},
          {"s3n", D, "-410", "Stress at the third point of the negative envelope.", Stress},
          {"e3n", D, "-0.05", "Strain at the third point of the negative envelope.", Strain},
          {"pinchx", D, "1", "Pinching factor for strain.", Ratio},
          {"pinchy", D, "1", "Pinching factor for stress.", Ratio},
          {"damage1", D, "0.0", "Damage factor of the ductility term.", Pure},
          {"damage2", D, "0.0", "Damage factor of the energy term.", Pure},
          {"beta", D, "0.0", "Exponent of the unloading-stiffness degradation.", Pure}},
         &makeHystereticMaterial,
         &checkHystereticMaterialParameters},
    };
}

} // namespace

std::string_view unitRoleName(UnitRole role) {
    switch (role) {
    case UnitRole::Stress:
        return "stress";
    case UnitRole::Strain:
        return "strain";
    case UnitRole::Modulus:
        return "modulus";
    case UnitRole::Ratio:
        return "ratio";
    case UnitRole::Dimensionless:
        return "dimensionless";
    case UnitRole::Count:
        return "count";
    case UnitRole::Switch:
        return "switch";
    }
    return "dimensionless";
}

std::string parameterHelpText(const ParameterSpec& parameter) {
    std::string text(parameter.description);
    text += "\nUnit role: ";
    text += unitRoleName(parameter.unitRole);
    return text;
}

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
