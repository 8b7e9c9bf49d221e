#pragma once

#include "core/UniaxialMaterial.h"

#include <memory>
#include <string>
#include <vector>

namespace looplab::test {

// A material whose stress is k·strain plus the number of steps committed since the last
// revertToInitial, so that a missed reset or a missed commit shows in the numbers. It logs
// every call.
class FakeMaterial : public UniaxialMaterial {
public:
    FakeMaterial(std::string materialName, double k_, std::vector<std::string>* log_ = nullptr)
        : UniaxialMaterial(0, 999), k(k_), log(log_) {
        name = std::move(materialName);
    }

    int applyTrialStrain(double strain, double strainRate) override {
        record("apply");
        lastRate = strainRate;
        trialStrain = strain;
        trialStress = k * strain + committedSteps;
        return 0;
    }
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return k + 0.5; }
    double initialTangent() const override { return k; }
    int commit() override {
        record("commit");
        ++committedSteps;
        return 0;
    }
    int revertToCommitted() override { return 0; }
    int revertToInitial() override {
        record("revert");
        committedSteps = 0;
        return 0;
    }
    std::unique_ptr<UniaxialMaterial> clone() const override {
        return std::make_unique<FakeMaterial>("", k, log);
    }

    double lastRate = -1.0;

private:
    void record(const char* what) {
        if (log != nullptr) {
            log->push_back(name + ":" + what);
        }
    }

    double k;
    std::vector<std::string>* log;
    int committedSteps = 0;
    double trialStrain = 0.0;
    double trialStress = 0.0;
};

} // namespace looplab::test
