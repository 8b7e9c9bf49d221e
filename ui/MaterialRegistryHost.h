#pragma once

#include "core/UniaxialMaterial.h"

#include <QString>

#include <memory>

namespace looplab {

// What the material manager and the definition dialogs need of the main window: the registry
// of defined materials and the check list that mirrors it.
class MaterialRegistryHost {
public:
    virtual ~MaterialRegistryHost() = default;

    // True if a registered material has exactly this name (case-sensitive).
    virtual bool materialNameExists(const QString& name) const = 0;
    // Appends to the registry, which takes ownership; touches neither list.
    virtual void appendMaterial(std::unique_ptr<UniaxialMaterial> material) = 0;
    // Adds an unchecked entry at the end of the main window's check list.
    virtual void addCheckListEntry(const QString& name) = 0;
    // The main window's part of Clear All: destroys every material in registry order, empties
    // the registry, the check list and the selection, and empties the loop chart.
    virtual void clearAllMaterials() = 0;
};

} // namespace looplab
