// Single-precision working values of the order and the estimate.
#pragma once

#include <cmath>
#include <limits>

namespace wavepost {

// A double narrowed to float; values beyond the float range become infinities instead of
// being left to the undefined conversion.
inline float ToFloat(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax) return std::numeric_limits<float>::infinity();
    if (value < -kMax) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

}  // namespace wavepost
