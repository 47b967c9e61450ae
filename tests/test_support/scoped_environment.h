#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace mervanta::test {

// Sets (or, given nullptr, removes) an environment variable for one test and puts the old
// state back afterwards.
class TScopedEnvironment {
 public:
  TScopedEnvironment(const char* name, const char* value) : Name_(name) {
    if (const char* old = ::getenv(name)) Old_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~TScopedEnvironment() {
    if (Old_) {
      ::setenv(Name_.c_str(), Old_->c_str(), 1);
    } else {
      ::unsetenv(Name_.c_str());
    }
  }
  TScopedEnvironment(const TScopedEnvironment&) = delete;
  TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

 private:
  std::string Name_;
  std::optional<std::string> Old_;
};

}  // namespace mervanta::test
