#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace looplab {

enum class ParameterType { Double, Int };

// What kind of quantity a parameter is, and so in which units the user types it: stresses and
// moduli in the user's stress unit, strains as plain strains, the rest without a unit.
enum class UnitRole {
    Stress,        ///< a stress (or force)
    Strain,        ///< a strain (or deformation)
    Modulus,       ///< a stiffness: stress per unit strain
    Ratio,         ///< a ratio of two quantities of the model (a slope ratio, multiples of Fy)
    Dimensionless, ///< an exponent, shape factor or other pure number
    Count,         ///< a whole number that counts something
    Switch,        ///< a whole number that selects a behaviour
};

struct ParameterSpec {
    std::string_view name;        ///< the constructor parameter's name
    ParameterType type;           ///< Int parameters are converted as 32-bit integers
    std::string_view defaultText; ///< the text the definition dialog is preloaded with
    std::string_view description = {}; ///< what the parameter means, in one or two sentences
    UnitRole unitRole = UnitRole::Dimensionless; ///< the kind of quantity it is
};

// The name of a unit role as the help texts write it: "stress", "strain", "modulus", "ratio",
// "dimensionless", "count", "switch".
std::string_view unitRoleName(UnitRole role);

// The help text of a parameter, shown by the definition dialog's tooltips:
// "<description>\nUnit role: <unit role name>".
std::string parameterHelpText(const ParameterSpec& parameter);

// Builds a model from its tag and its parameter values in constructor order.
using MaterialFactory = std::unique_ptr<UniaxialMaterial> (*)(int tag,
                                                              const ParameterValues& values);

// One model of the catalogue. Every consumer (manager, dialogs, batch tool, benchmarks) reads
// its parameter list from here.
struct ModelEntry {
    std::string_view className;
    std::vector<ParameterSpec> parameters; ///< in constructor order, after the tag
    MaterialFactory factory = nullptr;     ///< nullptr while the model is not built
    ParameterCheck check = nullptr;        ///< nullptr while the model is not built

    bool available() const { return factory != nullptr; }
};

// A default text as the user's locale writes it: the catalogue's '.' replaced by the locale's
// decimal separator, so that a default always converts where it is shown.
std::string localizedDefaultText(const ParameterSpec& parameter, char decimalSeparator);

// All fourteen models, in catalogue order.
const std::vector<ModelEntry>& modelCatalogue();

// The entry of a class name (exact match), or nullptr.
const ModelEntry* findModel(std::string_view className);

} // namespace looplab
