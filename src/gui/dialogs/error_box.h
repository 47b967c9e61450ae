#pragma once

#include <functional>

namespace mervanta {

// Runs a step of a dialog; a failure it reports is shown in the error box and the dialog
// stays as it was. Answers whether the step ran through.
bool RunShowingErrors(const std::function<void()>& step);

}  // namespace mervanta
