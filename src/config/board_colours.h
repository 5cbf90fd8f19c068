// The five colours of the grid board and the working window.
#pragma once

#include "core/geometry.h"

namespace cellaro {

struct BoardColours {
    Colour background{2039583};      // A1
    Colour gridBackground{2039583};  // A2
    Colour grid{8421504};            // A3
    Colour rangeSelection{12228995}; // A4
    Colour resizingWindow{12228995}; // A5
    friend bool operator==(const BoardColours&, const BoardColours&) = default;
};

} // namespace cellaro
