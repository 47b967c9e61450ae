#include "framework/huge_pages.h"

#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <string_view>

namespace mervanta {

namespace {

constexpr std::string_view kVariable = "GLIBC_TUNABLES";
constexpr std::string_view kHugePages = "glibc.malloc.hugetlb=1";

}  // namespace

void UseHugePages(char** argv) {
  const char* tunables = ::getenv(kVariable.data());
  std::string value = tunables != nullptr ? tunables : "";
  // Whatever the user chose for it stands, and so does the setting after the restart.
  if (value.find("glibc.malloc.hugetlb") != std::string::npos) return;
  if (!value.empty()) value += ':';
  value += kHugePages;
  if (::setenv(kVariable.data(), value.c_str(), 1) != 0) return;
  ::execv("/proc/self/exe", argv);
  // Still here: the program goes on without them, and passes no setting on either.
  if (tunables != nullptr) {
    ::setenv(kVariable.data(), tunables, 1);
  } else {
    ::unsetenv(kVariable.data());
  }
}

}  // namespace mervanta
