#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace looplab {

// Parameter values in constructor order (after the tag). Integer parameters are carried as
// exactly representable doubles.
using ParameterValues = std::vector<double>;

// A model's parameter check: returns an empty string when the values may be passed to the
// constructor, otherwise the reason for refusing them. It refuses only values that would divide
// by zero or leave the model's arithmetic undefined; unusual values that compute are accepted.
using ParameterCheck = std::string (*)(const ParameterValues& values);

// The message of a refused parameter: "E = 0 is refused: the yield strain Fy/E divides by it."
std::string refuseParameter(std::string_view parameter, double value, std::string_view reason);

} // namespace looplab
