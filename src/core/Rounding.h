#pragma once
#include <cmath>
#include <cstdint>

// The one rounding rule of the program: to the nearest integer, halves to the even neighbour.
inline int64_t RoundHalfEven(double x) { return static_cast<int64_t>(std::nearbyint(x)); }
