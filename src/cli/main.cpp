#include <cstring>
#include <iostream>

#include "version.h"

namespace {

constexpr const char* kUsage =
    "Usage: mervanta-cli [--options FILE] COMMAND TABLE ...\n"
    "\n"
    "Work with Mervanta tables from a terminal.\n"
    "\n"
    "Options:\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << kUsage;
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "mervanta-cli " << mervanta::kVersion << '\n';
      return 0;
    }
  }
  std::cerr << kUsage;
  return 2;
}
