#pragma once

#include <cstdint>

#include "formula/fo_method_value.h"

namespace mervanta {

// The operations of the function library by operation number; null for a number that is
// not theirs.
TFoOperation NumberOperation(std::int32_t id);
TFoOperation TextOperation(std::int32_t id);

}  // namespace mervanta
