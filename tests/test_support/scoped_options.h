#pragma once

#include "settings/options.h"
#include "settings/settings_location.h"

namespace mervanta::test {

// The program's options at their defaults for a scope, as they were afterwards: an
// in-process run of the command-line tool reads its settings file over them.
class TScopedDefaultOptions {
 public:
  TScopedDefaultOptions() : Saved_(DefaultWorkDir()) {
    Saved_.Assign(Options());
    Options().Assign(TOptions(DefaultWorkDir()));
  }
  ~TScopedDefaultOptions() { Options().Assign(Saved_); }
  TScopedDefaultOptions(const TScopedDefaultOptions&) = delete;
  TScopedDefaultOptions& operator=(const TScopedDefaultOptions&) = delete;

 private:
  TOptions Saved_;
};

}  // namespace mervanta::test
