#include "dialogs/error_box.h"

#include "support/errors.h"
#include "support/user_interface.h"

namespace mervanta {

bool RunShowingErrors(const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const EMervantaError& error) {
    ShowMessageBox(error.what(), {}, TButtons::Ok, TIcon::Error);
  }
  return false;
}

}  // namespace mervanta
