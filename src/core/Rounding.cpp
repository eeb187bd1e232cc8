#include "Rounding.h"

#include <cfenv>

namespace {
// nearbyint follows the current rounding mode; the program never changes it from nearest-even.
[[maybe_unused]] const bool nearestEven = std::fegetround() == FE_TONEAREST;
}  // namespace
