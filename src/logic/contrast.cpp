// The contrast rule.
#include "logic/contrast.h"

#include "logic/grid_geometry.h"

#include <cmath>

namespace cellaro {

int brightness(Colour colour) {
    const double r = colour.red();
    const double g = colour.green();
    const double b = colour.blue();
    return roundHalfEven(std::sqrt(0.241 * r * r + 0.691 * g * g + 0.068 * b * b));
}

} // namespace cellaro
