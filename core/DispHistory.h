#pragma once

#include <string>
#include <vector>

namespace looplab {

// A deformation history: the total strains imposed step by step, in file order.
// values[k] is the strain of step k+1.
class DispHistory {
public:
    DispHistory() = default;
    virtual ~DispHistory() = default;

    std::vector<double> values;
    std::string name = "Disp";
};

} // namespace looplab
