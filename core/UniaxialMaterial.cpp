#include "core/UniaxialMaterial.h"

namespace looplab {

UniaxialMaterial::UniaxialMaterial(int tag_, int classTag_) : tag(tag_), classTag(classTag_) {}

UniaxialMaterial::~UniaxialMaterial() = default;

int UniaxialMaterial::applyTrialStrainAtTemperature(double strain, double /*temperature*/,
                                                    double strainRate) {
    return applyTrialStrain(strain, strainRate);
}

int UniaxialMaterial::applyTrialStrainAndRespond(double strain, double& /*stress*/,
                                                 double& /*tangent*/, double strainRate) {
    return applyTrialStrain(strain, strainRate);
}

int UniaxialMaterial::applyTrialStrainAndRespondAtTemperature(double strain, double temperature,
                                                              double& /*stress*/,
                                                              double& /*tangent*/,
                                                              double& /*temperatureTangent*/,
                                                              double strainRate) {
    return applyTrialStrainAtTemperature(strain, temperature, strainRate);
}

double UniaxialMaterial::currentStrainRate() const { return 0.0; }

int UniaxialMaterial::integerHook() { return 0; }

} // namespace looplab
