#pragma once

#include "support/errors.h"

namespace mervanta {

// A command line the tool cannot make sense of: reported with a hint to the help.
class EUsageError : public EMervantaError {
 public:
  using EMervantaError::EMervantaError;
};

}  // namespace mervanta
