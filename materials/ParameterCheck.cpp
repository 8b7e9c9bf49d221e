#include "materials/ParameterCheck.h"

#include <cstdio>

namespace looplab {

std::string refuseParameter(std::string_view parameter, double value, std::string_view reason) {
    char number[40];
    std::snprintf(number, sizeof number, "%.15g", value);
    std::string message;
    message.append(parameter).append(" = ").append(number).append(" is refused: ");
    message.append(reason).append(".");
    return message;
}

} // namespace looplab
