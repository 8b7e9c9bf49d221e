#pragma once

#include <memory>
#include <string>

namespace looplab {

// A one-dimensional material: given a total strain it answers a stress and a tangent modulus.
//
// Sign convention: compression is negative (strains and stresses).
// State: every model holds its history variables twice, a committed copy (the last accepted
// step) and a trial copy (the step under way). Per step the caller calls applyTrialStrain
// (each call starts again from the committed state unless the model says otherwise) and then
// commit; revertToCommitted drops the trial; revertToInitial returns to the virgin state.
// Units are whatever consistent units the user typed; the interface knows none.
//
// The virtual operations are declared in a fixed slot order (0 … 14); the base gives the
// default behaviour of the non-pure slots. Every status result is 0.
class UniaxialMaterial {
public:
    UniaxialMaterial(int tag, int classTag);

    // slot 0
    virtual ~UniaxialMaterial();

    // slot 1: computes the trial state for a total strain.
    virtual int applyTrialStrain(double strain, double strainRate) = 0;
    // slot 2: ignores the temperature and forwards to slot 1.
    virtual int applyTrialStrainAtTemperature(double strain, double temperature,
                                              double strainRate);
    // slot 3: forwards to slot 1 and writes neither output unless a model overrides it.
    virtual int applyTrialStrainAndRespond(double strain, double& stress, double& tangent,
                                           double strainRate);
    // slot 4: forwards to slot 2 and writes none of its outputs; no model overrides it.
    virtual int applyTrialStrainAndRespondAtTemperature(double strain, double temperature,
                                                        double& stress, double& tangent,
                                                        double& temperatureTangent,
                                                        double strainRate);
    // slot 5: the trial strain.
    virtual double currentStrain() const = 0;
    // slot 6: always 0.0.
    virtual double currentStrainRate() const;
    // slot 7: the trial stress.
    virtual double currentStress() const = 0;
    // slot 8: the trial tangent modulus.
    virtual double currentTangent() const = 0;
    // slot 9: the model's initial (elastic) modulus.
    virtual double initialTangent() const = 0;
    // slot 10: accepts the trial state.
    virtual int commit() = 0;
    // slot 11: drops the trial state.
    virtual int revertToCommitted() = 0;
    // slot 12: returns to the initial state; parameters are untouched.
    virtual int revertToInitial() = 0;
    // slot 13: a new object of the same class, tag and parameters, with the state its model
    // copies; its name is empty.
    virtual std::unique_ptr<UniaxialMaterial> clone() const = 0;
    // slot 14: always 0.
    virtual int integerHook();

    int materialTag() const { return tag; }

    std::string name; ///< set by whoever defines the material; empty after construction
    const int tag;
    const int classTag;

protected:
    UniaxialMaterial(const UniaxialMaterial&) = default;
    UniaxialMaterial& operator=(const UniaxialMaterial&) = delete;
};

} // namespace looplab
