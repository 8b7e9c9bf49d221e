// The catalogue table, and the protocol properties every model it can build must have.

#include "core/NumberText.h"
#include "materials/Catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

using namespace looplab;

namespace {

ParameterValues defaultValues(const ModelEntry& model) {
    ParameterValues values;
    for (const ParameterSpec& p : model.parameters) {
        if (p.type == ParameterType::Int) {
            int v = 0;
            EXPECT_TRUE(parseInt32(p.defaultText, v)) << model.className << " " << p.name;
            values.push_back(v);
        } else {
            double v = 0.0;
            EXPECT_TRUE(parseDouble(p.defaultText, '.', v)) << model.className << " " << p.name;
            values.push_back(v);
        }
    }
    return values;
}

// Reversals into tension and compression of steel and concrete size.
const std::vector<double> probeHistory{0.0005, 0.002, 0.0, -0.001, -0.0035, -0.002, 0.0001,
                                       0.004,  0.01,  -0.004, -0.0006, 0.0, 0.02,  -0.02,
                                       0.0003, -0.0003, 0.0};

std::vector<double> run(UniaxialMaterial& m) {
    std::vector<double> out;
    for (const double e : probeHistory) {
        m.applyTrialStrain(e, 0.0);
        out.push_back(m.currentStress());
        out.push_back(m.currentTangent());
        m.commit();
    }
    return out;
}

// NaN-aware bitwise equality of two runs.
bool sameRun(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i])))) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(Catalogue, ListsTheFourteenModelsWithTheirParameters) {
    const std::vector<std::string_view> expected{
        "Steel01",    "Steel02",    "Steel4",     "SteelMPF",  "RambergOsgoodSteel",
        "Concrete01", "Concrete02", "Concrete04", "Concrete06", "Concrete07",
        "ConcreteD",  "ElasticPPMaterial", "EPPGapMaterial", "HystereticMaterial"};
    const auto& catalogue = modelCatalogue();
    ASSERT_EQ(catalogue.size(), expected.size());
    const std::map<std::string_view, std::size_t> parameterCounts{
        {"Steel01", 7},    {"Steel02", 11},    {"Steel4", 25},     {"SteelMPF", 12},
        {"RambergOsgoodSteel", 4}, {"Concrete01", 4}, {"Concrete02", 7}, {"Concrete04", 7},
        {"Concrete06", 9}, {"Concrete07", 8},  {"ConcreteD", 9},   {"ElasticPPMaterial", 4},
        {"EPPGapMaterial", 5}, {"HystereticMaterial", 17}};
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const ModelEntry& model = catalogue[i];
        EXPECT_EQ(model.className, expected[i]);
        EXPECT_EQ(model.parameters.size(), parameterCounts.at(model.className));
        std::set<std::string_view> names;
        for (const ParameterSpec& p : model.parameters) {
            EXPECT_TRUE(names.insert(p.name).second) << model.className << " repeats " << p.name;
        }
        EXPECT_EQ(model.factory == nullptr, model.check == nullptr) << model.className;
        defaultValues(model); // every default text converts
        EXPECT_EQ(findModel(model.className), &model);
    }
    EXPECT_EQ(findModel("steel01"), nullptr);
    EXPECT_EQ(findModel("Steel4")->parameters[23].type, ParameterType::Int);
    EXPECT_EQ(findModel("EPPGapMaterial")->parameters[4].type, ParameterType::Int);
    EXPECT_EQ(findModel("ConcreteD")->parameters[4].name, "Ec");
}

class EveryBuiltModel : public ::testing::TestWithParam<const ModelEntry*> {};

TEST_P(EveryBuiltModel, DefaultsAreAcceptedAndBuildTheRightClass) {
    const ModelEntry& model = *GetParam();
    const std::map<std::string_view, int> classTags{
        {"ConcreteD", 0},   {"ElasticPPMaterial", 2}, {"Concrete01", 4}, {"Steel01", 5},
        {"HystereticMaterial", 7}, {"EPPGapMaterial", 8}, {"Concrete02", 25}, {"Steel02", 26},
        {"Concrete04", 30}, {"Concrete06", 34}, {"Concrete07", 37}, {"RambergOsgoodSteel", 68},
        {"Steel4", 87},     {"SteelMPF", 91}};
    const ParameterValues values = defaultValues(model);
    EXPECT_EQ(model.check(values), "");
    auto m = model.factory(12, values);
    EXPECT_EQ(m->classTag, classTags.at(model.className));
    EXPECT_EQ(m->materialTag(), 12);
    EXPECT_TRUE(m->name.empty());
}

TEST_P(EveryBuiltModel, RevertToInitialRepeatsTheFirstRun) {
    const ModelEntry& model = *GetParam();
    auto m = model.factory(0, defaultValues(model));
    const std::vector<double> first = run(*m);
    m->revertToInitial();
    EXPECT_TRUE(sameRun(run(*m), first));
    // A fresh object and a reset one answer alike.
    auto fresh = model.factory(0, defaultValues(model));
    m->revertToInitial();
    EXPECT_TRUE(sameRun(run(*fresh), run(*m)));
}

TEST_P(EveryBuiltModel, BaseSlotsBehaveAsTheBaseSays) {
    const ModelEntry& model = *GetParam();
    auto a = model.factory(0, defaultValues(model));
    auto b = model.factory(0, defaultValues(model));
    for (const double e : probeHistory) {
        EXPECT_EQ(a->applyTrialStrainAtTemperature(e, 123.0, 0.5), b->applyTrialStrain(e, 0.5));
        EXPECT_TRUE(sameRun({a->currentStress(), a->currentTangent(), a->currentStrain()},
                            {b->currentStress(), b->currentTangent(), b->currentStrain()}));
        EXPECT_EQ(a->currentStrainRate(), 0.0);
        EXPECT_EQ(a->integerHook(), 0);
        EXPECT_EQ(a->commit(), 0);
        b->commit();
    }
    auto copy = a->clone();
    a->name = "named";
    EXPECT_TRUE(copy->name.empty());
    EXPECT_EQ(copy->classTag, a->classTag);
}

namespace {
std::vector<const ModelEntry*> builtModels() {
    std::vector<const ModelEntry*> models;
    for (const ModelEntry& m : modelCatalogue()) {
        if (m.available()) {
            models.push_back(&m);
        }
    }
    return models;
}
} // namespace

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryBuiltModel, ::testing::ValuesIn(builtModels()),
                         [](const ::testing::TestParamInfo<const ModelEntry*>& info) {
                             return std::string(info.param->className);
                         });
