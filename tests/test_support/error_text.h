#pragma once

#include <functional>
#include <string>

#include "support/errors.h"

namespace mervanta::test {

// The message of the failure the action reports, or "no error".
inline std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EMervantaError& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace mervanta::test
